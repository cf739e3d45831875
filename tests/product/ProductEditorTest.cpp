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
#include "skin/widgets/PresetNameDisplay.h"
#include "dsp/NimbusEffectCore.h"
#include "editor/GUISettingsComponent.h"
#include "editor/browser/ContentBrowser.h"
#include "editor/browser/ResultButton.h"
#include "editor/windows/PopupMenuEx.h"
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
        /** A 997 Hz sine instead of the square wave. */
        std::atomic<bool> sine { false };

    private:
        void run()
        {
            juce::AudioBuffer<float> buffer (2, 256);
            juce::MidiBuffer midi;
            double phase = 0.0;

            while (running)
            {
                for (int i = 0; i < buffer.getNumSamples(); ++i)
                {
                    const float a = amplitude.load();
                    const float square = (i / 32) % 2 == 0 ? a : -a;
                    const float sample = sine ? a * (float) std::sin (phase) : square;
                    phase = std::fmod (phase + juce::MathConstants<double>::twoPi * 997.0 / 44100.0, juce::MathConstants<double>::twoPi);

                    for (int c = 0; c < 2; ++c)
                        buffer.setSample (c, i, sample);
                }

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

            for (auto* size : { "885", "1180", "1475" })
                ASSERT_TRUE (skins.getChildFile (juce::String (size) + ".orvikskin").copyFileTo (common.getChildFile ("Skins").getChildFile (juce::String (size) + ".orvikskin")));

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

        /** Waits for a skin asked for to be shown. */
        void waitForSkin (const juce::String& name)
        {
            ASSERT_TRUE (test::pumpUntil ([&] { return editor->getCurrentSkinName() == name && editor->getRootPanel() != nullptr
                                                    && editor->getRootPanel()->isShowing(); },
                                          20000))
                << name;
            ASSERT_EQ (window->getWidth(), name.getIntValue());
        }

        template <class Type>
        static Type* findShowing (juce::Component& c, const std::function<bool (Type&)>& wanted)
        {
            if (auto* found = dynamic_cast<Type*> (&c); found != nullptr && found->isShowing() && wanted (*found))
                return found;

            for (auto* child : c.getChildren())
                if (auto* found = findShowing<Type> (*child, wanted))
                    return found;

            return nullptr;
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

TEST_F (ProductEditor, ASkinChangeClosesTheDockedBrowserKeepingTheAuditionedPreset)
{
    auto* browser = editor->getContentBrowser();
    ASSERT_NE (browser, nullptr);
    test::Mouse mouse (*window);

    // Opens the browser and auditions a preset other than the one shown; its name.
    const auto audition = [&]() -> juce::String {
        const auto shown = editor->getPresetNameControl()->getText();
        mouse.click (*editor->getBrowseButton());
        EXPECT_TRUE (test::pumpUntil ([&] { return browser->isShowing(); }));
        test::pump (50);
        auto* row = findShowing<ResultButton> (*browser, [&] (ResultButton& b) { return b.item->name != shown; });

        if (row == nullptr)
            return {};

        mouse.click (*row);
        EXPECT_TRUE (test::pumpUntil ([&] { return editor->getPresetNameControl()->getText() == row->item->name; }));
        return editor->getPresetNameControl()->getText();
    };

    const auto expectClosedAndKept = [&] (const juce::String& skin, const juce::String& auditioned, const char* how) {
        waitForSkin (skin);
        EXPECT_FALSE (browser->isVisible()) << how;
        EXPECT_EQ (window->getHeight(), editor->getSkinHeight() + editor->getStatusBar()->getHeight()) << how;
        EXPECT_EQ (editor->getStatusBar()->getY(), editor->getSkinHeight()) << how;
        EXPECT_EQ (editor->getPresetNameControl()->getText(), auditioned) << how;
    };

    // The status bar's skin page.
    auto auditioned = audition();
    ASSERT_TRUE (auditioned.isNotEmpty());
    auto* bar = editor->getStatusBar();
    mouse.click (bar->getSkinButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return bar->getSkinPage().isShowing(); }));
    auto* button885 = findShowing<juce::TextButton> (bar->getSkinPage(), [] (juce::TextButton& b) { return b.getButtonText() == "885"; });
    ASSERT_NE (button885, nullptr);
    mouse.click (*button885);
    expectClosedAndKept ("885", auditioned, "skin page");

    // The options window's "USER INTERFACE" page.
    auditioned = audition();
    ASSERT_TRUE (auditioned.isNotEmpty());
    mouse.click (*editor->getOptionsButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return editor->getOptionsWindow()->isShowing(); }));
    auto& sections = editor->getOptionsWindow()->getPanelContainer();

    for (int i = 0; i < sections.getNumPanels(); ++i)
        if (auto* page = dynamic_cast<GUISettingsComponent*> (&sections.getPanel (i)->getPage()))
        {
            if (! sections.getPanel (i)->isExpanded())
                mouse.click (sections.getPanel (i)->getHeader());

            mouse.click (page->getChooser());
            auto& menu = page->getChooser().getMenu();
            ASSERT_TRUE (menu.isOpen());
            auto* menuWindow = menu.getPopup()->getWindow();

            for (int row = 0; row < menu.getNumItems(); ++row)
                if (menu.getItem (row)->text == "125%")
                {
                    const juce::Point<int> centre (menuWindow->getWidth() / 2, 6 + row * PopupMenuEx::Window::rowHeight + 8);
                    mouse.moveTo (*menuWindow, centre);
                    mouse.press (*menuWindow, centre, juce::ModifierKeys::leftButtonModifier);
                    mouse.release (*menuWindow, centre);
                }
        }

    expectClosedAndKept ("1475", auditioned, "options");

    // A host restoring, from a thread of its own, a state that names another skin.
    auditioned = audition();
    ASSERT_TRUE (auditioned.isNotEmpty());
    juce::MemoryBlock state;
    processor->getStateInformation (state);
    auto xml = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize());
    ASSERT_NE (xml, nullptr);
    ASSERT_NE (xml->getChildByName ("Editor"), nullptr);
    xml->getChildByName ("Editor")->getChildByName ("Skin")->setAttribute ("name", "1180");
    juce::AudioProcessor::copyXmlToBinary (*xml, state);
    std::thread ([&] { processor->setStateInformation (state.getData(), (int) state.getSize()); }).join();
    expectClosedAndKept ("1180", auditioned, "host state");

    // A Save As started from the open browser closes for good too: nothing is saved, and the
    // browser does not come back over the new skin.
    auditioned = audition();
    ASSERT_TRUE (auditioned.isNotEmpty());
    editor->savePresetAs();
    ASSERT_EQ (browser->getMode(), ContentBrowser::saveMode);
    mouse.click (bar->getSkinButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return bar->getSkinPage().isShowing(); }));
    mouse.click (*findShowing<juce::TextButton> (bar->getSkinPage(), [] (juce::TextButton& b) { return b.getButtonText() == "885"; }));
    expectClosedAndKept ("885", auditioned, "save as");
}

TEST_F (ProductEditor, TonesLightTheMetersUpToTheirPrintedMarksInEverySkin)
{
    processor->prepareToPlay (44100.0, 256);
    AudioThread audio (*processor);
    audio.sine = true;
    editor->stopTimer();   // the ticks are the test's own

    // Plays a tone until the meters show nothing older: a tick takes what came before it.
    const auto play = [&] (float decibels) {
        audio.amplitude = juce::Decibels::decibelsToGain (decibels);

        for (int tick = 0; tick < 2; ++tick)
        {
            const int after = audio.blocks + 4;
            ASSERT_TRUE (test::pumpUntil ([&] { return audio.blocks > after; }, 10000));
            editor->timerCallback();
        }
    };

    for (auto* skin : { "885", "1180", "1475" })
    {
        editor->changeSkin (skin, false);
        waitForSkin (skin);
        auto* meter = editor->getLeftMeter();
        ASSERT_NE (meter, nullptr);
        const auto area = window->getLocalArea (meter, meter->getLocalBounds());
        const float segment = (float) area.getHeight() / 20.0f;

        // The scale's ticks stand 1 to 4 pixels (in the 1180 layout) left of the meter's
        // column; dark on the panel, top to bottom 0, -6, -12, -24 and -48 dBFS.
        const auto picture = window->createComponentSnapshot (window->getLocalBounds());
        const int tickX = area.getX() - juce::roundToInt (9.5f * (float) area.getWidth() / 18.0f);
        std::vector<float> ticks;

        for (int y = area.getY() - 3, runStart = -1; y <= area.getBottom() + 3; ++y)
        {
            const bool dark = picture.getPixelAt (tickX, y).getBrightness() < 0.6f;

            if (dark && runStart < 0)
                runStart = y;
            else if (! dark && runStart >= 0)
            {
                ticks.push_back ((float) (runStart + y - 1) / 2.0f);
                runStart = -1;
            }
        }

        const float marks[] = { 0.0f, -6.0f, -12.0f, -24.0f, -48.0f };
        ASSERT_EQ (ticks.size(), std::size (marks)) << skin;

        for (size_t i = 0; i < ticks.size(); ++i)
        {
            play (marks[i]);
            meter->repaint();
            const auto shown = window->createComponentSnapshot (area);

            // The top of the lit segments, in the middle of the meter's column.
            int litTop = area.getBottom();

            for (int y = area.getHeight() - 1; y >= 0; --y)
            {
                const auto pixel = shown.getPixelAt (area.getWidth() / 2, y);

                if (juce::jmax (pixel.getRed(), pixel.getGreen(), pixel.getBlue()) > 128)
                    litTop = area.getY() + y;
            }

            EXPECT_LE (std::abs ((float) litTop - ticks[i]), segment)
                << skin << ": " << marks[i] << " dBFS lights up to y " << litTop << ", its mark is at " << ticks[i];
        }
    }

    audio.stop();
    processor->releaseResources();
}
