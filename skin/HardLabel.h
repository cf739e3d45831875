#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A label drawn by the system look-and-feel in its main font. */
class HardLabel : public juce::Label
{
public:
    HardLabel (const juce::String& name, const juce::String& text);
    ~HardLabel() override;

    /** Width := text width in the label's font plus its left and right border; height := h. */
    void fitWidthToText (int height);

    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HardLabel)
};
