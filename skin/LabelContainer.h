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

    /** The caption of a decorating container: ";"-separated lines in the LF's caption font
        that let clicks through to the widget. It shows only while it has text and the
        container's decoration is visible. */
    class Caption
    {
    public:
        Caption();
        ~Caption();

        /** Sets the lines, colour and justification, and adds the caption to the container
            hidden, for updateVisibility to show. */
        void setUp (juce::Component& container, const juce::String& lines, juce::Colour colour,
                    juce::Justification justification);
        void updateVisibility (bool decorationVisible);

        int getNumLines() const noexcept { return numLines; }
        /** The widest line's width in the caption font. */
        float getTextWidth() const noexcept { return textWidth; }
        /** The height of all the lines. */
        float getTextHeight() const;
        /** The width of a caption laid out under an area of the given width: the area's, or
            the text's up to 120 pixels when that is wider. */
        float getWidthUnder (float areaWidth) const;

        const LF& getLookAndFeel() const noexcept { return lookAndFeel; }
        juce::Label& getLabel() noexcept { return label; }

    private:
        LF lookAndFeel;
        juce::Label label;
        int numLines = 0;
        float textWidth = 0.0f;

        JUCE_DECLARE_NON_COPYABLE (Caption)
    };

    LabelContainer (const juce::ValueTree& element, juce::Component& widget);
    ~LabelContainer() override;

    juce::BorderSize<int> getContentOffset() const override;
    void updateLayout() override;
    void paintDecoration (juce::Graphics& g) override;
    void updateDecorationVisibility() override;

    juce::Label& getCaption() noexcept { return caption.getLabel(); }

private:
    Caption caption;
    juce::BorderSize<int> contentOffset;
    int position = juce::Justification::bottom;
    int gap = 2;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LabelContainer)
};
