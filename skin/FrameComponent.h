#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A component drawn as a frame: a background fill, a border and an optional header text,
    read from its element of the GUI description:
    "name", "text" (header), "bkgCol" (fill), "frmCol" (border), "txtCol" (header text),
    "frmWidth" (border thickness, default 1).
*/
class FrameComponent : public juce::Component
{
public:
    enum ColourIds
    {
        backgroundColourId = 0x1001F00,   // set on the frame only (the id is also HyperlinkButton::textColourId); skipped when transparent
        borderColourId = 0x1001F01,
        headerTextColourId = 0x1001F02
    };

    explicit FrameComponent (const juce::ValueTree& element);
    ~FrameComponent() override;

    virtual bool hasHeader() const;
    virtual int getHeaderHeight() const;
    virtual int getHeaderIndent() const;

    void setFillEnabled (bool shouldFill);
    bool isFillEnabled() const noexcept { return fillEnabled; }

    void setHeaderText (const juce::String& text);
    const juce::String& getHeaderText() const noexcept { return headerText; }
    float getBorderThickness() const noexcept { return borderThickness; }

    void paint (juce::Graphics& g) override;

private:
    juce::String headerText;
    float borderThickness = 1.0f;
    bool fillEnabled = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FrameComponent)
};
