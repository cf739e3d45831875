#include "core/NimbusEffect.h"
#include "core/PluginAudioProcessor.h"
#include "dsp/PeakMeter.h"
#include "dsp/PeakQueue.h"
#include "support/TestPluginCore.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <thread>
#include <utility>

namespace
{
    juce::AudioBuffer<float> makeNoise (int channels, int samples, int seed)
    {
        juce::Random random (seed);
        juce::AudioBuffer<float> buffer (channels, samples);

        for (int ch = 0; ch < channels; ++ch)
            for (int i = 0; i < samples; ++i)
                buffer.setSample (ch, i, random.nextFloat() * 1.6f - 0.8f);

        return buffer;
    }

    bool bitEqual (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b, int channels)
    {
        for (int ch = 0; ch < channels; ++ch)
            if (std::memcmp (a.getReadPointer (ch), b.getReadPointer (ch), sizeof (float) * (size_t) a.getNumSamples()) != 0)
                return false;

        return true;
    }

    struct FixedPlayHead : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override
        {
            ++asked;
            PositionInfo info;
            info.setBpm (93.5);
            return info;
        }
        mutable int asked = 0;
    };

    class AudioRoadTest : public ::testing::Test
    {
    protected:
        void prepare (int channels, double rate, int maxBlock)
        {
            const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
            ASSERT_TRUE (processor.setBusesLayout ({ { set }, { set } }));
            processor.prepareToPlay (rate, maxBlock);
        }

        test::TestPluginCore& core() { return *dynamic_cast<test::TestPluginCore*> (processor.getPlugin().getCore()); }
        Parameter& parameter (const juce::String& name)
        {
            auto* p = processor.getPlugin().getParameterManager().getParameterByName (name);
            EXPECT_NE (p, nullptr) << name.toStdString();
            return *p;
        }

        test::ScopedDataRoot root;
        PluginAudioProcessor processor;
    };
}

TEST_F (AudioRoadTest, PassesAudioBitExactAcrossBlockSizesChannelsAndMidiSplits)
{
    core().addMeterReader();

    for (int channels : { 1, 2 })
    {
        prepare (channels, 48000.0, 1024);

        for (int blockSize : { 1, 7, 32, 512, 1024 })
        {
            auto input = makeNoise (channels, blockSize, blockSize * channels);
            auto buffer = input;

            // Notes and controllers inside the block split its rendering into pieces.
            juce::MidiBuffer midi;
            midi.addEvent (juce::MidiMessage::noteOn (1, 60, 0.5f), blockSize / 3);
            midi.addEvent (juce::MidiMessage::noteOff (1, 60), blockSize / 2);
            midi.addEvent (juce::MidiMessage::controllerEvent (1, 20, 64), blockSize - 1);

            processor.processBlock (buffer, midi);

            EXPECT_TRUE (bitEqual (buffer, input, channels)) << channels << " channels, block " << blockSize;
        }
    }
}

TEST_F (AudioRoadTest, MetersKeepEveryPeakBetweenTwoTakesWhateverTheBlockSize)
{
    // Quiet noise with one spike early in each stretch, many publishing intervals before its
    // end: a take shows the spike, however small the blocks and wherever MIDI splits them.
    // Each stretch is 30 ms, longer than the editor's 25 ms between takes.
    const double rate = 48000.0;
    const int stretch = 1440, spikeAt = 100;

    for (int channels : { 1, 2 })
    {
        for (int blockSize : { 1, 7, 32, 100, 512 })
        {
            prepare (channels, rate, blockSize);
            core().addMeterReader();
            int seed = blockSize;

            const auto play = [&] (float spike) {
                for (int done = 0; done < stretch; done += blockSize)
                {
                    auto buffer = makeNoise (channels, blockSize, ++seed);
                    buffer.applyGain (0.25f);

                    if (done <= spikeAt && spikeAt < done + blockSize)
                        buffer.setSample (channels - 1, spikeAt - done, -spike);

                    juce::MidiBuffer midi;

                    if (seed % 3 == 0)
                        midi.addEvent (juce::MidiMessage::controllerEvent (1, 20, 64), blockSize / 2);

                    processor.processBlock (buffer, midi);
                }
            };

            const juce::String where = juce::String (channels) + " channels, block " + juce::String (blockSize);
            play (0.9f);
            EXPECT_EQ (core().takeMeterValue (channels - 1), 0.9f) << where;
            play (0.6f);
            EXPECT_EQ (core().getMeterValue (channels - 1), 0.6f) << where;
            EXPECT_EQ (core().takeMeterValue (channels - 1), 0.6f) << where << ": only what came after the last take";

            // Nothing published since: the last value taken holds.
            EXPECT_EQ (core().takeMeterValue (channels - 1), 0.6f) << where;
            EXPECT_EQ (core().getMeterValue (channels - 1), 0.6f) << where;

            // Mono shows the one channel on both meters; the other meter was never taken.
            if (channels == 1)
                EXPECT_EQ (core().takeMeterValue (1), 0.9f) << where;
            else
                EXPECT_LE (core().takeMeterValue (0), 0.25f) << where;

            core().removeMeterReader();
            processor.releaseResources();
        }
    }
}

TEST_F (AudioRoadTest, MetersRunOnlyWhileReadClampAndBypassPassesAudio)
{
    prepare (2, 44100.0, 64);

    juce::AudioBuffer<float> loud (2, 64);
    loud.clear();
    loud.setSample (0, 10, 3.0f);
    loud.setSample (1, 20, -0.25f);
    juce::MidiBuffer midi;

    // Four blocks are more than the few milliseconds after which the peaks are published.
    const auto play = [&] (int blocks = 4) {
        for (int i = 0; i < blocks; ++i)
            processor.processBlock (loud, midi);
    };

    // Nobody reads: the meters keep still.
    play();
    EXPECT_EQ (core().getMeterValue (0), 0.0f);

    // Two readers; the meters run until the last one leaves, and an extra leave is harmless.
    core().addMeterReader();
    core().addMeterReader();
    play();
    EXPECT_EQ (core().takeMeterValue (0), 1.0f);
    EXPECT_EQ (core().takeMeterValue (1), 0.25f);
    core().removeMeterReader();
    loud.setSample (1, 20, -0.5f);
    play (5);   // the fifth block waits in the running maximum
    EXPECT_EQ (core().takeMeterValue (0), 1.0f);
    EXPECT_EQ (core().takeMeterValue (1), 0.5f);

    for (int i = 0; i < 3; ++i)
        core().removeMeterReader();

    EXPECT_EQ (core().getNumMeterReaders(), 0);
    loud.setSample (1, 20, -0.75f);
    play();
    EXPECT_EQ (core().takeMeterValue (1), 0.5f);

    // What is not a number counts as silence; an infinite sample shows full scale. The block
    // gathered before the meters were last unread is not shown when they are read again.
    core().addMeterReader();
    loud.setSample (0, 10, std::numeric_limits<float>::quiet_NaN());
    loud.setSample (1, 20, -std::numeric_limits<float>::infinity());
    play();
    EXPECT_EQ (core().takeMeterValue (0), 0.0f);
    EXPECT_EQ (core().takeMeterValue (1), 1.0f);
    core().removeMeterReader();

    auto input = makeNoise (2, 64, 3);
    auto buffer = input;
    processor.processBlockBypassed (buffer, midi);
    EXPECT_TRUE (bitEqual (buffer, input, 2));
}

TEST (PeakMeter, EveryVectorUnitGivesTheScalarPeak)
{
    // Lengths around every unit's stride and its eight-vector loop; a NaN, an infinity and the
    // largest value at the edges, where a vector loop hands over to its tail. Two blocks in a
    // row: the lanes keep the running maximum across them.
    const auto scalar = PeakMeter::getFunction (PeakMeter::Unit::scalar);
    EXPECT_TRUE (PeakMeter::isSupported (PeakMeter::getWidestUnit()));
    juce::Random random (5);
    std::vector<float> left (300), right (300);

    const auto peaks = [] (const PeakMeter::Lanes& lanes) { return std::make_pair (PeakMeter::reduce (lanes.left), PeakMeter::reduce (lanes.right)); };

    for (int length : { 0, 1, 7, 8, 15, 16, 31, 32, 33, 63, 64, 65, 127, 128, 129, 200, 255, 300 })
    {
        for (int i = 0; i < length; ++i)
        {
            left[(size_t) i] = random.nextFloat() * 2.0f - 1.0f;
            right[(size_t) i] = random.nextFloat() * 2.0f - 1.0f;
        }

        if (length > 3)
        {
            left[0] = std::numeric_limits<float>::quiet_NaN();
            right[(size_t) length - 1] = -std::numeric_limits<float>::infinity();
            left[(size_t) length - 2] = -1.5f;
        }

        for (auto unit : { PeakMeter::Unit::sse2, PeakMeter::Unit::avx, PeakMeter::Unit::avx512 })
        {
            if (! PeakMeter::isSupported (unit))
                continue;

            // Buffers at every alignment: the kernels read the ends where they lie. The
            // largest sample at every place in turn: no stretch of a block goes unread.
            for (int offset : { 0, 1, 3 })
            {
                for (const float* r : { (const float*) right.data() + offset, (const float*) nullptr })
                {
                    const int n = juce::jmax (0, length - offset);

                    for (int spike = -1; spike < n; ++spike)
                    {
                        const auto kept = spike >= 0 ? std::exchange (left[(size_t) (offset + spike)], -2.0f) : 0.0f;
                        PeakMeter::Lanes expected, lanes;
                        expected.left[0] = lanes.left[5] = 0.125f;   // from an earlier block
                        scalar (left.data() + offset, r, n, expected);
                        scalar (left.data() + n / 2, nullptr, n - n / 2, expected);
                        PeakMeter::getFunction (unit) (left.data() + offset, r, n, lanes);
                        PeakMeter::getFunction (unit) (left.data() + n / 2, nullptr, n - n / 2, lanes);
                        ASSERT_EQ (peaks (lanes), peaks (expected)) << "unit " << (int) unit << ", length " << n << ", offset " << offset << ", largest at " << spike;

                        if (spike >= 0)
                            left[(size_t) (offset + spike)] = kept;
                    }
                }
            }
        }
    }
}

TEST (PeakQueue, AReaderFarBehindLosesNoPeakAndSeesNoneTwice)
{
    // Twenty peaks before the first take, more than the queue holds: the largest of the
    // overflow waits for room and comes with the next peak added after the take.
    PeakQueue queue;

    for (int i = 1; i <= 20; ++i)
        queue.add (i == 18 ? 0.9f : (float) i / 100.0f);

    EXPECT_EQ (queue.peek(), 0.16f);
    EXPECT_EQ (queue.take(), 0.16f);
    EXPECT_EQ (queue.take(), 0.16f) << "nothing added since: the last value taken";
    queue.add (0.05f);
    EXPECT_EQ (queue.peek(), 0.9f);
    EXPECT_EQ (queue.take(), 0.9f);
    queue.add (0.05f);
    EXPECT_EQ (queue.take(), 0.05f) << "what was taken is not shown again";
}

TEST_F (AudioRoadTest, MidiDueInALaterBlockReachesItWithoutMidiOfItsOwn)
{
    // A controller beyond the first block's end moves the parameter in the next block, which
    // brings no MIDI: that block takes the full path too.
    prepare (2, 48000.0, 64);
    auto& target = parameter ("Mix");
    processor.getPlugin().getMidiControlMap().setParameter (21, &target);
    target.setNormalisedValue (0.0f, false);
    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    juce::MidiBuffer midi, none;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 21, 127), 64 + 10);

    processor.processBlock (buffer, midi);
    EXPECT_FLOAT_EQ (target.getNormalisedValue(), 0.0f);
    processor.processBlock (buffer, none);
    EXPECT_FLOAT_EQ (target.getNormalisedValue(), 1.0f);
    EXPECT_FLOAT_EQ (core().getParameterValue (target.getId()), target.getMaximum());
}

TEST_F (AudioRoadTest, OutputWithoutInputIsCleared)
{
    // The host hands a buffer with more channels than the plug-in has inputs: the extra output
    // carries garbage that must not leak out.
    ASSERT_TRUE (processor.setBusesLayout ({ { juce::AudioChannelSet::mono() }, { juce::AudioChannelSet::mono() } }));
    processor.prepareToPlay (48000.0, 64);

    BasePlugin::ProcessContext context;
    context.numInputChannels = 1;
    context.numOutputChannels = 2;

    auto buffer = makeNoise (2, 64, 9);
    const auto input = buffer;
    juce::MidiBuffer midi;
    processor.getPlugin().processBlock (buffer, midi, context);

    EXPECT_EQ (buffer.getMagnitude (1, 0, 64), 0.0f);
    EXPECT_TRUE (bitEqual (buffer, input, 1));
}

namespace
{
    struct HostListener : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int, float v) override
        {
            last = v;
            ++count;
        }
        void parameterGestureChanged (int, bool starting) override { gestures.add (starting); }
        float last = -1.0f;
        int count = 0;
        juce::Array<bool> gestures;
    };
}

TEST_F (AudioRoadTest, HostAndWidgetChangesReachTheCoreAtTheNextBlockWithoutTheMessageLoop)
{
    prepare (2, 48000.0, 512);
    auto& plugin = processor.getPlugin();
    auto* target = plugin.getParameterManager().getParameters().getFirst();
    ASSERT_NE (target, nullptr);
    ASSERT_GE (target->getHostIndex(), 0);

    auto* hostParameter = processor.getHostParameter (*target);
    ASSERT_NE (hostParameter, nullptr);
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;

    // The host automates from a thread of its own; nothing pumps the message loop.
    std::thread host ([&] { hostParameter->setValue (0.25f); });
    host.join();
    processor.processBlock (buffer, midi);

    EXPECT_FLOAT_EQ (core().getParameterValue (target->getId()), target->denormalise (0.25f));
    EXPECT_FLOAT_EQ (target->getNormalisedValue(), 0.25f);
    EXPECT_FLOAT_EQ (hostParameter->getValue(), 0.25f);
    EXPECT_TRUE (hostParameter->consumeChanged());

    // Not-a-number keeps the value and an infinity is the end it points to: neither the host's
    // cache nor the core sees either.
    const float inf = std::numeric_limits<float>::infinity();
    for (const auto& [bad, held] : { std::pair { std::numeric_limits<float>::quiet_NaN(), 0.25f }, std::pair { inf, 1.0f }, std::pair { -inf, 0.0f } })
    {
        hostParameter->setValue (0.25f);
        processor.processBlock (buffer, midi);
        hostParameter->consumeChanged();
        hostParameter->setValue (bad);
        processor.processBlock (buffer, midi);
        EXPECT_EQ (hostParameter->consumeChanged(), ! std::isnan (bad)) << bad;
        EXPECT_FLOAT_EQ (hostParameter->getValue(), held) << bad;
        EXPECT_FLOAT_EQ (target->getNormalisedValue(), held) << bad;
        EXPECT_FLOAT_EQ (core().getParameterValue (target->getId()), target->denormalise (held)) << bad;
    }

    // A widget's change reaches the core at the next block and the host at once.
    HostListener hostListener;
    hostParameter->addListener (&hostListener);
    target->beginChangeGesture();
    target->setNormalisedValue (0.75f, true);
    target->endChangeGesture();
    hostParameter->removeListener (&hostListener);
    processor.processBlock (buffer, midi);

    EXPECT_FLOAT_EQ (core().getParameterValue (target->getId()), target->denormalise (0.75f));
    EXPECT_EQ (hostListener.count, 1);
    EXPECT_FLOAT_EQ (hostListener.last, 0.75f);
    EXPECT_EQ (hostListener.gestures, juce::Array<bool> ({ true, false }));
}

TEST_F (AudioRoadTest, MidiControllerMapSetsParametersOnTheAudioThreadAndTheHostHearsFromTheMessageThread)
{
    prepare (2, 48000.0, 256);
    auto& plugin = processor.getPlugin();
    auto* target = plugin.getParameterManager().getParameters().getFirst();
    plugin.getMidiControlMap().setParameter (21, target);
    plugin.midiActivity = 0;
    target->setNormalisedValue (0.25f, false);
    auto* hostParameter = processor.getHostParameter (*target);
    HostListener hostListener;
    hostParameter->addListener (&hostListener);

    juce::AudioBuffer<float> buffer (2, 256);
    buffer.clear();
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 21, 127), 100);
    processor.processBlock (buffer, midi);

    EXPECT_FLOAT_EQ (target->getNormalisedValue(), 1.0f);
    EXPECT_FLOAT_EQ (core().getParameterValue (target->getId()), target->getMaximum());
    EXPECT_EQ (plugin.midiActivity.exchange (0), 1);
    EXPECT_EQ (hostListener.count, 0);

    // The message thread's tick tells the host as automation: touch, set, release; once.
    EXPECT_TRUE (test::pumpUntil ([&] { return hostListener.count > 0; }));
    processor.deliverHostNotifications();
    EXPECT_EQ (hostListener.count, 1);
    EXPECT_FLOAT_EQ (hostListener.last, 1.0f);
    EXPECT_EQ (hostListener.gestures, juce::Array<bool> ({ true, false }));
    hostParameter->removeListener (&hostListener);
}

TEST_F (AudioRoadTest, ABlockRunsWithoutDenormalsAndLeavesTheHostThreadsModeAsItFoundIt)
{
    prepare (2, 48000.0, 64);
    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    juce::MidiBuffer midi;
    struct Seen
    {
        bool before, during, after;
    };
    std::vector<Seen> seen;

    // A host thread of its own: whatever the host runs on it after the block keeps its mode.
    std::thread audio ([&] {
        for (const bool hostFlushes : { false, true, false })
        {
            juce::FloatVectorOperations::disableDenormalisedNumberSupport (hostFlushes);
            const bool before = juce::FloatVectorOperations::areDenormalsDisabled();
            processor.processBlock (buffer, midi);
            seen.push_back ({ before, core().denormalsWereOff, juce::FloatVectorOperations::areDenormalsDisabled() });
        }
    });
    audio.join();

    ASSERT_EQ (seen.size(), 3u);

    for (size_t i = 0; i < seen.size(); ++i)
    {
        EXPECT_EQ (seen[i].before, i == 1) << i;
        EXPECT_TRUE (seen[i].during) << i;
        EXPECT_EQ (seen[i].after, seen[i].before) << i;
    }
}

// Learning runs on the audio thread while the message thread cancels it: the map is the one
// from before learning, never one slot of the learnt map among the old ones.
TEST_F (AudioRoadTest, ALearnCancelledWhileTheAudioThreadLearnsLeavesTheMidiMapWhole)
{
    auto& map = processor.getPlugin().getMidiControlMap();
    auto& cutoff = parameter ("Filter Cutoff");
    auto& mix = parameter ("Mix");

    map.clear();

    for (int cc = 0; cc < MidiControlMap::numSlots; cc += 2)
        map.setParameter (cc, cc % 4 == 0 ? &mix : &cutoff);

    const auto before = map.createXml();
    int mixed = 0;

    for (int round = 0; round < 100; ++round)
    {
        map.startLearning (&cutoff);
        std::atomic<bool> started { false };

        std::thread audio ([&] {
            for (int i = 0; i < 64; ++i)
            {
                map.handleController ((round + i * 7) % MidiControlMap::numSlots, 64);
                started = true;
            }
        });

        while (! started)
            ;

        map.endLearning (false);
        audio.join();

        if (! map.createXml()->isEquivalentTo (before.get(), false))
        {
            ++mixed;
            ASSERT_TRUE (map.readFromXml (*before));
        }
    }

    EXPECT_EQ (mixed, 0) << "of 100 rounds";
    EXPECT_FALSE (map.isLearning());
}

TEST_F (AudioRoadTest, TempoSecondsAndActiveFlag)
{
    auto& plugin = processor.getPlugin();
    auto& effect = dynamic_cast<NimbusEffect&> (plugin);
    EXPECT_EQ (plugin.active.load(), 0);
    prepare (2, 48000.0, 480);
    EXPECT_EQ (plugin.active.load(), 1);

    juce::AudioBuffer<float> buffer (2, 480);
    buffer.clear();
    juce::MidiBuffer midi;

    for (int i = 0; i < 100; ++i)
        processor.processBlock (buffer, midi);

    EXPECT_NEAR (plugin.getSecondsProcessed(), 1.0, 1e-9);
    EXPECT_EQ (effect.getTempo(), 120.0);

    // The play head is asked only while the core uses tempo.
    FixedPlayHead playHead;
    processor.setPlayHead (&playHead);
    processor.processBlock (buffer, midi);
    EXPECT_EQ (playHead.asked, 0);
    core().setUsesTempo (true);
    processor.processBlock (buffer, midi);
    EXPECT_EQ (effect.getTempo(), 93.5);
    EXPECT_EQ (playHead.asked, 1);

    processor.setPlayHead (nullptr);
    processor.processBlock (buffer, midi);
    EXPECT_EQ (effect.getTempo(), 120.0);

    processor.releaseResources();
    EXPECT_EQ (plugin.active.load(), 0);
}

TEST_F (AudioRoadTest, QualityFollowsTheHostsRealtimeOrOfflineState)
{
    auto& plugin = processor.getPlugin();
    ASSERT_TRUE (plugin.hasQualityParameters());
    auto* quality = plugin.getQualityParameter();
    auto* realtime = plugin.getRealtimeQualityParameter();
    auto* offline = plugin.getOfflineQualityParameter();
    ASSERT_GE (quality->getMaximum(), 2.0f);

    realtime->setValue (0.0f, true);
    offline->setValue (2.0f, true);
    prepare (2, 48000.0, 64);

    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    juce::MidiBuffer midi;

    processor.processBlock (buffer, midi);
    EXPECT_EQ (quality->getIntValue(), 0);
    EXPECT_FALSE (plugin.isOffline());

    processor.setNonRealtime (true);
    processor.processBlock (buffer, midi);
    EXPECT_EQ (quality->getIntValue(), 2);
    EXPECT_TRUE (plugin.isOffline());

    // Choosing another offline quality while rendering offline takes effect at once.
    offline->setValue (1.0f, true);
    EXPECT_EQ (quality->getIntValue(), 1);

    // The real-time choice waits until the host is back in real time.
    realtime->setValue (2.0f, true);
    EXPECT_EQ (quality->getIntValue(), 1);

    processor.setNonRealtime (false);
    processor.processBlock (buffer, midi);
    EXPECT_EQ (quality->getIntValue(), 2);
}
