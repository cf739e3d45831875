#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The editor's front layer: at most one small, non-modal pop-up (a value picker, the MIDI CC
    learn pop-up, a status-bar page) placed against an anchor and closed by a press anywhere
    else in the editor. A base of the editor; it never owns the pop-up. */
class FrontWindow
{
public:
    /** Told when the pop-up it showed closes. */
    class Callback
    {
    public:
        /** pressedComponent: the component whose press closed the pop-up; null when it closed
            any other way. */
        virtual void frontWindowClosed (juce::Component* popup, juce::Component* pressedComponent) = 0;

    protected:
        ~Callback() = default;
    };

    /** owner: the editor component the pop-ups are shown in. */
    explicit FrontWindow (juce::Component& owner);
    ~FrontWindow();

    /** The component itself when it is a FrontWindow, else its nearest such parent, or null. */
    static FrontWindow* findFrontWindow (juce::Component* component);

    /** Shows popup in the front window of caller (nothing when there is none). The pop-up
        point given by popupJustification (juce::Justification flags: 2 right, 4 horizontally
        centred, 16 bottom, 32 vertically centred; else left or top) is put on the anchor's
        point given by anchorJustification, moved by offset, and kept inside the owner. The
        caller, when it is a Callback, is told of the closing. A null anchor is the owner. */
    static void show (juce::Component* caller, juce::Component* popup, juce::Component* anchor,
                      int popupJustification, int anchorJustification, juce::Point<int> offset);
    void showFront (juce::Component* caller, juce::Component* popup, juce::Component* anchor,
                    int popupJustification, int anchorJustification, juce::Point<int> offset);

    /** Closes popup when it is the front pop-up of component's front window; false otherwise. */
    static bool hide (juce::Component* component, juce::Component* popup);
    bool closeIfFront (juce::Component* popup);
    /** Closes the front pop-up, if any. */
    void hideFront();
    /** The common closing step: the pop-up leaves the owner, then the callback is told. */
    void closeFront (juce::Component* popup, juce::Component* pressedComponent = nullptr);

    juce::Component* getFrontComponent() const noexcept { return front.getComponent(); }
    juce::Component& getFrontOwner() const noexcept { return owner; }

private:
    class Hider : public juce::MouseListener,
                  public juce::ComponentListener,
                  public juce::AsyncUpdater
    {
    public:
        explicit Hider (FrontWindow& frontWindow);
        ~Hider() override;

        void mouseDown (const juce::MouseEvent& e) override;
        // Message thread.
        void handleAsyncUpdate() override;
        void componentBeingDeleted (juce::Component& component) override;
        void componentVisibilityChanged (juce::Component& component) override;
        void componentParentHierarchyChanged (juce::Component& component) override;

    private:
        FrontWindow& frontWindow;
    };

    juce::Component& owner;
    Hider hider;
    juce::Component::SafePointer<juce::Component> front;
    Callback* callback = nullptr;

    JUCE_DECLARE_NON_COPYABLE (FrontWindow)
};
