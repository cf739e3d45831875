#include "editor/windows/DeferredFocus.h"

DeferredFocus::DeferredFocus (juce::Component& watched)
    : juce::ComponentMovementWatcher (&watched)
{
}

DeferredFocus::~DeferredFocus() = default;

void DeferredFocus::request (juce::Component& newTarget)
{
    JUCE_ASSERT_MESSAGE_THREAD
    target = &newTarget;
    retries = 0;
    serve();
}

void DeferredFocus::cancel()
{
    target = nullptr;
    stopTimer();
}

void DeferredFocus::serve()
{
    if (target == nullptr || ! target->isShowing())
    {
        // Hidden again while retrying: wait for the next showing.
        stopTimer();
        return;
    }

    target->grabKeyboardFocus();

    // JUCE gives up when the window cannot take the focus yet; it is asked again shortly.
    if (target != nullptr && ! target->hasKeyboardFocus (true) && ++retries < maximumRetries)
    {
        startTimer (retryIntervalMs);
        return;
    }

    cancel();
}
