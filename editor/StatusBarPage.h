#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>

/** A page that the status bar opens in the editor's front layer: a filled panel in a black
    frame, with a header row of an icon and a title along its top when it has a title. */
class StatusBarPage : public juce::Component
{
public:
    ~StatusBarPage() override;

    void paint (juce::Graphics& g) override;
    /** Lays out the header row; pages lay out the rest below it. */
    void resized() override;

    static constexpr int headerHeight = 24;

protected:
    /** An empty title makes a page without a header row. */
    explicit StatusBarPage (juce::Colour background, std::unique_ptr<juce::Drawable> icon = {},
                            const juce::String& title = {});

private:
    juce::Colour background;
    std::unique_ptr<juce::Drawable> headerIcon;
    juce::Label headerTitle;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StatusBarPage)
};
