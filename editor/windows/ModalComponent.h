#pragma once

#include "editor/windows/DeferredFocus.h"
#include <juce_gui_basics/juce_gui_basics.h>

/** The base of every dialog and pop-up menu of the editor. They live inside the editor's own
    component tree: when shown, the component moves into a covering window that fills the
    nearest ModalComponent::Desktop (the editor) and swallows clicks outside the component. */
class ModalComponent : public juce::Component
{
public:
    enum PositionMode
    {
        Centred = 0,
        AtPosition = 1
    };

    /** Where modal components are hosted; only the area's size is used. */
    class Desktop
    {
    public:
        virtual ~Desktop() = default;
        virtual juce::Rectangle<int> getDesktopArea() = 0;
    };

    explicit ModalComponent (const juce::String& name = {});
    ~ModalComponent() override;

    /** Whether the covering window veils what lies behind the component. */
    virtual bool dimsBackground() const { return false; }
    /** Places the component: at the stored position, or centred in the desktop area. */
    virtual void updatePosition();

    /** The component must already sit somewhere below a Desktop (callers add it to a parent
        first); without one it is just made visible in place. position is in relativeTo's
        coordinates when relativeTo is given. */
    void show (juce::Component* relativeTo = nullptr, juce::Point<int> position = {},
               PositionMode mode = Centred);
    void showAt (juce::Component* relativeTo, juce::Point<int> position);
    /** Hides the component and its covering window; both stay in the tree for the next show. */
    void hide();

    PositionMode getPositionMode() const noexcept { return positionMode; }
    juce::Point<int> getStoredPosition() const noexcept { return position; }
    juce::Component& getCoveringWindow() noexcept { return coveringWindow; }
    bool isInCoveringWindow() const noexcept;

    void parentHierarchyChanged() override;
    void resized() override;

protected:
    /** Message thread. Focuses target (inside this component) now when it is on the screen,
        else once this component comes on the screen; hiding forgets it. */
    void focusWhenShown (juce::Component& target) { deferredFocus.request (target); }

private:
    class CoveringWindow : public juce::Component
    {
    public:
        explicit CoveringWindow (ModalComponent& owner);

        void paint (juce::Graphics& g) override;
        void resized() override;
        void parentSizeChanged() override;
        void parentHierarchyChanged() override;

    private:
        void fitToParent();

        ModalComponent& owner;
    };

    void attachToDesktop();

    PositionMode positionMode = Centred;
    juce::Point<int> position;
    CoveringWindow coveringWindow;
    DeferredFocus deferredFocus { *this };
    bool attaching = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModalComponent)
};
