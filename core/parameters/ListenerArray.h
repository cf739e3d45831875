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

    /** As call, but stops before the next listener once stop () is true: for owners that a
        listener may delete (stop must not touch the owner). */
    template <typename StopCheck, typename Callback>
    static void callUnlessStopped (ListenerArray& array, StopCheck&& stop, Callback&& tell)
    {
        const int count = array.size();

        for (int i = count; --i >= 0;)
        {
            if (stop())
                return;

            if (i < array.listeners.size())
                tell (*array.listeners.getUnchecked (i));
        }
    }

private:
    juce::Array<ListenerType*> listeners;
};
