#include "core/PluginAudioProcessor.h"
#include "core/parameters/BoolParameter.h"
#include "core/parameters/EnumParameter.h"
#include "core/parameters/IntParameter.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cmath>
#include <iterator>
#include <limits>
#include <thread>

namespace
{
    struct Snapshot
    {
        juce::StringPairArray values;

        explicit Snapshot (PluginAudioProcessor& processor)
        {
            for (auto* p : processor.getPlugin().getParameterManager().getParameters())
                values.set (juce::String (p->getId()), p->getText());
        }

        bool operator== (const Snapshot& other) const { return values == other.values; }
    };

    juce::MemoryBlock saveState (PluginAudioProcessor& processor)
    {
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        return block;
    }

    // Moves every automatable parameter away from its default, and the quality choices too.
    void changeEverything (PluginAudioProcessor& processor)
    {
        auto& plugin = processor.getPlugin();
        float v = 0.11f;

        for (auto* p : plugin.getParameterManager().getParameters())
        {
            if (p->isAutomatable())
                p->setNormalisedValue (v, true);

            v = std::fmod (v + 0.29f, 1.0f);
        }

        plugin.getRealtimeQualityParameter()->setValue (1.0f, true);
        plugin.getOfflineQualityParameter()->setValue (2.0f, true);
        plugin.getMidiControlMap().setParameter (7, plugin.getParameterManager().getParameters().getFirst());
    }
}

TEST (PluginState, RoundTripsIntoAFreshInstance)
{
    test::ScopedDataRoot root;
    juce::MemoryBlock state;
    std::unique_ptr<Snapshot> before;

    {
        PluginAudioProcessor original;
        changeEverything (original);
        before = std::make_unique<Snapshot> (original);
        state = saveState (original);
    }

    PluginAudioProcessor restored;
    ASSERT_FALSE (Snapshot (restored) == *before);

    restored.setStateInformation (state.getData(), (int) state.getSize());
    EXPECT_TRUE (Snapshot (restored) == *before);

    auto& plugin = restored.getPlugin();
    EXPECT_EQ (plugin.getRealtimeQualityParameter()->getIntValue(), 1);
    EXPECT_EQ (plugin.getOfflineQualityParameter()->getIntValue(), 2);
    EXPECT_EQ (plugin.getQualityParameter()->getIntValue(), 1);
    EXPECT_EQ (plugin.getMidiControlMap().getParameter (7), plugin.getParameterManager().getParameters().getFirst());

    // The host's cached values follow the restored state.
    for (auto* p : plugin.getParameterManager().getParameters())
    {
        if (auto* hostParameter = restored.getHostParameter (*p))
        {
            EXPECT_FLOAT_EQ (hostParameter->getValue(), p->getNormalisedValue()) << p->getName();
        }
    }

    // And the state block itself has the documented shape.
    const auto xml = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("PluginState"));

    for (auto* tag : { "ProcessingQuality", "ParametersState", "MidiControlMap" })
        EXPECT_NE (xml->getChildByName (tag), nullptr) << tag;

    // Command and quality parameters never travel as preset values.
    auto* values = xml->getChildByName ("ParametersState")->getChildByName ("Preset");
    ASSERT_NE (values, nullptr);

    for (auto* value : values->getChildIterator())
        EXPECT_LT (value->getIntAttribute ("id"), 100000);
}

TEST (PluginState, ARestoreOnAHostThreadAppliesTheValuesAndHandsThePresetSideToTheMessageThread)
{
    test::ScopedDataRoot root;
    PluginAudioProcessor processor;
    auto& plugin = processor.getPlugin();
    auto& mix = *plugin.getParameterManager().getParameterByName ("Mix");
    plugin.setPresetChangeDetection (true);

    mix.setNormalisedValue (0.25f, true);
    const auto restoredText = mix.getText();
    const auto state = saveState (processor);
    const auto restoreFromHostThread = [&] { processor.setStateInformation (state.getData(), (int) state.getSize()); };

    // A project recall or undo step from the host while the user reloads and the editor asks
    // whether the preset changed.
    std::atomic<bool> done { false };
    std::thread host ([&] {
        for (int i = 0; i < 200; ++i)
            restoreFromHostThread();
        done = true;
    });

    while (! done)
    {
        plugin.reloadPreset();
        plugin.hasUnsavedPresetChanges();
    }

    host.join();
    test::pump (20);

    // The values apply at once; the reload preset and change detection follow on the message
    // thread.
    mix.setNormalisedValue (0.75f, true);
    Preset stored;
    plugin.storePresetValues (stored, 0);
    plugin.presetStored (stored);
    std::thread (restoreFromHostThread).join();
    EXPECT_FLOAT_EQ (mix.getNormalisedValue(), 0.25f);
    EXPECT_NE (*plugin.getReloadPreset().findValue (mix.getId()), restoredText);
    ASSERT_TRUE (test::pumpUntil ([&] { return *plugin.getReloadPreset().findValue (mix.getId()) == restoredText; }));
    EXPECT_FALSE (plugin.hasUnsavedPresetChanges());
    mix.setNormalisedValue (0.5f, true);
    EXPECT_TRUE (plugin.hasUnsavedPresetChanges());
    plugin.reloadPreset();
    EXPECT_FLOAT_EQ (mix.getNormalisedValue(), 0.25f);

    // On the message thread a restore applies whole at once.
    mix.setNormalisedValue (0.75f, true);
    plugin.presetStored (stored);
    restoreFromHostThread();
    EXPECT_EQ (*plugin.getReloadPreset().findValue (mix.getId()), restoredText);
}

TEST (PluginState, CorruptOrForeignBlocksChangeNothing)
{
    test::ScopedDataRoot root;
    PluginAudioProcessor processor;
    changeEverything (processor);
    const Snapshot before (processor);
    const auto good = saveState (processor);

    std::vector<juce::MemoryBlock> bad;

    for (size_t cut : { (size_t) 1, (size_t) 7, (size_t) 8, (size_t) 9, good.getSize() / 2, good.getSize() - 1 })
        bad.emplace_back (good.getData(), cut);

    juce::MemoryBlock foreign;
    juce::AudioProcessor::copyXmlToBinary (juce::XmlElement ("SomethingElse"), foreign);
    bad.push_back (foreign);

    juce::MemoryBlock lyingLength (good);
    static_cast<juce::uint32*> (lyingLength.getData())[1] = 0x7fffffff;
    bad.push_back (lyingLength);

    juce::Random random (42);
    juce::MemoryBlock noise (4096);
    for (size_t i = 0; i < noise.getSize(); ++i)
        noise[i] = (char) random.nextInt (256);
    bad.push_back (noise);

    int problems = 0;

    for (const auto& block : bad)
    {
        processor.setStateInformation (block.getData(), (int) block.getSize());
        EXPECT_TRUE (Snapshot (processor) == before) << "block of " << block.getSize() << " bytes";
        problems += processor.getPlugin().takeProblems().size();
    }

    // The user hears of each block that could not be read; one cut in its closing tag and one
    // whose length runs past its end still read whole.
    EXPECT_EQ (problems, (int) bad.size() - 2);

    processor.setStateInformation (nullptr, 0);
    EXPECT_TRUE (Snapshot (processor) == before);
    processor.setStateInformation (good.getData(), (int) good.getSize());
    EXPECT_TRUE (processor.getPlugin().takeProblems().isEmpty());
}

TEST (PluginState, HostileChildrenAreSkippedOrDefaulted)
{
    test::ScopedDataRoot root;
    PluginAudioProcessor processor;
    auto& plugin = processor.getPlugin();
    auto* first = plugin.getParameterManager().getParameters().getFirst();
    first->setNormalisedValue (0.5f, true);
    const auto before = first->getText();

    auto xml = juce::parseXML (R"(<PluginState>
        <ProcessingQuality><Preset><Value id="100009" value="banana"/></Preset></ProcessingQuality>
        <ParametersState><Preset><Value id="0" value="not a number"/><Value id="99999" value="1"/>
                                 <Value id="100001" value="1"/></Preset></ParametersState>
        <MidiControlMap><assign cc="-4" param="x"/><assign cc="400" param="y"/><assign cc="3" param="no such"/></MidiControlMap>
      </PluginState>)");
    ASSERT_NE (xml, nullptr);

    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (*xml, block);
    processor.setStateInformation (block.getData(), (int) block.getSize());

    // A value that does not parse gives the default, not what was there before.
    EXPECT_NE (first->getText(), before);
    EXPECT_FLOAT_EQ (first->getValue(), first->getDefaultValue());
    EXPECT_EQ (plugin.getParameterManager().getParameterByIndex (100001)->getIntValue(), 0);
    EXPECT_EQ (plugin.getMidiControlMap().getParameter (3), nullptr);
}

// Whatever the host sends, it reads back the value the plug-in holds: limited to 0..1 (the
// infinities too), snapped to the parameter's grid, and not-a-number keeping the value; and so
// after a save and a restore.
TEST (PluginState, TheHostReadsBackTheValueEachParameterHolds)
{
    test::ScopedDataRoot root;
    PluginAudioProcessor processor;
    auto* bypass = dynamic_cast<HostBypassParameter*> (processor.getBypassParameter());
    ASSERT_NE (bypass, nullptr);

    // Beside the plug-in's own parameters (all continuous), one host parameter of each stepped
    // kind, and a grid whose step does not divide the range.
    Parameter::Description description;
    description.maximum = 10.0f;
    description.defaultValue = 3.0f;
    IntParameter whole (description);
    EnumParameter choice (description, { "A", "B", "C" });
    BoolParameter flag (description);
    description.maximum = 1.1f;
    description.step = 0.25f;
    Parameter grid (description);

    std::vector<std::unique_ptr<PluginAudioProcessorParameter>> stepped;
    for (auto* p : std::initializer_list<Parameter*> { &whole, &choice, &flag, &grid })
        stepped.push_back (std::make_unique<PluginAudioProcessorParameter> (*p));

    std::vector<juce::AudioProcessorParameter*> parameters (processor.getParameters().begin(), processor.getParameters().end());
    parameters.push_back (bypass);
    for (auto& p : stepped)
        parameters.push_back (p.get());

    // What the parameter holds, normalised, and whether it lies on its grid.
    const auto held = [bypass] (juce::AudioProcessorParameter* p) {
        return p == bypass ? (bypass->get() ? 1.0f : 0.0f) : dynamic_cast<PluginAudioProcessorParameter&> (*p).getParameter().getNormalisedValue();
    };
    const auto onGrid = [bypass] (juce::AudioProcessorParameter* p) {
        if (p == bypass)
            return p->getValue() == 0.0f || p->getValue() == 1.0f;

        const auto& parameter = dynamic_cast<PluginAudioProcessorParameter&> (*p).getParameter();
        return parameter.constrain (parameter.getValue()) == parameter.getValue();
    };

    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float hostile[] = { 1.5f, -0.5f, 1.0e9f, -1.0e9f, inf, -inf, nan, 0.37f, 0.51f, 0.999999f, std::nextafter (1.0f, 2.0f), -0.0f,
                              1.0e-40f, std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(), 0.62f, nan, inf, nan };

    for (const float value : hostile)
    {
        for (auto* p : parameters)
        {
            const auto name = p->getName (64) + " " + juce::String (value);
            const auto before = held (p);
            p->setValue (value);
            const auto now = p->getValue();
            EXPECT_EQ (now, held (p)) << name;
            EXPECT_TRUE (now >= 0.0f && now <= 1.0f && onGrid (p)) << name << ": " << now;
            EXPECT_EQ (p->getText (value, 64), p->getText (now, 64)) << name;

            if (std::isnan (value))
            {
                EXPECT_EQ (now, before) << name;
            }
            else if (value >= 1.0f || value <= 0.0f)
            {
                EXPECT_EQ (now, value >= 1.0f ? 1.0f : 0.0f) << name;
            }
        }

        // Saved and restored, into this instance and a fresh one: read back as held still.
        const auto state = saveState (processor);
        processor.setStateInformation (state.getData(), (int) state.getSize());
        PluginAudioProcessor fresh;
        fresh.setStateInformation (state.getData(), (int) state.getSize());

        for (int i = 0; i < processor.getParameters().size(); ++i)
        {
            auto* p = processor.getParameters()[i];
            auto* restored = fresh.getParameters()[i];
            EXPECT_EQ (p->getValue(), held (p)) << p->getName (64) << " " << value;
            EXPECT_EQ (restored->getValue(), held (restored)) << p->getName (64) << " " << value;
            EXPECT_EQ (restored->getValue(), p->getValue()) << p->getName (64) << " " << value;
        }

        EXPECT_EQ (processor.getBypassParameter()->getValue(), held (bypass));
    }

    std::cout << "[host values] " << std::size (hostile) << " values for each of " << parameters.size() << " parameters" << std::endl;
}
