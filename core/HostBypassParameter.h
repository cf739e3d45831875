#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

/** The master bypass the host shows ("Master Bypass"): the plug-in's own, so that the host's
    text entry reads only its two texts, "On" and "Off" in any case, and leaves the value as it
    is for any other text. (Without one, JUCE's wrapper makes a bypass that reads any text it
    does not know as a number, so "Bypassed" switches bypass off.) Not part of the plug-in's
    parameters or its state: the host keeps it, as it would keep its own. */
class HostBypassParameter : public juce::AudioParameterBool
{
public:
    HostBypassParameter();

    /** Any thread but the audio thread: allocates. The normalised value of one of the two
        texts; the current value for any other text. */
    float getValueForText (const juce::String& text) const override;
};
