#include "core/PluginAudioProcessor.h"
#include "product/Grindel.h"
#include "product/GrindelEditor.h"
#include "core/CommandParameter.h"
#include "editor/StatusBar.h"
#include "skin/widgets/ImgButton.h"
#include "support/TestMouse.h"
#include "editor/AboutWindow.h"
#include "editor/OptionsWindow.h"
#include "skin/Panel.h"
#include "skin/widgets/ImgAnim.h"
#include "dsp/NimbusEffectCore.h"
#include "support/BareXServer.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>

namespace
{
    using test::hasDisplay;

    /** The host's audio thread: blocks of a square wave until stopped. */
    class AudioThread
    {
    public:
        explicit AudioThread (juce::AudioProcessor& p)
            : processor (p), worker ([this] { run(); })
        {
        }

        ~AudioThread() { stop(); }

        void stop()
        {
            running = false;

            if (worker.joinable())
                worker.join();
        }

        std::atomic<int> blocks { 0 };
        std::atomic<float> amplitude { 0.25f };

    private:
        void run()
        {
            juce::AudioBuffer<float> buffer (2, 256);
            juce::MidiBuffer midi;

            while (running)
            {
                for (int c = 0; c < 2; ++c)
                    for (int i = 0; i < buffer.getNumSamples(); ++i)
                        buffer.setSample (c, i, (i / 32) % 2 == 0 ? amplitude.load() : -amplitude.load());

                processor.processBlock (buffer, midi);
                ++blocks;
                std::this_thread::sleep_for (std::chrono::milliseconds (2));
            }
        }

        juce::AudioProcessor& processor;
        std::atomic<bool> running { true };
        std::thread worker;
    };

    /** Grindel 2 with its skins and factory presets, in a host window on the screen. */
    class ProductEditor : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            SKIP_WITHOUT_DISPLAY();

            const auto common = root.getCommonFolder();
            const juce::File skins (GRINDEL_BUILT_SKINS), package (GRINDEL_FACTORY_PACKAGE);
            common.getChildFile ("Skins").createDirectory();
            common.getChildFile ("Presets").createDirectory();
            ASSERT_TRUE (skins.getChildFile ("1180.orvikskin").copyFileTo (common.getChildFile ("Skins/1180.orvikskin")));
            ASSERT_TRUE (package.copyFileTo (common.getChildFile ("Presets").getChildFile (package.getFileName())));

            processor = std::make_unique<PluginAudioProcessor>();
            window.reset (processor->createEditorIfNeeded());
            editor = dynamic_cast<GrindelEditor*> (processor->getPlugin().getActiveEditor());
            ASSERT_NE (editor, nullptr);
            window->setTopLeftPosition (20, 20);
            window->addToDesktop (juce::ComponentPeer::windowIsTemporary);
            window->setVisible (true);
            ASSERT_TRUE (test::pumpUntil ([this] { return window->isShowing(); }, 10000));
        }

        void TearDown() override
        {
            if (window != nullptr)
                processor->editorBeingDeleted (window.get());

            window.reset();
            processor.reset();
        }

        void keepPicture (const juce::String& name)
        {
            const juce::File folder (GRINDEL_EDITOR_SNAPSHOTS);
            folder.createDirectory();
            const auto file = folder.getChildFile (name);
            file.deleteFile();
            juce::FileOutputStream out (file);
            ASSERT_TRUE (out.openedOk());
            EXPECT_TRUE (juce::PNGImageFormat().writeImageToStream (window->createComponentSnapshot (window->getLocalBounds()), out));
        }

        test::ScopedDataRoot root;
        std::unique_ptr<PluginAudioProcessor> processor;
        GrindelEditor* editor = nullptr;
        std::unique_ptr<juce::AudioProcessorEditor> window;
    };
}

TEST_F (ProductEditor, MetersFollowTheAudioThreadAndFallToZeroOnTheThirteenthTickAfterProcessingStops)
{
    ASSERT_NE (editor->getLeftMeter(), nullptr);
    ASSERT_NE (editor->getRightMeter(), nullptr);
    auto* core = dynamic_cast<Grindel&> (processor->getPlugin()).getEffectCore();
    EXPECT_EQ (core->getNumMeterReaders(), 1) << "the skin shows meters, so the core measures them";
    EXPECT_EQ (editor->getLevel (0), 0.0f);
    EXPECT_EQ (editor->getLeftMeter()->getFrame(), 0);

    processor->prepareToPlay (44100.0, 256);

    {
        AudioThread audio (*processor);

        // The editor's own 25 ms timer reads the core's meters while the host plays.
        ASSERT_TRUE (test::pumpUntil ([this] { return editor->getLevel (0) > 0.05f && editor->getLevel (1) > 0.05f
                                                   && editor->getLeftMeter()->getFrame() > 0; }, 10000));
        EXPECT_GT (editor->getRightMeter()->getFrame(), 0);
        EXPECT_LT (editor->getLevel (0), 1.0f);

        // The browse button docks the browser below the skin; the host window grows with it.
        test::Mouse mouse (*window);
        auto* browse = editor->getCommandButton (CommandParameter::presetBrowseId);
        ASSERT_NE (browse, nullptr);
        mouse.click (*browse);
        auto* browser = editor->getContentBrowser();
        ASSERT_TRUE (test::pumpUntil ([browser] { return browser->isShowing(); }));
        const int bar = editor->getStatusBar()->getHeight();
        EXPECT_EQ (browser->getBounds(), juce::Rectangle<int> (0, 600, 1180, 639));
        EXPECT_FALSE (browser->isHeaderVisible());
        EXPECT_FALSE (browser->getOkCancelRow().isVisible());
        EXPECT_EQ (window->getHeight(), 600 + 639 + bar);
        EXPECT_EQ (editor->getStatusBar()->getY(), 600 + 639);
        test::pump (100);
        keepPicture ("product-editor-docked.png");

        // Again: closed, and the window is the skin and the status bar once more.
        mouse.click (*browse);
        EXPECT_FALSE (browser->isVisible());
        EXPECT_EQ (window->getHeight(), 600 + bar);

        // Louder than full scale: the meters clip at 1.
        audio.amplitude = 4.0f;
        ASSERT_TRUE (test::pumpUntil ([this] { return editor->getLevel (0) == 1.0f && editor->getLevel (1) == 1.0f; }, 10000));

        // From here the ticks are counted one by one.
        editor->stopTimer();
        editor->timerCallback();
        audio.stop();
        EXPECT_GT (audio.blocks.load(), 0);
    }

    processor->releaseResources();
    ASSERT_EQ (editor->getLevel (0), 1.0f);   // the square wave clips the meters

    for (int tick = 1; tick <= 13; ++tick)
    {
        editor->timerCallback();
        EXPECT_EQ (editor->getLevel (0) > 0.0f, tick < 13) << tick;
        EXPECT_EQ (editor->getLevel (1) > 0.0f, tick < 13) << tick;
    }

    editor->timerCallback();
    EXPECT_EQ (editor->getLeftMeter()->getFrame(), 0);
    EXPECT_EQ (editor->getRightMeter()->getFrame(), 0);

    processor->editorBeingDeleted (window.get());
    window.reset();
    EXPECT_EQ (core->getNumMeterReaders(), 0) << "no editor, no reader";
}

TEST_F (ProductEditor, DialogsKeepAMarginAndSkinsAreDrawnFor1180)
{
    EXPECT_EQ (editor->getDefaultWidth(), 1180);
    EXPECT_EQ (editor->getCurrentSkinName(), "1180");
    EXPECT_EQ (editor->getSkinHeight(), 600);
    int w = 0, h = 0;
    editor->getDialogSize (w, h);
    EXPECT_EQ (juce::Point<int> (w, h), juce::Point<int> (1120, 540));

    // Command-"Options" opens the about window at the dialog size.
    auto* options = editor->getOptionsButton();
    ASSERT_NE (options, nullptr);
    test::Mouse (*window).click (*options, juce::ModifierKeys::leftButtonModifier,
                                 juce::ModifierKeys (juce::ModifierKeys::commandModifier));
    ASSERT_TRUE (test::pumpUntil ([this] { return editor->getAboutWindow() != nullptr && editor->getAboutWindow()->isShowing(); }));
    EXPECT_EQ (editor->getAboutWindow()->getBounds().getWidth(), w);
    EXPECT_EQ (editor->getAboutWindow()->getBounds().getHeight(), h);
    EXPECT_TRUE (editor->getOptionsWindow() == nullptr || ! editor->getOptionsWindow()->isVisible());

    EXPECT_EQ (NimbusEffectEditor::getDockedBrowserHeight (600), 639);
    EXPECT_EQ (NimbusEffectEditor::getDockedBrowserHeight (590), 619);
}
