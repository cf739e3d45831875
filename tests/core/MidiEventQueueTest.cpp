#include "core/MidiEventQueue.h"
#include <gtest/gtest.h>

namespace
{
    struct Trace
    {
        juce::StringArray steps;

        void run (MidiEventQueue& queue, int numSamples)
        {
            queue.process (
                numSamples,
                [this] (int start, int length) { steps.add ("render " + juce::String (start) + "+" + juce::String (length)); },
                [this] (const MidiEventQueue::Event& e) { steps.add ("event " + juce::String (e.data[1])); });
        }
    };
}

TEST (MidiEventQueue, RendersBetweenEventsInTimeOrderAndCarriesLateOnes)
{
    MidiEventQueue queue;
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 10, 1.0f), 0);
    midi.addEvent (juce::MidiMessage::noteOn (1, 11, 1.0f), 30);
    midi.addEvent (juce::MidiMessage::noteOn (1, 12, 1.0f), 30);
    midi.addEvent (juce::MidiMessage::noteOn (1, 13, 1.0f), 70);   // after this block
    EXPECT_EQ (queue.addEvents (midi), 4);

    Trace first;
    first.run (queue, 64);
    EXPECT_EQ (first.steps, juce::StringArray ({ "event 10", "render 0+30", "event 11", "event 12", "render 30+34" }));
    EXPECT_EQ (queue.getNumPending(), 1);

    // The late event lands 6 samples into the next block, before that block's own event.
    const juce::uint8 cc[] = { 0xb0, 14, 5 };
    queue.add (cc, 3, 20);

    Trace second;
    second.run (queue, 64);
    EXPECT_EQ (second.steps, juce::StringArray ({ "render 0+6", "event 13", "render 6+14", "event 14", "render 20+44" }));
    EXPECT_EQ (queue.getNumPending(), 0);
}

TEST (MidiEventQueue, RefusesWhatItCannotHold)
{
    MidiEventQueue queue;
    const juce::uint8 note[] = { 0x90, 60, 100 };
    const juce::uint8 sysex[] = { 0xf0, 1, 0xf7 };
    const juce::uint8 dataByte[] = { 0x40 };

    EXPECT_FALSE (queue.add (sysex, 3, 0));
    EXPECT_FALSE (queue.add (dataByte, 1, 0));
    EXPECT_FALSE (queue.add (nullptr, 3, 0));
    EXPECT_FALSE (queue.add (note, 4, 0));

    for (int i = 0; i < MidiEventQueue::capacity; ++i)
        ASSERT_TRUE (queue.add (note, 3, i));

    EXPECT_FALSE (queue.add (note, 3, 0));

    int events = 0, rendered = 0;
    queue.process (
        16, [&] (int, int length) { rendered += length; }, [&] (const auto&) { ++events; });
    EXPECT_EQ (events, 16);
    EXPECT_EQ (rendered, 16);
    EXPECT_EQ (queue.getNumPending(), MidiEventQueue::capacity - 16);
}
