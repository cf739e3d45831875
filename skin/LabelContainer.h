#pragma once

#include "skin/ContainedComponent.h"
#include "skin/DefaultLookAndFeel.h"

/** Container of type "Label": a caption beside the widget.
    Attributes of the "Container" element: "label" (";"-separated lines), "position"
    ("bottom" by default, "top", "left" or "right"), "txtCol" (default black),
    "gap" (pixels between widget and caption, default 2).
*/
class LabelContainer : public ContainedComponent::Container
{
public:
    /** Look-and-feel of captions: one font for every label it draws. */
    class LF : public DefaultLookAndFeel
    {
    public:
        LF();
        ~LF() override;

        const juce::Font& getCaptionFont() const noexcept { return captionFont; }
        void setCaptionFont (const juce::Font& f);

        juce::Font getLabelFont (juce::Label& label) override;
        juce::BorderSize<int> getLabelBorderSize (juce::Label& label) override;

    private:
        juce::Font captionFont;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LF)
    };

    LabelContainer (const juce::ValueTree& element, juce::Component& widget);
    ~LabelContainer() override;

    juce::BorderSize<int> getContentOffset() const override;
    void updateLayout() override;
    void paintDecoration (juce::Graphics& g) override;
    void updateDecorationVisibility() override;

    juce::Label& getCaption() noexcept { return caption; }

private:
    LF lookAndFeel;
    juce::Label caption;
    juce::BorderSize<int> contentOffset;
    int position = juce::Justification::bottom;
    int gap = 2;
    int captionLines = 0;
    float captionWidth = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LabelContainer)
};

/** Sets up the caption of a decorating container: its lines (";"-separated) drawn with lf's
    caption font (the widest line's width goes to widthOut), in colour, with the justification;
    it lets clicks through to the widget and is added to owner hidden, for the owner's
    updateDecorationVisibility() to show. Returns the line count. */
int setUpContainerCaption (juce::Component& owner, juce::Label& caption, LabelContainer::LF& lf,
                           const juce::String& lines, juce::Colour colour,
                           juce::Justification justification, float& widthOut);
