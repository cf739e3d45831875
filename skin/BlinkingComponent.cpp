#include "skin/BlinkingComponent.h"

BlinkingComponent::BlinkingComponent() = default;

BlinkingComponent::~BlinkingComponent()
{
    timer.stopTimer();
}

void BlinkingComponent::InternalTimer::timerCallback()
{
    owner.blinkOn = ! owner.blinkOn;
    owner.blinkStateChanged();
}
