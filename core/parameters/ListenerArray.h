#pragma once

#include <juce_core/juce_core.h>

/** The listeners of one of our objects: each added once (null is ignored), told last added
    first. A listener may remove itself or others while it is being told. Not locked: the
    object's one thread (the message thread for all but the parameters, which lock their own). */
template <class ListenerType>
class ListenerArray
{
public:
    void add (ListenerType* listener)
    {
        if (listener != nullptr)
            listeners.addIfNotAlreadyThere (listener);
    }

    void remove (ListenerType* listener) { listeners.removeFirstMatchingValue (listener); }
    void clear() { listeners.clear(); }
    int size() const noexcept { return listeners.size(); }

    /** Calls tell (listener) for each listener, last added first. */
    template <typename Callback>
    void call (Callback&& tell)
    {
        // Index-based and re-checked, for the listeners that leave while told.
        for (int i = listeners.size(); --i >= 0;)
            if (i < listeners.size())
                tell (*listeners.getUnchecked (i));
    }

private:
    juce::Array<ListenerType*> listeners;
};
