// Every thread a host and a user bring, at once, for a bounded time (GRINDEL_STRESS_SECONDS,
// 3 by default; CI runs it for 20 under ThreadSanitizer): the audio thread as fast as it can
// with a mapped MIDI controller, automation and state restores from host threads, meter readers
// coming and going on two threads, and on the message thread preset steps, reloads and saves,
// settings saves and the editor opened and closed. Then the values must agree everywhere.

#include "core/CommandParameter.h"
#include "core/PluginAudioProcessor.h"
#include "core/PluginAudioProcessorParameter.h"
#include "core/content/CategoryTagMap.h"
#include "core/content/ContentSource.h"
#include "product/Grindel.h"
#include "product/GrindelCore.h"
#include "product/GrindelEditor.h"
#include "support/BareXServer.h"
#include "support/TestMouse.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <atomic>
#include <cstdlib>
#include <iostream>
#include <thread>

namespace
{
    double stressSeconds()
    {
        const auto* text = std::getenv ("GRINDEL_STRESS_SECONDS");
        const double seconds = text != nullptr ? std::atof (text) : 0.0;
        return seconds > 0.0 ? seconds : 3.0;
    }

    constexpr int mappedController = 21;
    constexpr int lastControllerValue = 99;
    constexpr float lastAutomationValue = 0.3f;
}

TEST (ThreadStress, EveryThreadAtOnceLeavesCoreHostAndMetersAgreeing)
{
    SKIP_WITHOUT_DISPLAY();

    test::ScopedDataRoot root;
    const auto common = root.getCommonFolder();
    const juce::File skins (GRINDEL_BUILT_SKINS), package (GRINDEL_FACTORY_PACKAGE);
    ASSERT_TRUE (common.getChildFile ("Skins").createDirectory());
    ASSERT_TRUE (common.getChildFile ("Presets").createDirectory());
    ASSERT_TRUE (skins.getChildFile ("1180.orvikskin").copyFileTo (common.getChildFile ("Skins/1180.orvikskin")));
    ASSERT_TRUE (package.copyFileTo (common.getChildFile ("Presets").getChildFile (package.getFileName())));

    PluginAudioProcessor processor;
    auto& plugin = dynamic_cast<Grindel&> (processor.getPlugin());
    ASSERT_TRUE (plugin.hasEditor());
    processor.prepareToPlay (48000.0, 64);
    auto* core = dynamic_cast<GrindelCore*> (plugin.getEffectCore());
    ASSERT_NE (core, nullptr);

    // The effect's parameters the host automates: one driven by a controller, one automated.
    juce::Array<Parameter*> automated;

    for (auto* p : plugin.getParameterManager().getParameters())
        if (p->isAutomatable() && p->getId() < GrindelCore::maxParameterId && processor.getHostParameter (*p) != nullptr)
            automated.add (p);

    ASSERT_GE (automated.size(), 2);
    auto& midiDriven = *automated[0];
    auto& automatedByHost = *automated[1];
    plugin.getMidiControlMap().setParameter (mappedController, &midiDriven);
    plugin.setPresetChangeDetection (true);

    // The states the host restores: JUCE's block (with the editor's part) and the controls
    // chunk's values, which JUCE's AAX wrapper sets parameter by parameter.
    juce::MemoryBlock juceState;
    processor.getStateInformation (juceState);
    std::vector<float> controls;

    for (auto* p : automated)
        controls.push_back (processor.getHostParameter (*p)->getValue());

    const auto seconds = stressSeconds();
    std::atomic<bool> stop { false }, audioStop { false };
    std::atomic<int> blocks { 0 }, restores { 0 }, automations { 0 }, meterCycles { 0 };

    std::thread audio ([&] {
        juce::AudioBuffer<float> buffer (2, 64);
        juce::MidiBuffer midi;
        juce::Random random (1);

        const auto block = [&] (int controllerValue) {
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < buffer.getNumSamples(); ++i)
                    buffer.setSample (c, i, random.nextFloat() * 0.5f - 0.25f);

            midi.clear();

            if (controllerValue >= 0)
                midi.addEvent (juce::MidiMessage::controllerEvent (1, mappedController, controllerValue), 7);

            processor.processBlock (buffer, midi);
            ++blocks;
        };

        for (int n = 0; ! audioStop; ++n)
            block (n % 4 == 0 ? n % 128 : -1);

        block (lastControllerValue);
        block (-1);   // hands the last automation to the core
    });

    std::thread automation ([&] {
        for (int n = 0; ! stop; ++n)
        {
            processor.getHostParameter (automatedByHost)->setValue ((float) (n % 101) / 100.0f);
            ++automations;
            std::this_thread::yield();
        }
    });

    std::thread hostState ([&] {
        for (int n = 0; ! stop; ++n)
        {
            if (n % 2 == 0)
            {
                processor.setStateInformation (juceState.getData(), (int) juceState.getSize());
            }
            else
            {
                for (int i = 0; i < automated.size(); ++i)
                    processor.getHostParameter (*automated[i])->setValue (controls[(size_t) i]);
            }

            juce::MemoryBlock saved;
            processor.getStateInformation (saved);
            ++restores;
        }
    });

    const auto meterReader = [&] {
        while (! stop)
        {
            core->addMeterReader();
            core->getMeterValue (0);
            core->removeMeterReader();
            ++meterCycles;
            std::this_thread::yield();
        }
    };
    std::thread meters1 (meterReader), meters2 (meterReader);

    // The message thread: the user with the editor, and the plug-in's own messages.
    int editorOpenings = 0, editorsMade = 0, presetSteps = 0, presetSaves = 0, settingsSaves = 0;
    auto* userPresets = plugin.getUserPresetSource();
    ASSERT_NE (userPresets, nullptr);
    double end = 0.0;

    // The time runs from the first editor on (making one is the set-up); half-way the editor
    // goes, so a new one is made while everything runs.
    while (end == 0.0 || juce::Time::getMillisecondCounterHiRes() < end)
    {
        if (plugin.getActiveEditor() == nullptr)
            ++editorsMade;

        std::unique_ptr<juce::AudioProcessorEditor> window (processor.createEditorIfNeeded());
        ASSERT_NE (window, nullptr);
        auto* editor = dynamic_cast<GrindelEditor*> (plugin.getActiveEditor());
        ASSERT_NE (editor, nullptr);
        ++editorOpenings;   // not on the screen: painting under the sanitizers would take the time

        if (end == 0.0)
            end = juce::Time::getMillisecondCounterHiRes() + seconds * 1000.0;

        for (int i = 0; i < 8; ++i)
        {
            if (i % 2 == 0)
                editor->selectNextPreset();
            else
                plugin.reloadPreset();

            ++presetSteps;
            plugin.hasUnsavedPresetChanges();
            test::pump (2);
        }

        if (presetSaves < 10 && userPresets->addNewItem ("Stress " + juce::String (presetSaves), CategoryTagMap()) != nullptr)
            ++presetSaves;

        plugin.authorName = "Stress " + juce::String (settingsSaves);   // a change to save
        EXPECT_TRUE (plugin.saveUserSettings().wasOk());
        ++settingsSaves;

        processor.editorBeingDeleted (window.get());
        window.reset();

        if (editorsMade == 1 && juce::Time::getMillisecondCounterHiRes() > end - seconds * 500.0)
            plugin.destroyEditor();
    }

    stop = true;

    for (auto* thread : { &automation, &hostState, &meters1, &meters2 })
        thread->join();

    // The last word: the host's automation, then the controller in the audio thread's last
    // blocks.
    std::thread ([&] { processor.getHostParameter (automatedByHost)->setValue (lastAutomationValue); }).join();
    audioStop = true;
    audio.join();
    test::pump (50);
    processor.deliverHostNotifications();

    std::cout << "[ stress ] " << seconds << " s: " << blocks.load() << " blocks, " << restores.load() << " restores, "
              << automations.load() << " automation moves, " << meterCycles.load() << " meter-reader cycles, "
              << editorOpenings << " editor openings (" << editorsMade << " editors made), " << presetSteps << " preset steps, " << presetSaves
              << " preset saves, " << settingsSaves << " settings saves" << std::endl;

    EXPECT_GT (restores.load(), 0);
    EXPECT_EQ (editorsMade, 2);
    EXPECT_GT (meterCycles.load(), 0);

    // The core holds every value the parameters hold; the host's value of each parameter is
    // the parameter's own.
    for (auto* p : automated)
    {
        EXPECT_FLOAT_EQ (core->getParameterValue (p->getId()), p->getValue()) << p->getName();
        EXPECT_FLOAT_EQ (processor.getHostParameter (*p)->getValue(), p->getNormalisedValue()) << p->getName();
    }

    EXPECT_FLOAT_EQ (midiDriven.getNormalisedValue(), (float) lastControllerValue / 127.0f);
    EXPECT_FLOAT_EQ (processor.getHostParameter (midiDriven)->getValue(), (float) lastControllerValue / 127.0f);
    EXPECT_FLOAT_EQ (processor.getHostParameter (automatedByHost)->getValue(), lastAutomationValue);
    EXPECT_EQ (plugin.getMidiControlMap().getParameter (mappedController), &midiDriven);

    // Every reader has gone: the two threads' and the closed editor's.
    EXPECT_EQ (core->getNumMeterReaders(), 0);
}
