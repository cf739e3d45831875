#pragma once

#include <juce_events/juce_events.h>

/** The frame interface of skin widgets, and the actions that show a frame for a while.

    An action shows its target frame, remembers the frame it replaced and, after the given
    time, returns to it. One timer shared by all widgets ends the running actions, so a skin
    full of blinking lights costs one timer. Message thread only. */
class AnimatedComponent
{
public:
    enum Action
    {
        firstFrameAction = 0,
        lastFrameAction = 2
    };

    enum Mode
    {
        idleMode = 0,
        actionMode = 1
    };

    /** The time the MIDI activity light stays lit. */
    static constexpr int blinkMilliseconds = 175;

    AnimatedComponent();
    virtual ~AnimatedComponent();

    /** Message thread (the shared action timer too). */
    virtual int getFrame() const { return frame; }
    /** Message thread (the shared action timer too, when an action ends). True when the frame
        changed. */
    virtual bool setFrame (int newFrame);
    /** Message thread (the shared action timer too). */
    virtual int getNumFrames() const { return 1; }

    /** The frame an action shows: 0 for the first, the last frame for action 2, else the
        current frame. */
    int getActionTargetFrame (int action) const;

    /** Message thread (the editor's display timer too, for the MIDI activity blink). Shows the
        action's frame and returns to the frame shown before after the time (a repeated action
        during a running one only extends it). */
    void runAction (int action, int milliseconds);
    /** Message thread (the shared 10 ms action timer too, when the time is up). Ends a
        running action now, back on the remembered frame. */
    void endAction();

    int getMode() const noexcept { return mode; }
    bool isActionRunning() const noexcept { return mode == actionMode; }

protected:
    /** Sets the frame, or while an action runs, the frame the action returns to.
        True when the shown frame changed. */
    bool setRestingFrame (int newFrame);

    int frame = 0;

private:
    class SharedTimer;

    juce::SharedResourcePointer<SharedTimer> sharedTimer;
    int mode = idleMode;
    int rememberedFrame = 0;
    juce::uint32 actionEnd = 0;

    JUCE_DECLARE_NON_COPYABLE (AnimatedComponent)
};
