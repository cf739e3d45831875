#pragma once

#include "core/parameters/ListenerArray.h"
#include <juce_gui_basics/juce_gui_basics.h>

/** A text that scrolls slowly upward in a loop: it enters from below, rises one pixel every
    50 ms until its last line has left at the top, then starts again. Message thread only. */
class CreditsText : public juce::Component,
                    private juce::Timer
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** Message thread. A mouse press on the text. */
        virtual void creditsClicked (CreditsText* credits) = 0;
    };

    static constexpr int scrollIntervalMs = 50;

    explicit CreditsText (const juce::String& text);
    ~CreditsText() override;

    /** Message thread. Starts scrolling from below the bottom edge. */
    void start();
    /** Message thread. */
    void stop();
    bool isRunning() const noexcept { return isTimerRunning(); }

    int getLineCount() const noexcept { return lineCount; }
    juce::Label& getLabel() noexcept { return label; }

    void addListener (Listener* listener) { listeners.add (listener); }
    void removeListener (Listener* listener) { listeners.remove (listener); }

    void resized() override;
    void mouseDown (const juce::MouseEvent& event) override;

    /** Message thread, every 50 ms while running. */
    void timerCallback() override;

private:
    juce::Label label;
    int lineCount = 0;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CreditsText)
};
