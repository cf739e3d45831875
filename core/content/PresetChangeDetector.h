#pragma once

#include "core/parameters/ParameterManager.h"

/** Tells whether any parameter that presets hold differs from the settings last loaded or
    saved. Message thread, except the atomic flag and count.

    Activation takes a snapshot of every such parameter's value text. hasChanges() compares the
    parameters with it at once; a timer (75 ms by default) keeps an atomic copy of the answer
    for readers on other threads. Parameter notifications count the changes made after the
    first interval (those before it are the load's own, delivered late). */
class PresetChangeDetector : public Parameter::Listener,
                             private juce::Timer
{
public:
    static constexpr int defaultIntervalMs = 75;

    explicit PresetChangeDetector (ParameterManager& manager);
    ~PresetChangeDetector() override;

    /** Restarts (on) or stops (off) detection; either clears the unsaved-changes state. */
    void setActive (bool on, int intervalMs = defaultIntervalMs);
    bool isActive() const noexcept { return active; }
    int getIntervalMs() const noexcept { return interval; }

    /** Compares now (message thread); false while inactive. */
    bool hasChanges() const;
    /** The answer of the last timer tick (any thread). */
    bool hasChangesCached() const noexcept { return cachedChanges.load(); }
    /** Changes of preset parameters notified since the first interval after activation. */
    int getChangeCount() const noexcept { return changeCount.load(); }

    void parameterChanged (Parameter* parameter) override;

private:
    // Message thread: the detection interval's tick.
    void timerCallback() override;

    ParameterManager& manager;
    juce::Array<std::pair<Parameter*, juce::String>> snapshot;
    bool active = false;
    int interval = defaultIntervalMs;
    juce::uint32 activatedAt = 0;
    std::atomic<bool> cachedChanges { false };
    std::atomic<int> changeCount { 0 };

    JUCE_DECLARE_NON_COPYABLE (PresetChangeDetector)
};
