#include "EditorTestSupport.h"
#include "core/CommandParameter.h"
#include "editor/GUISettingsComponent.h"
#include "editor/OptionsWindow.h"
#include "editor/StatusBar.h"
#include "skin/Panel.h"
#include "skin/widgets/ImgButton.h"
#include "skin/widgets/PresetNameDisplay.h"

using edtest::EditorRig;

namespace
{
    juce::Image decodePng (const juce::File& file)
    {
        juce::FileInputStream in (file);
        juce::PNGImageFormat png;
        return in.openedOk() && png.canUnderstand (in) && in.setPosition (0) ? png.decodeImage (in) : juce::Image();
    }

    /** Keeps a picture of the whole host window (skin area and status bar) in the build folder. */
    void keepWindowPicture (juce::Component& window, const juce::String& name)
    {
        const juce::File folder (GRINDEL_EDITOR_SNAPSHOTS);
        folder.createDirectory();
        const auto file = folder.getChildFile (name);
        file.deleteFile();
        juce::FileOutputStream out (file);
        ASSERT_TRUE (out.openedOk()) << file.getFullPathName();
        EXPECT_TRUE (juce::PNGImageFormat().writeImageToStream (window.createComponentSnapshot (window.getLocalBounds()), out));
    }

    /** The product's editor in a real top-level window, driven by the mouse through its peer. */
    class EditorWindow : public edtest::ShownEditorTest
    {
    protected:
        void openOptions()
        {
            auto* button = editor().getCommandButton (CommandParameter::optionsId);
            ASSERT_NE (button, nullptr);
            mouse->click (*button);
            ASSERT_TRUE (test::pumpUntil ([this] { return editor().getOptionsWindow()->isShowing(); }));
        }

        /** Waits for the asynchronous load of a skin. */
        void waitForSkin (const juce::String& name, int loads)
        {
            ASSERT_TRUE (test::pumpUntil ([&] { return editor().loads == loads; }, 20000)) << name;
            EXPECT_EQ (editor().getCurrentSkinName(), name);
            ASSERT_NE (editor().getRootPanel(), nullptr);
            EXPECT_TRUE (editor().getRootPanel()->isShowing());
            EXPECT_EQ (rig->getHostWindow()->getWidth(), name.getIntValue());
            EXPECT_EQ (rig->getHostWindow()->getBounds().getHeight(),
                       editor().getRootPanel()->getHeight() + editor().getStatusBar()->getHeight());
        }
    };
}

TEST_F (EditorWindow, OpensInTheHostWindowClicksThroughTheOptionsAndChangesSkin)
{
    // The plug-in's own editor, handed to the host window by the wrapper, on the desktop.
    auto& window = *rig->getHostWindow();
    EXPECT_NE (dynamic_cast<AudioProcessorEditorWrapper*> (&window), nullptr);
    EXPECT_EQ (editor().getParentComponent(), &window);
    EXPECT_TRUE (window.isOnDesktop());
    ASSERT_NE (window.getPeer(), nullptr);
    EXPECT_EQ (editor().loads, 1);
    EXPECT_EQ (editor().getCurrentSkinName(), "1180");
    EXPECT_EQ (window.getBounds().getWidth(), 1180);
    ASSERT_NE (editor().getPresetNameControl(), nullptr);
    EXPECT_EQ (editor().getPresetNameControl()->getText(), "MPC60");

    // Every section of the options window opens under the mouse, one at a time.
    openOptions();
    auto& sections = editor().getOptionsWindow()->getPanelContainer();
    ASSERT_EQ (sections.getNumPanels(), 4);
    OptionsWindow::Panel* userInterface = nullptr;

    for (int i = 0; i < sections.getNumPanels(); ++i)
    {
        auto* section = sections.getPanel (i);
        mouse->click (section->getHeader());
        EXPECT_TRUE (section->isExpanded()) << section->getHeader().getName();

        for (int j = 0; j < sections.getNumPanels(); ++j)
            EXPECT_EQ (sections.getPanel (j)->isExpanded(), j == i);

        if (dynamic_cast<GUISettingsComponent*> (&section->getPage()) != nullptr)
            userInterface = section;
    }

    ASSERT_NE (userInterface, nullptr);

    if (! userInterface->isExpanded())
        mouse->click (userInterface->getHeader());

    EXPECT_TRUE (userInterface->isExpanded());

    // "USER INTERFACE": the drop-down of skin sizes, then the "75%" row of its menu.
    auto& chooser = static_cast<GUISettingsComponent&> (userInterface->getPage()).getChooser();
    ASSERT_TRUE (chooser.isShowing());
    EXPECT_EQ (chooser.getText(), "100%");
    mouse->click (chooser);
    ASSERT_TRUE (chooser.getMenu().isOpen());
    auto* menuWindow = chooser.getMenu().getPopup()->getWindow();
    ASSERT_NE (menuWindow, nullptr);
    int row = -1;

    for (int i = 0; i < chooser.getMenu().getNumItems(); ++i)
        if (chooser.getMenu().getItem (i)->text == "75%")
            row = i;

    ASSERT_GE (row, 0);
    const juce::Point<int> rowCentre (menuWindow->getWidth() / 2, 6 + row * PopupMenuEx::Window::rowHeight + 8);
    ASSERT_EQ (menuWindow->getRowAt (rowCentre.y), row);
    mouse->moveTo (*menuWindow, rowCentre);
    mouse->press (*menuWindow, rowCentre, juce::ModifierKeys::leftButtonModifier);
    mouse->release (*menuWindow, rowCentre);

    waitForSkin ("885", 2);
    EXPECT_FALSE (editor().getOptionsWindow()->isVisible());
    EXPECT_EQ (editor().getPresetNameControl()->getText(), "MPC60");
    keepWindowPicture (window, "editor-window-885.png");

    // Closing the options window by its button writes the chosen skin into the settings file.
    openOptions();
    mouse->click (editor().getOptionsWindow()->getCloseButton());
    ASSERT_TRUE (test::pumpUntil ([this] { return ! editor().getOptionsWindow()->isVisible(); }));
    const auto settings = juce::parseXML (rig->root.getUserFolder().getChildFile ("Grindel 2.ini"));
    ASSERT_NE (settings, nullptr);
    ASSERT_NE (settings->getChildByName ("Editor"), nullptr);
    EXPECT_EQ (settings->getChildByName ("Editor")->getChildByName ("Skin")->getStringAttribute ("name"), "885");

    // Back to the default skin through the status bar's skin page.
    auto* bar = editor().getStatusBar();
    mouse->click (bar->getSkinButton());
    auto& page = bar->getSkinPage();
    ASSERT_TRUE (test::pumpUntil ([&] { return page.isShowing(); }));
    juce::TextButton* defaultSkin = nullptr;

    for (int i = 0; i < page.getNumSkinButtons(); ++i)
        if (page.getSkinButton (i)->getButtonText() == "1180")
            defaultSkin = page.getSkinButton (i);

    ASSERT_NE (defaultSkin, nullptr);
    mouse->click (*defaultSkin);
    waitForSkin ("1180", 3);
    EXPECT_EQ (editor().getPresetNameControl()->getText(), "MPC60");

    // The snapshot command writes the skin area; the whole window is kept for people to see.
    test::TempFolder folder;
    const auto file = folder.get().getChildFile ("editor.png");
    editor().setFileRequest ([&] (const juce::String&, const juce::String&, bool, std::function<void (const juce::File&)> done) {
        done (file);
    });
    editor().saveSnapshot();
    const auto snapshot = decodePng (file);
    ASSERT_TRUE (snapshot.isValid());
    EXPECT_EQ (snapshot.getBounds(), juce::Rectangle<int> (0, 0, 1180, 600));

    keepWindowPicture (window, "editor-window-1180.png");
    const auto kept = decodePng (juce::File (GRINDEL_EDITOR_SNAPSHOTS).getChildFile ("editor-window-1180.png"));
    EXPECT_EQ (kept.getBounds(), window.getLocalBounds());
}

TEST (EditorTeardown, TheEditorGoesWithItsPopupAndDialogsOpenAndEndsMidiLearning)
{
    SKIP_WITHOUT_DISPLAY();

    // On the screen by itself: a host window would hold on to it until the window closes.
    EditorRig rig (juce::StringArray { "1180" });
    auto& editor = rig.getEditor();
    auto& plugin = rig.getPlugin();
    editor.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    editor.setVisible (true);
    editor.ensureSkinLoaded();
    ASSERT_NE (editor.getRootPanel(), nullptr);

    // A failed load leaves its alert open; the options window opens above it.
    editor.changeSkin ("Missing", true);
    ASSERT_TRUE (test::pumpUntil ([&] { return editor.getSkinErrorAlert() != nullptr; }));
    editor.getOptionsWindow()->show();
    ASSERT_TRUE (editor.getOptionsWindow()->isVisible());

    // A learn pop-up replaced by another waits to be deleted; the one in front is learning.
    juce::Array<Parameter*> learnable;

    for (auto* p : plugin.getParameterManager().getParameters())
        if (p->isAutomatable() && plugin.getParameterManager().canLearnMidi (p))
            learnable.add (p);

    ASSERT_GE (learnable.size(), 2);
    editor.openParameterInfo (learnable[0], &editor);
    editor.openParameterInfo (learnable[1], &editor);
    ASSERT_NE (editor.getParameterInfo(), nullptr);
    plugin.getMidiControlMap().startLearning (learnable[1]);
    ASSERT_TRUE (plugin.getMidiControlMap().isLearning());

    plugin.destroyEditor();
    EXPECT_EQ (plugin.getActiveEditor(), nullptr);
    EXPECT_FALSE (plugin.getMidiControlMap().isLearning());
    test::pump (20);
}

TEST_F (EditorWindow, CommandClickOnOptionsOpensTheAboutWindowAndCloseDeletesIt)
{
    auto& window = *rig->getHostWindow();
    auto* options = editor().getCommandButton (CommandParameter::optionsId);
    ASSERT_NE (options, nullptr);

    mouse->click (*options, juce::ModifierKeys::leftButtonModifier, juce::ModifierKeys (juce::ModifierKeys::commandModifier));
    ASSERT_TRUE (test::pumpUntil ([this] { return editor().getAboutWindow() != nullptr && editor().getAboutWindow()->isShowing(); }));
    EXPECT_FALSE (editor().getOptionsWindow()->isVisible());

    // The dialog size: 0.8 of the editor, less the status bar row.
    juce::Component::SafePointer<AboutWindow> about (editor().getAboutWindow());
    EXPECT_EQ (about->getWidth(), (int) (0.8 * editor().getWidth()));
    EXPECT_EQ (about->getHeight(), (int) (0.8 * (editor().getHeight() - editor().getStatusBarHeight())));
    EXPECT_EQ (about->getBounds().getCentre().y, editor().getContentHeight() / 2);
    EXPECT_FALSE (about->isHeaderVisible());
    EXPECT_TRUE (about->dimsBackground());

    // The product's texts, the logo from the bundle and no credits (this product has none).
    EXPECT_EQ (about->getFormatText(), "AAX 64bit");
    EXPECT_EQ (about->getVersionText(), "Version " GRINDEL_VERSION_STRING);
    EXPECT_TRUE (about->getLogo().isValid());
    EXPECT_FALSE (about->getCredits().isRunning());
    EXPECT_FALSE (about->getCredits().isVisible());
    EXPECT_EQ (about->getButtonRow().getBottom(), about->getContentArea().getBottom());
    keepWindowPicture (window, "about-window.png");

    mouse->click (about->getCloseButton());
    EXPECT_EQ (editor().getAboutWindow(), nullptr);
    ASSERT_TRUE (test::pumpUntil ([&] { return about == nullptr; }));

    // Clicks reach the skin again: the options open.
    openOptions();
}
