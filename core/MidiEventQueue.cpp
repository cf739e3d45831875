#include "core/MidiEventQueue.h"

bool MidiEventQueue::add (const juce::uint8* data, int size, int sampleOffset) noexcept
{
    auto& events = buffers[current];
    auto& count = counts[current];

    if (data == nullptr || size < 1 || size > 3 || data[0] < 0x80 || data[0] == 0xf0 || count >= capacity)
        return false;

    // Keep time order: later events of equal offset go after earlier ones.
    int index = count;

    while (index > 0 && events[(size_t) index - 1].sampleOffset > sampleOffset)
    {
        events[(size_t) index] = events[(size_t) index - 1];
        --index;
    }

    auto& e = events[(size_t) index];
    e.sampleOffset = juce::jmax (0, sampleOffset);
    e.size = size;
    std::copy (data, data + size, e.data);
    ++count;
    return true;
}

int MidiEventQueue::addEvents (const juce::MidiBuffer& buffer) noexcept
{
    int added = 0;

    for (const auto metadata : buffer)
        if (add (metadata.data, metadata.numBytes, metadata.samplePosition))
            ++added;

    return added;
}
