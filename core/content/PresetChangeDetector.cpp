#include "core/content/PresetChangeDetector.h"

PresetChangeDetector::PresetChangeDetector (ParameterManager& m) : manager (m)
{
    manager.addListenerToAll (this);
}

PresetChangeDetector::~PresetChangeDetector()
{
    stopTimer();
    manager.removeListenerFromAll (this);
}

void PresetChangeDetector::setActive (bool on, int intervalMs)
{
    stopTimer();
    snapshot.clearQuick();
    cachedChanges = false;
    changeCount = 0;
    active = on;
    interval = intervalMs > 0 ? intervalMs : defaultIntervalMs;

    if (! on)
        return;

    for (auto* p : manager.getParameters())
        if (! p->isExcludedFromPresets())
            snapshot.add ({ p, p->getText() });

    activatedAt = juce::Time::getMillisecondCounter();
    startTimer (interval);
}

bool PresetChangeDetector::hasChanges() const
{
    if (! active)
        return false;

    for (const auto& entry : snapshot)
        if (entry.first->getText() != entry.second)
            return true;

    return false;
}

void PresetChangeDetector::parameterChanged (Parameter* parameter)
{
    if (active && parameter != nullptr && ! parameter->isExcludedFromPresets()
        && juce::Time::getMillisecondCounter() - activatedAt >= (juce::uint32) interval)
        ++changeCount;
}

void PresetChangeDetector::timerCallback()
{
    cachedChanges = hasChanges();
}
