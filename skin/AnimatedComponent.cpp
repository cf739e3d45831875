#include "skin/AnimatedComponent.h"

// Ends the actions of every animated widget; it runs only while an action runs, and lives as
// long as any animated widget does.
class AnimatedComponent::SharedTimer : private juce::Timer
{
public:
    ~SharedTimer() override { stopTimer(); }

    void add (AnimatedComponent* c)
    {
        running.addIfNotAlreadyThere (c);

        if (! isTimerRunning())
            startTimer (tickMilliseconds);
    }

    void remove (AnimatedComponent* c)
    {
        running.removeFirstMatchingValue (c);

        if (running.isEmpty())
            stopTimer();
    }

private:
    static constexpr int tickMilliseconds = 10;

    void timerCallback() override
    {
        const auto now = juce::Time::getMillisecondCounter();

        // Ending an action may start or end others; work on a copy.
        const auto current = running;

        for (auto* c : current)
            if (running.contains (c) && (juce::int32) (now - c->actionEnd) >= 0)
                c->endAction();
    }

    juce::Array<AnimatedComponent*> running;
};

AnimatedComponent::AnimatedComponent() = default;

AnimatedComponent::~AnimatedComponent()
{
    sharedTimer->remove (this);
}

bool AnimatedComponent::setFrame (int newFrame)
{
    const int clamped = juce::jlimit (0, juce::jmax (0, getNumFrames() - 1), newFrame);

    if (clamped == frame)
        return false;

    frame = clamped;
    return true;
}

int AnimatedComponent::getActionTargetFrame (int action) const
{
    switch (action)
    {
        case firstFrameAction: return 0;
        case lastFrameAction: return juce::jmax (0, getNumFrames() - 1);
        default: return getFrame();
    }
}

void AnimatedComponent::runAction (int action, int milliseconds)
{
    if (mode == idleMode)
        rememberedFrame = getFrame();

    mode = actionMode;
    actionEnd = juce::Time::getMillisecondCounter() + (juce::uint32) juce::jmax (0, milliseconds);
    setFrame (getActionTargetFrame (action));
    sharedTimer->add (this);
}

bool AnimatedComponent::setRestingFrame (int newFrame)
{
    if (mode == actionMode)
    {
        rememberedFrame = newFrame;
        return false;
    }

    return setFrame (newFrame);
}

void AnimatedComponent::endAction()
{
    sharedTimer->remove (this);

    if (mode != actionMode)
        return;

    mode = idleMode;
    setFrame (rememberedFrame);
}
