#pragma once

#include "core/content/ContentSource.h"
#include "editor/browser/ExpandCollapseButton.h"
#include "skin/HeaderComponent.h"
#include "skin/TextButtonWithIcon.h"

/** The browser's left panel: a "CONTENT" header with an expand/collapse toggle and one toggle
    button per content source. A source contributes items while its button is on (with none
    on, all do); in Edit Mode the buttons are disabled and show the current source.
    Message thread only. */
class ContentSourcesComponent : public juce::Component,
                                public juce::Button::Listener
{
public:
    /** What the panel needs of the browser that owns it. */
    class Owner
    {
    public:
        virtual ~Owner() = default;
        /** The source that saving and Edit Mode act on (may be null). */
        virtual ContentSource* getCurrentSource() const = 0;
    };

    /** Colour ids of the source buttons, looked up on the panel and its parents. */

    static constexpr int buttonHeight = 20;
    static constexpr int buttonSpacing = 21;

    /** Message thread. */
    explicit ContentSourcesComponent (Owner& owner);
    ~ContentSourcesComponent() override;

    /** Message thread: adds a button for the source (which it does not own), on while the
        source is selected. */
    void addSource (ContentSource* source);
    /** Message thread: enables or disables every source button. */
    void setButtonsEnabled (bool enabled);
    /** Message thread: sets the buttons without notification: in Edit Mode only the current
        source's is on, else those of the selected sources. */
    void showCurrentSource (bool editMode);

    int getNumSources() const noexcept { return sources.size(); }
    ContentSource* getSource (int index) const noexcept { return sources[index]; }
    TextButtonWithIcon* getSourceButton (int index) const noexcept { return buttons[index]; }
    /** The expand/collapse toggle; the browser listens to it. */
    juce::Button& getExpandButton() noexcept { return expandButton; }
    HeaderComponent& getHeader() noexcept { return header; }

    void paint (juce::Graphics& g) override;
    void resized() override;
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;
    void buttonClicked (juce::Button* button) override;

private:
    void colourButton (TextButtonWithIcon& button);

    Owner& owner;
    ExpandCollapseButton expandButton;
    HeaderComponent header { "CONTENT", &expandButton, nullptr };
    juce::Array<ContentSource*> sources;
    juce::OwnedArray<TextButtonWithIcon> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContentSourcesComponent)
};
