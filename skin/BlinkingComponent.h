#pragma once

#include <juce_events/juce_events.h>

/** Mix-in that gives a widget a blink phase flipped by its own timer.

    The owner starts and stops blinking through getBlinkTimer() (startTimer / stopTimer) and
    reads isBlinkOn() when it paints. Stopping leaves the phase as it was at the last tick.
*/
class BlinkingComponent
{
public:
    BlinkingComponent();
    virtual ~BlinkingComponent();

    /** Message thread (the blink timer). Called after every flip of the phase. */
    virtual void blinkStateChanged() {}

    bool isBlinkOn() const noexcept { return blinkOn; }
    juce::Timer& getBlinkTimer() noexcept { return timer; }

    class InternalTimer : public juce::Timer
    {
    public:
        explicit InternalTimer (BlinkingComponent& ownerToUse) : owner (ownerToUse) {}
        /** Message thread (the blink timer, at the owner's interval). Flips the phase. */
        void timerCallback() override;

    private:
        BlinkingComponent& owner;
    };

protected:
    /** Lets the owner put the phase in a defined state (no blinkStateChanged call). */
    void setBlinkOn (bool shouldBeOn) noexcept { blinkOn = shouldBeOn; }

    InternalTimer timer { *this };
    bool blinkOn = false;

private:
    JUCE_DECLARE_NON_COPYABLE (BlinkingComponent)
};
