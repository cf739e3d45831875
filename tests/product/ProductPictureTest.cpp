// Grindel 2's editor drawn at each skin size, with and without its docked browser, the
// browser as a window with a filter on, the about window, each page of the options and the
// alerts, each compared with its reference picture in tests/pictures/product (tolerance and
// update command: tests/support/ReferencePicture.h).

#include "core/PluginAudioProcessor.h"
#include "editor/AboutWindow.h"
#include "editor/OptionsWindow.h"
#include "editor/browser/CategoryComponent.h"
#include "editor/browser/ContentBrowser.h"
#include "editor/windows/InputTextWindow.h"
#include "editor/windows/PresetChangedAlert.h"
#include "product/GrindelEditor.h"
#include "skin/Panel.h"
#include "skin/widgets/ImgButton.h"
#include "support/EmbeddedFonts.h"
#include "support/ReferencePicture.h"
#include "support/TestMouse.h"
#include "support/TestSupport.h"

namespace
{
    class ProductPictures : public ::testing::TestWithParam<const char*>
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
            window->setTopLeftPosition (0, 0);
            window->addToDesktop (juce::ComponentPeer::windowIsTemporary);
            window->setVisible (true);
            ASSERT_TRUE (test::pumpUntil ([this] { return window->isShowing(); }, 10000));
            mouse = std::make_unique<test::Mouse> (*window);

            const juce::String size (GetParam());

            if (editor->getCurrentSkinName() != size)
            {
                editor->changeSkin (size, false);
                ASSERT_TRUE (test::pumpUntil ([&] { return editor->getCurrentSkinName() == size && editor->getRootPanel() != nullptr
                                                        && editor->getRootPanel()->isShowing(); },
                                              20000));
            }

            ASSERT_EQ (window->getWidth(), size.getIntValue());
        }

        void TearDown() override
        {
            mouse.reset();

            if (window != nullptr)
                processor->editorBeingDeleted (window.get());

            window.reset();
            processor.reset();
        }

        /** The part of the window a component covers (the whole window for the window), as
            drawn, against the reference "<name>-<size>". Carets are hidden: they blink. */
        void expectPicture (juce::Component& part, const juce::String& name)
        {
            test::pump (150);
            hideCarets (*window);
            const auto area = &part == window.get() ? window->getLocalBounds() : window->getLocalArea (&part, part.getLocalBounds());
            const test::ReferencePicture pictures (juce::File (GRINDEL_REFERENCE_PICTURES).getChildFile ("product"),
                                                   juce::File (GRINDEL_PICTURE_DIFFERENCES));
            EXPECT_TRUE (pictures.matches (window->createComponentSnapshot (area.getIntersection (window->getLocalBounds())),
                                           name + "-" + GetParam()));
        }

        static void hideCarets (juce::Component& c)
        {
            if (auto* text = dynamic_cast<juce::TextEditor*> (&c))
                text->setCaretVisible (false);

            for (auto* child : c.getChildren())
                hideCarets (*child);
        }

        /** An alert takes the focus for its return button once it is on the screen; drawn before
            that, the button's outline would differ. */
        static void waitForFocus (Orvik::AlertWindow& alert)
        {
            if (auto* button = alert.getReturnButton())
            {
                ASSERT_TRUE (test::pumpUntil ([button] { return button->hasKeyboardFocus (false); }));
            }
        }

        /** The pointer where it stands over nothing that lights up. */
        void pointerAside()
        {
            mouse->moveTo (*window, { 2, window->getHeight() - 2 });
            test::pump (10);
        }

        template <class Type>
        static Type* findShowing (juce::Component& c)
        {
            if (auto* found = dynamic_cast<Type*> (&c); found != nullptr && found->isShowing())
                return found;

            for (auto* child : c.getChildren())
                if (auto* found = findShowing<Type> (*child))
                    return found;

            return nullptr;
        }

        test::ScopedDataRoot root;
        std::unique_ptr<PluginAudioProcessor> processor;
        GrindelEditor* editor = nullptr;
        std::unique_ptr<juce::AudioProcessorEditor> window;
        std::unique_ptr<test::Mouse> mouse;
    };
}

TEST_P (ProductPictures, EditorBrowsersAndDialogs)
{
    pointerAside();
    expectPicture (*window, "editor");

    // The docked browser below the skin.
    auto* browser = editor->getContentBrowser();
    ASSERT_NE (browser, nullptr);
    ASSERT_FALSE (browser->isWindowed());
    mouse->click (*editor->getBrowseButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return browser->isShowing() && window->getHeight() > editor->getSkinHeight() + browser->getHeight() - 1; }));
    pointerAside();
    expectPicture (*window, "editor-docked-browser");
    browser->close (true);
    ASSERT_TRUE (test::pumpUntil ([&] { return ! browser->isVisible(); }));

    // The browser as a window, with the first tag of the filters on.
    browser->setWindowed (true);
    browser->open (true);
    ASSERT_TRUE (test::pumpUntil ([&] { return browser->isShowing(); }));
    test::pump (50);
    auto* tag = findShowing<CategoryComponent::ItemButton> (*browser);
    ASSERT_NE (tag, nullptr);
    mouse->click (*tag);
    pointerAside();
    expectPicture (*browser, "browser-window-filtered");
    browser->close (true);
    ASSERT_TRUE (test::pumpUntil ([&] { return ! browser->isVisible(); }));
    browser->setWindowed (false);

    // The about window.
    mouse->click (*editor->getOptionsButton(), juce::ModifierKeys::leftButtonModifier, juce::ModifierKeys (juce::ModifierKeys::commandModifier));
    ASSERT_TRUE (test::pumpUntil ([&] { return editor->getAboutWindow() != nullptr && editor->getAboutWindow()->isShowing(); }));
    pointerAside();
    expectPicture (*editor->getAboutWindow(), "about");
    mouse->click (editor->getAboutWindow()->getCloseButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return editor->getAboutWindow() == nullptr; }));

    // The options window, one page open at a time.
    auto* options = editor->getOptionsWindow();
    mouse->click (*editor->getOptionsButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return options->isShowing(); }));
    auto& sections = options->getPanelContainer();

    for (int i = 0; i < sections.getNumPanels(); ++i)
    {
        if (! sections.getPanel (i)->isExpanded())
            mouse->click (sections.getPanel (i)->getHeader());

        ASSERT_TRUE (sections.getPanel (i)->isExpanded());
        pointerAside();
        expectPicture (*options, "options-page-" + juce::String (i + 1));
    }

    mouse->click (options->getCloseButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return ! options->isVisible(); }));

    // The alerts: the preset change warning, a text prompt and a message.
    struct : Orvik::AlertWindow::Caller
    {
        void alertWindowClosed (Orvik::AlertWindow*, int) override {}
    } caller;

    {
        PresetChangedAlert warning (caller, editor);
        waitForFocus (warning);
        expectPicture (warning, "alert-preset-changed");
        warning.hide();
    }

    {
        auto prompt = Orvik::InputTextWindow::run (&caller, "Save preset as", "Name:", "Mine", editor);
        // The field takes the focus once the window is on the screen; drawn before that, its
        // outline and selection would differ.
        ASSERT_TRUE (test::pumpUntil ([&] { return prompt->getTextField().hasKeyboardFocus (false); }));
        expectPicture (*prompt, "alert-text-prompt");
    }

    // The skin error names a temporary folder: its layout with a fixed path.
    {
        auto error = Orvik::AlertWindow::showMessage (&caller, "Skin error", "Skin file not found.\n/Library/Application Support/Orvik Group/Grindel 2/Skins/1180.orvikskin", editor);
        waitForFocus (*error);
        expectPicture (*error, "alert-message");
    }
}

INSTANTIATE_TEST_SUITE_P (SkinSizes, ProductPictures, ::testing::Values ("885", "1180", "1475"));
