#pragma once

#include "core/parameters/Parameter.h"

#include <gtest/gtest.h>

/** A description for tests. */
inline Parameter::Description makeDescription (int id, const juce::String& name,
                                               float minimum = 0.0f, float maximum = 1.0f,
                                               float defaultValue = 0.0f)
{
    Parameter::Description d;
    d.id = id;
    d.name = name;
    d.minimum = minimum;
    d.maximum = maximum;
    d.defaultValue = defaultValue;
    return d;
}

/** Records what a parameter tells its listeners, in order, tagged with the listener's name. */
struct RecordingListener : public Parameter::Listener
{
    RecordingListener (juce::StringArray& logToUse, juce::String nameToUse)
        : log (logToUse), name (std::move (nameToUse)) {}

    void parameterChanged (Parameter* p) override
    {
        log.add (name + " changed " + p->getName());
        ++changes;
    }
    void parameterGestureBegan (Parameter* p) override { log.add (name + " began " + p->getName()); }
    void parameterGestureEnded (Parameter* p) override { log.add (name + " ended " + p->getName()); }

    juce::StringArray& log;
    juce::String name;
    int changes = 0;
};
