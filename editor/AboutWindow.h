#pragma once

#include "core/parameters/ListenerArray.h"
#include "editor/CreditsText.h"
#include "editor/windows/WindowComponent.h"
#include "skin/ComponentRow.h"

class BasePlugin;

/** The about window: the product's logo, its web link, format and platform, version and a
    "Close" button; credits that scroll while it is shown, for products that have them.
    Closing is the listener's business (the editor hides and deletes it). Message thread only. */
class AboutWindow : public WindowComponent
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** Message thread. "Close" was pressed; the listener may delete the window. */
        virtual void aboutWindowCloseRequested (AboutWindow* window) = 0;
    };

    static constexpr const char* logoResourceName = "PluginLogo.png";
    static constexpr juce::uint32 textColour = 0xFFD3D3D3;

    explicit AboutWindow (BasePlugin& plugin);
    ~AboutWindow() override;

    void addListener (Listener* listener) { listeners.add (listener); }
    void removeListener (Listener* listener) { listeners.remove (listener); }

    bool dimsBackground() const override { return true; }

    void resized() override;
    void paint (juce::Graphics& g) override;
    void lookAndFeelChanged() override;
    void visibilityChanged() override;
    void mouseEnter (const juce::MouseEvent& event) override;
    void buttonClicked (juce::Button* button) override;

    juce::TextButton& getCloseButton() noexcept { return closeButton; }
    juce::HyperlinkButton& getWebLink() noexcept { return webLink; }
    CreditsText& getCredits() noexcept { return credits; }
    ComponentRow& getButtonRow() noexcept { return buttonRow; }
    const juce::Image& getLogo() const noexcept { return logo; }
    juce::DrawableImage& getLogoDrawable() noexcept { return logoDrawable; }
    juce::Rectangle<int> getInfoArea() const noexcept { return infoArea; }
    juce::Rectangle<int> getLineArea() const noexcept { return lineArea; }
    /** "AAX 64bit": the format and platform line. */
    juce::String getFormatText() const;
    juce::String getVersionText() const;

private:
    BasePlugin& plugin;
    ComponentRow buttonRow { false, ComponentRow::start };
    juce::TextButton closeButton { "Close" };
    juce::HyperlinkButton webLink;
    CreditsText credits;
    juce::Image logo;
    juce::DrawableImage logoDrawable;
    juce::Rectangle<int> infoArea, lineArea;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutWindow)
};
