#include "editor/DeferredFocus.h"

DeferredFocus::DeferredFocus (juce::Component& watched)
    : juce::ComponentMovementWatcher (&watched)
{
}

DeferredFocus::~DeferredFocus() = default;

void DeferredFocus::request (juce::Component& newTarget)
{
    JUCE_ASSERT_MESSAGE_THREAD
    target = &newTarget;
    serve();
}

void DeferredFocus::serve()
{
    if (target == nullptr || ! target->isShowing())
        return;

    // Taken before focusing: the focus change may ask again from a focus handler.
    auto* focused = target.getComponent();
    target = nullptr;
    focused->grabKeyboardFocus();
}
