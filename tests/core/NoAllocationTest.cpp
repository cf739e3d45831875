// Block processing neither allocates, locks nor makes a system call, with or without MIDI,
// controllers on a mapped parameter, the quality switch and automation from another thread; in
// every build type.

#include "core/PluginAudioProcessor.h"
#include "dsp/NimbusEffectCore.h"
#include "support/AudioThreadWatch.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <thread>

TEST (NoAllocation, BlockProcessingNeitherAllocatesNorLocks)
{
    // A watch that sees nothing proves nothing.
    std::string unseen;
    ASSERT_TRUE (AudioThreadWatch::SeesAllocationsAndLocks (&unseen)) << unseen;
    ASSERT_TRUE (AudioThreadWatch::SeesSystemCalls());

    test::ScopedDataRoot root;
    PluginAudioProcessor processor;
    auto& plugin = processor.getPlugin();
    auto* mapped = plugin.getParameterManager().getParameters().getFirst();
    plugin.getMidiControlMap().setParameter (1, mapped);
    auto* effectCore = dynamic_cast<NimbusEffectCore*> (plugin.getCore());
    ASSERT_NE (effectCore, nullptr);

    // The host automates from a thread of its own the whole time.
    std::atomic<bool> stop { false };
    std::thread automation ([&] {
        for (int i = 0; ! stop; ++i)
            if (auto* p = processor.getHostParameter (*plugin.getParameterManager().getParameters()[1 + i % 4]))
                p->setValue ((float) (i % 10) / 10.0f);
    });

    for (int blockSize : { 32, 512 })
    {
        processor.prepareToPlay (48000.0, blockSize);
        juce::AudioBuffer<float> buffer (2, blockSize);
        juce::MidiBuffer midi, empty;
        midi.ensureSize (1024);

        for (int i = 0; i < 8; ++i)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, i % 2 == 0 ? 1 : 2, i * 15), i * blockSize / 8);

        midi.addEvent (juce::MidiMessage::noteOn (1, 64, 0.7f), blockSize / 2);
        midi.addEvent (juce::MidiMessage::noteOff (1, 64), blockSize + 10);   // due in the next block
        juce::MidiBuffer copy (midi);
        size_t allocations = 0, locks = 0, systemCalls = 0;
        bool systemCallsWatched = false;
        std::string systemCallsSeen;

        // The blocks run on a thread of their own, as a host's are: the watch's system-call
        // filter stays with the thread it watches.
        std::thread audio ([&] {
            AudioThreadWatch watch;
            systemCallsWatched = watch.WatchesSystemCalls();

            for (int block = 0; block < 50; ++block)
            {
                if (block == 20)
                    effectCore->addMeterReader();

                buffer.clear();
                processor.processBlock (buffer, block % 3 == 0 ? copy : empty);
                processor.processBlockBypassed (buffer, empty);
            }

            processor.setNonRealtime (true);
            processor.processBlock (buffer, copy);
            processor.setNonRealtime (false);
            processor.processBlock (buffer, copy);
            effectCore->removeMeterReader();
            allocations = watch.Allocations();
            locks = watch.DistinctLocks();
            systemCalls = watch.SystemCalls();
            systemCallsSeen = watch.SystemCallsSeen();
        });
        audio.join();

        EXPECT_EQ (allocations, 0u) << "block size " << blockSize;
        EXPECT_EQ (locks, 0u) << "block size " << blockSize;
        EXPECT_TRUE (systemCallsWatched);
        EXPECT_EQ (systemCalls, 0u) << "block size " << blockSize << ": " << systemCallsSeen;
        processor.releaseResources();
    }

    stop = true;
    automation.join();

    // The controllers moved the parameter; the host hears of it from the message thread.
    EXPECT_FLOAT_EQ (mapped->getNormalisedValue(), 90.0f / 127.0f);
    processor.deliverHostNotifications();
    EXPECT_FLOAT_EQ (processor.getHostParameter (*mapped)->getValue(), 90.0f / 127.0f);
}
