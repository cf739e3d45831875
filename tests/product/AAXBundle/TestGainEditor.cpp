#include "TestGainEditor.h"

TestGainEditor::TestGainEditor (juce::AudioProcessor& owner)
    : juce::AudioProcessorEditor (owner)
{
    setSize (kWidth, kHeight);
}

void TestGainEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::darkgrey);
}
