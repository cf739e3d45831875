#pragma once

#include "core/PluginEditor.h"
#include <juce_audio_processors/juce_audio_processors.h>

/** The host's editor window content: holds the plug-in's own editor, which outlives it, and
    follows its size. Message thread, like every component. */
class AudioProcessorEditorWrapper : public juce::AudioProcessorEditor
{
public:
    AudioProcessorEditorWrapper (juce::AudioProcessor& processor, PluginEditor& editor);
    ~AudioProcessorEditorWrapper() override;

    void childBoundsChanged (juce::Component* child) override;
    void resized() override {}

private:
    PluginEditor& editor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioProcessorEditorWrapper)
};
