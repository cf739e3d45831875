#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Gives the keyboard focus to a component once it is on the screen. JUCE can focus only a
    showing component, and dialogs often open in an editor the host has not shown yet (or
    never shows, as when a state is restored with the window closed). A window that has just
    come on the screen may not take the focus at once: the request is tried again for a while.
    Message thread only. */
class DeferredFocus : private juce::ComponentMovementWatcher,
                      private juce::Timer
{
public:
    /** watched: the dialog whose showing decides; the targets are inside it. */
    explicit DeferredFocus (juce::Component& watched);
    ~DeferredFocus() override;

    /** Message thread. Focuses target now when it is showing, else as soon as the watched
        component comes on the screen; a later request replaces an earlier one. */
    void request (juce::Component& target);
    /** Message thread. Forgets a request that has not been served. */
    void cancel();
    bool isPending() const noexcept { return target != nullptr; }

    static constexpr int retryIntervalMs = 20, maximumRetries = 50;

private:
    void componentMovedOrResized (bool, bool) override {}
    void componentPeerChanged() override { serve(); }
    void componentVisibilityChanged() override { serve(); }
    /** Message thread. */
    void timerCallback() override { serve(); }
    void serve();

    juce::Component::SafePointer<juce::Component> target;
    int retries = 0;

    JUCE_DECLARE_NON_COPYABLE (DeferredFocus)
};
