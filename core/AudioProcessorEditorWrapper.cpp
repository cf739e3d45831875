#include "core/AudioProcessorEditorWrapper.h"

AudioProcessorEditorWrapper::AudioProcessorEditorWrapper (juce::AudioProcessor& p, PluginEditor& e)
    : juce::AudioProcessorEditor (p), editor (e)
{
    editor.ensureSkinLoaded();
    editor.setTopLeftPosition (0, 0);
    addAndMakeVisible (editor);
    setSize (editor.getWidth(), editor.getHeight());
}

AudioProcessorEditorWrapper::~AudioProcessorEditorWrapper()
{
    // The editor belongs to the plug-in and lives on after the window closes.
    removeChildComponent (&editor);
}

void AudioProcessorEditorWrapper::childBoundsChanged (juce::Component* child)
{
    if (child == &editor)
        setSize (editor.getWidth(), editor.getHeight());
}
