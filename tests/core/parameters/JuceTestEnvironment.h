#pragma once

#include "core/parameters/Parameter.h"

#include <gtest/gtest.h>

/** Runs the message loop (the test thread is JUCE's message thread) until the condition holds
    or the time runs out; returns whether it holds. */
template <typename Condition>
bool pumpMessagesUntil (Condition condition, int timeoutMs = 3000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    return true;
}

/** Runs the message loop for a while, for tests that check that nothing arrives. */
inline void pumpMessagesFor (int ms)
{
    pumpMessagesUntil ([] { return false; }, ms);
}

/** A description for tests. */
inline Parameter::Description makeDescription (int id, const juce::String& name,
                                               float minimum = 0.0f, float maximum = 1.0f,
                                               float defaultValue = 0.0f)
{
    Parameter::Description d;
    d.id = id;
    d.name = name;
    d.minimum = minimum;
    d.maximum = maximum;
    d.defaultValue = defaultValue;
    return d;
}

/** Records what a parameter tells its listeners, in order, tagged with the listener's name. */
struct RecordingListener : public Parameter::Listener
{
    RecordingListener (juce::StringArray& logToUse, juce::String nameToUse)
        : log (logToUse), name (std::move (nameToUse)) {}

    void parameterChanged (Parameter* p) override       { log.add (name + " changed " + p->getName()); ++changes; }
    void parameterGestureBegan (Parameter* p) override  { log.add (name + " began " + p->getName()); }
    void parameterGestureEnded (Parameter* p) override  { log.add (name + " ended " + p->getName()); }

    juce::StringArray& log;
    juce::String name;
    int changes = 0;
};
