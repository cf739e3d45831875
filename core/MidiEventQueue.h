#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <array>

/** MIDI events consumed sample-accurately by block processing.

    Two fixed buffers: the block's events are merged in time order into the current one, the
    block is rendered piece by piece between them, and events due after the block move to the
    other buffer, which becomes current for the next block. Nothing allocates; events beyond
    the capacity (and system-exclusive messages, which an effect does not use) are dropped. */
class MidiEventQueue
{
public:
    static constexpr int capacity = 1024;

    struct Event
    {
        int sampleOffset = 0;
        juce::uint8 data[3] {};
        int size = 0;

        juce::MidiMessage toMessage() const { return juce::MidiMessage (data, size); }
        bool isController() const noexcept { return size == 3 && (data[0] & 0xf0) == 0xb0; }
        int getControllerNumber() const noexcept { return data[1]; }
        int getControllerValue() const noexcept { return data[2]; }
    };

    /** Audio thread: never allocates or locks. Adds one event; false when the queue is full or
        the message is not a short message. */
    bool add (const juce::uint8* data, int size, int sampleOffset) noexcept;
    /** Audio thread: never allocates or locks. Adds every short message of a host buffer.
        Returns the number added. */
    int addEvents (const juce::MidiBuffer& buffer) noexcept;

    /** Audio thread, or any thread while nothing processes. */
    int getNumPending() const noexcept { return counts[current]; }
    void clear() noexcept { counts = { 0, 0 }; }

    /** Audio thread: never allocates or locks itself. Renders numSamples: renderSegment
        (start, length) for each run between events (runs of zero length are skipped) and
        handleEvent (event) at each event's position, in order. */
    template <typename RenderFn, typename EventFn>
    void process (int numSamples, RenderFn&& renderSegment, EventFn&& handleEvent)
    {
        auto& events = buffers[current];
        auto& next = buffers[1 - current];
        const int count = counts[current];
        int carried = 0, position = 0;

        for (int i = 0; i < count; ++i)
        {
            const auto& e = events[(size_t) i];

            if (e.sampleOffset >= numSamples)
            {
                next[(size_t) carried] = e;
                next[(size_t) carried++].sampleOffset -= numSamples;
                continue;
            }

            const int at = juce::jmax (position, e.sampleOffset);

            if (at > position)
                renderSegment (position, at - position);

            position = at;
            handleEvent (e);
        }

        if (numSamples > position)
            renderSegment (position, numSamples - position);

        counts[current] = 0;
        counts[1 - current] = carried;
        current = 1 - current;
    }

private:
    std::array<std::array<Event, capacity>, 2> buffers {};
    std::array<int, 2> counts { 0, 0 };
    int current = 0;
};
