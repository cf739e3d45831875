#pragma once

#include "core/content/ContentSource.h"
#include "skin/DefaultLookAndFeel.h"

/** One row of the result list: a text button that never takes the focus and whose toggle state
    (set only by the list) is the row's selected state. Message thread only. */
class ResultButton : public juce::TextButton
{
public:
    /** The rows' look: a tinted fill when on, nothing when off; the text is the row's own. */
    class RowLookAndFeel : public DefaultLookAndFeel
    {
    public:
        static constexpr juce::uint32 selectedFill = 0xFFE85100;

        void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                                   bool isMouseOverButton, bool isButtonDown) override;
        void drawButtonText (juce::Graphics& g, juce::TextButton& button,
                             bool isMouseOverButton, bool isButtonDown) override;
    };

    ResultButton (ContentItem& item, bool readOnly);

    /** Shows another row's item (the list hands a button that left the view to a row that came
        into it). */
    void show (ContentItem& itemToShow, bool isReadOnly);

    ContentItem* item;
    bool readOnly;

    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ResultButton)
};
