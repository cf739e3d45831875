#pragma once

#include "core/parameters/ListenerArray.h"
#include "editor/windows/ScopedLookAndFeel.h"
#include "editor/windows/WindowComponent.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/HeaderComponent.h"
#include <memory>

class BasePlugin;

/** The editor's settings dialog: an accordion of sections (at most one open) over a notice
    line. Closing it by its close button writes the user settings; the pages only change
    values in memory. The pages belong to whoever adds them. */
class OptionsWindow : public WindowComponent
{
public:
    /** One section: a header with a chevron, and its page (not owned). */
    class Panel : public juce::Component,
                  public juce::Button::Listener
    {
    public:
        class Listener
        {
        public:
            virtual ~Listener() = default;
            /** The user opened or closed the panel. */
            virtual void panelExpanded (Panel* panel) = 0;
        };

        Panel (const juce::String& title, juce::Component& page);
        ~Panel() override;

        void setExpanded (bool open, bool notify);
        bool isExpanded() const { return page.isVisible(); }

        void addListener (Listener* listener);
        void removeListener (Listener* listener);

        HeaderComponent& getHeader() noexcept { return header; }
        juce::DrawableButton& getChevron() noexcept { return chevron; }
        juce::Component& getPage() noexcept { return page; }

        void resized() override;
        void mouseDown (const juce::MouseEvent& e) override;
        void buttonClicked (juce::Button*) override {}

    private:
        juce::DrawableButton chevron { {}, juce::DrawableButton::ImageFitted };
        HeaderComponent header;
        juce::Component& page;
        ListenerArray<Listener> listeners;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Panel)
    };

    /** Stacks the panels from the top, one pixel apart. */
    class PanelContainer : public juce::Component,
                           public Panel::Listener
    {
    public:
        PanelContainer();
        ~PanelContainer() override;

        Panel* addPanel (const juce::String& title, juce::Component& page);
        int getNumPanels() const noexcept { return panels.size(); }
        Panel* getPanel (int index) const { return panels[index]; }

        void resized() override;
        void childBoundsChanged (juce::Component* child) override;
        void panelExpanded (Panel* panel) override;

    private:
        juce::OwnedArray<Panel> panels;
        bool stacking = false;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PanelContainer)
    };

    class LookAndFeel : public DefaultLookAndFeel
    {
    public:
        LookAndFeel();
    };

    static const char* const noticeText;

    explicit OptionsWindow (BasePlugin& plugin);
    ~OptionsWindow() override;

    /** Adds a section at the end; page stays the caller's. */
    Panel* addPanel (const juce::String& title, juce::Component& page);

    PanelContainer& getPanelContainer() noexcept { return panelContainer; }
    juce::Viewport& getViewport() noexcept { return viewport; }
    juce::Label& getNotice() noexcept { return notice; }

    bool dimsBackground() const override { return true; }
    void buttonClicked (juce::Button* button) override;
    void resized() override;

private:
    BasePlugin& plugin;
    PanelContainer panelContainer;
    juce::Viewport viewport;
    juce::Label notice;
    // After the parts that resized lays out: wearing it lays the window out.
    ScopedLookAndFeel<LookAndFeel> lookAndFeel { *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OptionsWindow)
};
