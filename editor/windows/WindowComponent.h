#pragma once

#include "editor/windows/ModalComponent.h"
#include <memory>

/** A modal window drawn inside the editor: a header bar with a title, an optional icon and a
    close button, a border and content margins. Closing it hides it. */
class WindowComponent : public ModalComponent,
                        public juce::Button::Listener
{
public:
    enum ColourIds
    {
        backgroundColourId = 0x0F001000,
        headerColourId = 0x0F001001,
        titleColourId = 0x0F001002
    };

    /** Implemented by the system look-and-feel; a window under any other look-and-feel keeps
        its font and paints nothing. */
    class LookAndFeelMethods
    {
    public:
        virtual ~LookAndFeelMethods() = default;
        virtual juce::Font getWindowTitleFont() = 0;
        virtual void drawWindow (juce::Graphics& g, WindowComponent& window) = 0;
    };

    /** The system look-and-feel's drawing of a window (background, header, border strips and
        title); DefaultLookAndFeel hands its drawWindow here. */
    static void drawDefaultWindow (juce::Graphics& g, WindowComponent& window, const juce::Font& titleFont);

    explicit WindowComponent (const juce::String& name = {});
    ~WindowComponent() override;

    /** The close button hides the window. */
    void buttonClicked (juce::Button* button) override;
    /** Sizes the window around content of w x h (at least 250 x 120). */
    virtual void setContentSize (int w, int h);

    void setTitle (const juce::String& newTitle);
    const juce::String& getTitle() const noexcept { return title; }
    /** Null removes the icon. */
    void setIcon (std::unique_ptr<juce::Drawable> newIcon);
    juce::Drawable* getIcon() const noexcept { return icon.get(); }
    void setHeaderVisible (bool shouldBeVisible);
    bool isHeaderVisible() const noexcept { return headerVisible; }
    void setCloseButtonVisible (bool shouldBeVisible);
    bool isCloseButtonVisible() const noexcept { return closeButtonVisible; }
    void setBorderThickness (juce::BorderSize<int> newBorder);
    juce::BorderSize<int> getBorderThickness() const noexcept { return border; }
    void setContentMargins (juce::BorderSize<int> newMargins);
    juce::BorderSize<int> getContentMargins() const noexcept { return contentMargins; }

    int getHeaderHeight() const noexcept { return headerHeight; }
    const juce::Font& getTitleFont() const noexcept { return titleFont; }
    juce::Rectangle<int> getContentArea() const noexcept { return contentArea; }
    juce::Rectangle<int> getHeaderArea() const noexcept { return headerArea; }
    juce::Rectangle<int> getTitleArea() const noexcept { return titleArea; }
    juce::DrawableButton& getCloseButton() noexcept { return closeButton; }

    void lookAndFeelChanged() override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    static constexpr int minimumWidth = 250;
    static constexpr int minimumHeight = 120;

private:
    void updateCloseButtonVisibility();

    /** Stores a changed layout setting and lays the window out again, repainting it when
        paint draws the setting. */
    template <typename Setting>
    void changeLayout (Setting& setting, const Setting& newValue, bool repaints)
    {
        if (setting == newValue)
            return;

        setting = newValue;
        resized();

        if (repaints)
            repaint();
    }

    juce::String title;
    juce::Font titleFont;
    juce::DrawableButton closeButton { "CloseButton", juce::DrawableButton::ImageFitted };
    std::unique_ptr<juce::Drawable> icon;
    bool headerVisible = true;
    bool closeButtonVisible = true;
    int headerHeight = 31;
    int titleIndent = 3;
    juce::BorderSize<int> contentMargins { 6, 6, 9, 6 };
    juce::BorderSize<int> border { 3, 3, 3, 3 };
    juce::Rectangle<int> headerArea, titleArea, contentArea;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WindowComponent)
};
