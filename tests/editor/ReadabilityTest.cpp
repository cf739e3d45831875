// Every text and icon of the editor's windows, dialogs, pages and pop-ups, read back from the
// real window, must stand out from what is behind it; no part of the window may stay unpainted.

#include "EditorTestSupport.h"
#include "core/CommandParameter.h"
#include "editor/GUISettingsComponent.h"
#include "editor/windows/InputTextWindow.h"
#include "editor/OptionsWindow.h"
#include "editor/ParameterInfo.h"
#include "editor/windows/PresetChangedAlert.h"
#include "editor/StatusBar.h"
#include "editor/browser/CategoryComponent.h"
#include "skin/CheckBox.h"
#include "skin/ColourEditor.h"
#include "skin/Panel.h"
#include "skin/StandardWidgetBuilder.h"
#include "skin/widgets/ImgButton.h"
#include "skin/widgets/PresetNameDisplay.h"
#include "skin/widgets/TextDisplay.h"
#include <map>

using edtest::EditorRig;

namespace
{
    constexpr double minimumContrast = 3.0;

    // WCAG's relative luminance and contrast ratio.
    double luminance (juce::Colour c)
    {
        const auto linear = [] (juce::uint8 v) {
            const auto f = v / 255.0;
            return f <= 0.03928 ? f / 12.92 : std::pow ((f + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear (c.getRed()) + 0.7152 * linear (c.getGreen()) + 0.0722 * linear (c.getBlue());
    }

    double contrast (juce::Colour a, juce::Colour b)
    {
        const auto la = luminance (a), lb = luminance (b);
        return (juce::jmax (la, lb) + 0.05) / (juce::jmin (la, lb) + 0.05);
    }

    /** How many pixels of the area show each colour. */
    std::map<juce::uint32, int> colourCounts (const juce::Image& image, juce::Rectangle<int> area)
    {
        area = area.getIntersection (image.getBounds());
        std::map<juce::uint32, int> counts;

        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                ++counts[image.getPixelAt (x, y).getARGB()];

        return counts;
    }

    /** The colour most pixels show: what is behind the text. */
    juce::Colour mostShown (const std::map<juce::uint32, int>& counts)
    {
        return juce::Colour (std::max_element (counts.begin(), counts.end(), [] (auto& a, auto& b) {
                                 return a.second < b.second;
                             })->first);
    }

    /** The colour most of the area shows (what is behind the text), and the strongest contrast
        any pixel of the area makes with it (the text's own colour, at the glyphs' cores). */
    double strongestContrast (const juce::Image& image, juce::Rectangle<int> area)
    {
        const auto counts = colourCounts (image, area);

        if (counts.empty())
            return 0.0;

        const auto behind = mostShown (counts);
        double best = 1.0;

        for (const auto& [argb, count] : counts)
            best = juce::jmax (best, contrast (juce::Colour (argb), behind));

        return best;
    }

    /** The contrast that a quarter of the ink (the pixels that differ from what is behind)
        reaches: small text blurred into its background stays below the rule even when a few
        pixels at its cores would not. */
    double inkContrast (const juce::Image& image, juce::Rectangle<int> area)
    {
        const auto counts = colourCounts (image, area);

        if (counts.empty())
            return 0.0;

        const auto behind = mostShown (counts);
        std::vector<double> ink;

        for (const auto& [argb, count] : counts)
            if (const auto c = contrast (juce::Colour (argb), behind); c >= 1.2)
                ink.insert (ink.end(), (size_t) count, c);

        if (ink.empty())
            return 1.0;

        std::sort (ink.begin(), ink.end(), std::greater<>());
        return ink[ink.size() / 4];
    }

    /** Where a component draws its text or icon, in its own coordinates; empty for the others. */
    juce::Rectangle<int> inkArea (juce::Component& c)
    {
        if (auto* label = dynamic_cast<juce::Label*> (&c))
            return label->getText().isEmpty() || label->isBeingEdited()
                ? juce::Rectangle<int>()
                : label->getBorderSize().subtractedFrom (label->getLocalBounds());

        // The box of a check box has its own outline: only its text counts.
        if (auto* box = dynamic_cast<CheckBox*> (&c))
            return box->getButtonText().isEmpty() ? juce::Rectangle<int>() : box->getLocalBounds().withTrimmedLeft (box->getHeight());

        if (auto* button = dynamic_cast<juce::TextButton*> (&c))
            return button->getButtonText().isEmpty() ? juce::Rectangle<int>() : button->getLocalBounds().reduced (3);

        if (dynamic_cast<juce::Drawable*> (&c) != nullptr)
            return c.getLocalBounds();

        if (auto* window = dynamic_cast<WindowComponent*> (&c); window != nullptr && window->isHeaderVisible())
            return window->getHeaderArea().withTrimmedRight (window->getHeaderArea().getHeight());

        return {};
    }

    /** Walks what is showing below root and lists every text or icon that does not stand out. */
    void collectUnreadable (juce::Component& window, const juce::Image& screen, juce::Component& c, juce::StringArray& found)
    {
        if (! c.isShowing() || ! c.isEnabled())
            return;

        if (const auto area = inkArea (c); ! area.isEmpty())
        {
            const auto ratio = strongestContrast (screen, window.getLocalArea (&c, area));

            if (ratio < minimumContrast)
                found.add (juce::String (typeid (c).name()) + " '" + c.getName() + "' "
                           + (dynamic_cast<juce::Label*> (&c) != nullptr        ? static_cast<juce::Label&> (c).getText()
                                  : dynamic_cast<juce::Button*> (&c) != nullptr ? static_cast<juce::Button&> (c).getButtonText()
                                                                                : juce::String())
                           + ": " + juce::String (ratio, 2));
        }

        for (auto* child : c.getChildren())
            collectUnreadable (window, screen, *child, found);
    }

    /** 8 x 8 tiles the screen shows black where JUCE paints something else: never painted. */
    int countUnpaintedTiles (juce::Component& window)
    {
        const auto screen = edtest::readBackWindow (window);
        const auto painted = window.createComponentSnapshot (window.getLocalBounds());
        int unpainted = 0;

        for (int ty = 0; ty + 8 <= screen.getHeight(); ty += 8)
        {
            for (int tx = 0; tx + 8 <= screen.getWidth(); tx += 8)
            {
                bool black = true, paintedBlack = true;

                for (int y = ty; y < ty + 8; ++y)
                    for (int x = tx; x < tx + 8; ++x)
                    {
                        black = black && (screen.getPixelAt (x, y).getARGB() & 0xFFFFFF) == 0;
                        paintedBlack = paintedBlack && (painted.getPixelAt (x, y).getARGB() & 0xFFFFFF) == 0;
                    }

                unpainted += black && ! paintedBlack ? 1 : 0;
            }
        }

        return unpainted;
    }

    class Readability : public edtest::ShownEditorTest
    {
    protected:
        Readability() : edtest::ShownEditorTest ({ "1180", "885" }) {}

        juce::Component& window() const { return *rig->getHostWindow(); }

        /** Lets JUCE paint, reads the window back and checks what is showing below part. */
        void expectReadable (juce::Component& part, const juce::String& what)
        {
            ASSERT_TRUE (test::pumpUntil ([&] { return part.isShowing(); })) << what;
            juce::StringArray found;

            // A loaded machine may show the window a little after JUCE painted it: what stays
            // unreadable for two seconds is.
            for (int attempt = 0; attempt < 16 && (attempt == 0 || ! found.isEmpty()); ++attempt)
            {
                test::pump (120);
                const auto screen = edtest::readBackWindow (window());
                ASSERT_TRUE (screen.isValid());
                found.clear();
                collectUnreadable (window(), screen, part, found);
            }

            EXPECT_TRUE (found.isEmpty()) << what << ":\n"
                                          << found.joinIntoString ("\n");
        }

        /** Selects all of a field's text and reads the selection back from the window: with the
            field focused and, where it stays open without the focus, unfocused (JUCE draws the
            highlight paler then). */
        void expectSelectionReadable (juce::TextEditor& field, const juce::String& what, bool staysUnfocused)
        {
            ASSERT_TRUE (test::pumpUntil ([&] { return field.isShowing(); })) << what;
            ASSERT_GT (field.getTotalNumChars(), 0) << what;

            for (const bool focused : { true, false })
            {
                if (! focused && ! staysUnfocused)
                    return;

                if (focused)
                    field.grabKeyboardFocus();
                else
                    juce::Component::unfocusAllComponents();

                ASSERT_TRUE (test::pumpUntil ([&] { return field.hasKeyboardFocus (false) == focused; })) << what;
                field.selectAll();
                // The selection's box, inside the field's outline.
                const auto text = field.getTextBounds ({ 0, field.getTotalNumChars() }).getBounds().reduced (1);
                const auto selection = text.getIntersection (field.getLocalBounds().reduced (2));
                ASSERT_FALSE (selection.isEmpty()) << what;
                double ratio = 0.0;

                // As expectReadable: what stays unreadable for two seconds is.
                for (int attempt = 0; attempt < 16 && ratio < minimumContrast; ++attempt)
                {
                    test::pump (120);
                    ratio = strongestContrast (edtest::readBackWindow (window()), window().getLocalArea (&field, selection));
                }

                EXPECT_GE (ratio, minimumContrast) << what << (focused ? ", focused" : ", unfocused");
            }
        }
    };
}

TEST_F (Readability, EveryWindowDialogPageAndPopupStandsOut)
{
    expectReadable (*editor().getStatusBar(), "status bar");

    // The options window, one section open at a time.
    auto* options = editor().getOptionsWindow();
    mouse->click (*editor().getCommandButton (CommandParameter::optionsId));
    ASSERT_TRUE (test::pumpUntil ([&] { return options->isShowing(); }));
    auto& sections = options->getPanelContainer();

    for (int i = 0; i < sections.getNumPanels(); ++i)
    {
        auto* section = sections.getPanel (i);

        if (! section->isExpanded())
            mouse->click (section->getHeader());

        expectReadable (*options, "options section " + juce::String (i));

        if (auto* page = dynamic_cast<GUISettingsComponent*> (&section->getPage()))
        {
            mouse->click (page->getChooser());
            ASSERT_TRUE (page->getChooser().getMenu().isOpen());
            expectReadable (*page->getChooser().getMenu().getPopup()->getWindow(), "skin size menu");
            // A press outside the menu closes it.
            mouse->press (*options, { 20, 8 }, juce::ModifierKeys::leftButtonModifier);
            mouse->release (*options, { 20, 8 });
            ASSERT_TRUE (test::pumpUntil ([&] { return ! page->getChooser().getMenu().isOpen(); }));
        }
    }

    mouse->click (options->getCloseButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return ! options->isVisible(); }));

    // The status bar's pages.
    auto* bar = editor().getStatusBar();

    for (auto* button : { &bar->getQualityButton(), &bar->getMidiButton(), &bar->getSkinButton() })
    {
        if (! button->isShowing())
            continue;

        mouse->click (*button);
        ASSERT_NE (editor().getFrontComponent(), nullptr) << button->getButtonText();
        expectReadable (*editor().getFrontComponent(), "status bar page " + button->getButtonText());
        mouse->click (*editor().getRootPanel(), juce::ModifierKeys::leftButtonModifier);
        test::pump (30);
    }

    // The preset actions of the preset name.
    auto* presetName = editor().getPresetNameControl();
    ASSERT_NE (presetName, nullptr);
    mouse->click (*presetName, juce::ModifierKeys::rightButtonModifier);
    ASSERT_NE (presetName->getActions(), nullptr);
    EXPECT_FALSE (editor().getContentBrowser()->isVisible()) << "a right-click opens the actions alone";
    expectReadable (*presetName->getActions(), "preset actions");
    mouse->click (*editor().getRootPanel());
    test::pump (30);

    // The MIDI CC learn pop-up.
    Parameter* learnable = nullptr;

    for (auto* p : rig->getPlugin().getParameterManager().getParameters())
        if (learnable == nullptr && p->isAutomatable() && rig->getPlugin().getParameterManager().canLearnMidi (p))
            learnable = p;

    ASSERT_NE (learnable, nullptr);
    editor().openParameterInfo (learnable, nullptr);
    ASSERT_NE (editor().getParameterInfo(), nullptr);
    expectReadable (*editor().getParameterInfo(), "learn pop-up");
    editor().closeParameterInfo (editor().getParameterInfo());

    // The dialogs: the skin error, the preset change warning and a text prompt.
    editor().changeSkin ("Missing", true);
    ASSERT_TRUE (test::pumpUntil ([&] { return editor().getSkinErrorAlert() != nullptr; }));
    expectReadable (*editor().getSkinErrorAlert(), "skin error");
    editor().getSkinErrorAlert()->closeWithButton (0);

    struct : Orvik::AlertWindow::Caller
    {
        void alertWindowClosed (Orvik::AlertWindow*, int) override {}
    } caller;
    PresetChangedAlert warning (caller, &editor());
    expectReadable (warning, "preset change warning");
    warning.hide();

    auto prompt = Orvik::InputTextWindow::run (&caller, "Save preset as", "Name:", "Mine", &editor());
    expectReadable (*prompt, "text prompt");
}

TEST_F (Readability, NoAreaStaysUnpaintedAfterASkinChangeOrAResize)
{
    // From the smaller skin to the larger one: the window grows.
    editor().changeSkin ("885", false);
    ASSERT_TRUE (test::pumpUntil ([&] { return editor().getCurrentSkinName() == "885" && editor().loads == 2; }));
    test::pump (200);
    editor().changeSkin ("1180", false);
    ASSERT_TRUE (test::pumpUntil ([&] { return editor().loads == 3; }));
    test::pump (200);
    EXPECT_EQ (countUnpaintedTiles (window()), 0) << "after growing to 1180";

    // The host resizes its window.
    editor().setContentSize (1200, 640);
    test::pump (200);
    EXPECT_EQ (countUnpaintedTiles (window()), 0) << "after a resize";
}

TEST_F (Readability, TheAboutWindowAndTheContentBrowserWindowedAndDockedStandOut)
{
    // The about window, and its logo's tagline on its own (the logo's white name would stand
    // out for the whole drawable).
    mouse->click (*editor().getCommandButton (CommandParameter::optionsId), juce::ModifierKeys::leftButtonModifier,
                  juce::ModifierKeys (juce::ModifierKeys::commandModifier));
    ASSERT_TRUE (test::pumpUntil ([&] { return editor().getAboutWindow() != nullptr && editor().getAboutWindow()->isShowing(); }));
    auto& about = *editor().getAboutWindow();
    expectReadable (about, "about window");
    juce::DrawableImage* logo = nullptr;

    for (auto* child : about.getChildren())
        if (auto* image = dynamic_cast<juce::DrawableImage*> (child))
            logo = image;

    ASSERT_NE (logo, nullptr);
    const auto drawn = logo->getBoundsInParent();
    ASSERT_GE (drawn.getHeight(), 20);
    const auto tagline = window().getLocalArea (&about, drawn.withTrimmedTop (drawn.getHeight() * 18 / 25));
    EXPECT_GE (inkContrast (edtest::readBackWindow (window()), tagline), minimumContrast) << "the logo's tagline";
    mouse->click (about.getCloseButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return editor().getAboutWindow() == nullptr; }));

    // The content browser as a window, then docked in place of the skin.
    auto* browser = editor().getContentBrowser();
    ASSERT_NE (browser, nullptr);

    for (const bool windowed : { true, false })
    {
        browser->setWindowed (windowed);

        // Docked as a product editor docks it: a child of the editor over the skin.
        if (! windowed)
        {
            editor().addChildComponent (browser);
            browser->setBounds (0, 0, editor().getWidth(), editor().getContentHeight());
        }

        browser->open (true);
        ASSERT_TRUE (test::pumpUntil ([&] { return browser->isShowing(); }));
        const juce::String what (windowed ? "content browser window" : "docked content browser");
        expectReadable (*browser, what);

        // No horizontal scroll bar with nothing to scroll, and no category name cut where a
        // smaller font or narrower letters fit it.
        std::function<void (juce::Component&)> walk = [&] (juce::Component& c) {
            if (auto* bar = dynamic_cast<juce::ScrollBar*> (&c); bar != nullptr && bar->isShowing() && ! bar->isVertical())
            {
                EXPECT_LT (bar->getCurrentRangeSize(), bar->getMaximumRangeLimit() - bar->getMinimumRangeLimit()) << what;
            }

            if (auto* label = dynamic_cast<juce::Label*> (&c);
                label != nullptr && label->isShowing() && dynamic_cast<CategoryComponent::CategoryButton*> (c.getParentComponent()) != nullptr)
            {
                EXPECT_LE (label->getFont().getStringWidthFloat (label->getText()) * label->getMinimumHorizontalScale(),
                           (float) label->getBorderSize().subtractedFrom (label->getLocalBounds()).getWidth())
                    << what << ": " << label->getText();
            }

            for (auto* child : c.getChildren())
                walk (*child);
        };
        walk (*browser);
        browser->close (true);
        ASSERT_TRUE (test::pumpUntil ([&] { return ! browser->isVisible(); }));
    }
}

TEST_F (Readability, SelectedTextStandsOutFromItsHighlightInEveryTextField)
{
    auto* browser = editor().getContentBrowser();
    ASSERT_NE (browser, nullptr);

    // The content browser's name field in Save As, and its rename field in Edit Mode.
    browser->openSaveAs();
    expectSelectionReadable (browser->getNameEditor(), "Save As name field", true);
    browser->close (false);

    auto* user = rig->getPlugin().getUserPresets();
    auto* mine = user->addNewItem ("Mine", {});
    ASSERT_NE (mine, nullptr);
    user->sendChangeMessage();
    browser->open (true);
    mouse->click (browser->getEditModeButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return browser->isEditMode() && browser->getResults().getNumResults() == 1; }));
    browser->getResults().selectItem (browser->getResults().getItem (0), true, false);
    browser->getResults().startRename (false);
    ASSERT_TRUE (browser->getResults().isRenaming());
    expectSelectionReadable (browser->getResults().getRenameEditor(), "rename field", false);
    browser->getResults().finishRename (false);
    browser->close (false);

    // A text prompt (the tag editor's new tag and category, the import's rename).
    struct : Orvik::AlertWindow::Caller
    {
        void alertWindowClosed (Orvik::AlertWindow*, int) override {}
    } caller;
    auto prompt = Orvik::InputTextWindow::run (&caller, "New Tag", "Name:", "Crunchy", &editor());
    expectSelectionReadable (prompt->getTextField(), "text prompt", true);
    prompt->hide();

    // A skin's own fields: a text editor (also read-only) and a colour editor.
    const auto textEditor = juce::ValueTree ("TextEditor").setProperty ("text", "Typed", nullptr).setProperty ("w", 200, nullptr).setProperty ("h", 20, nullptr);
    std::vector<std::unique_ptr<juce::Component>> fields;
    fields.push_back (createStandardComponent (textEditor));
    fields.push_back (createStandardComponent (textEditor.createCopy().setProperty ("readOnly", true, nullptr)));
    fields.push_back (createStandardComponent (juce::ValueTree ("ColourEditor")));
    auto* colours = dynamic_cast<ColourEditor*> (fields.back().get());
    ASSERT_NE (colours, nullptr);
    colours->setColour (juce::Colour (0xFF336699));

    for (size_t i = 0; i < fields.size(); ++i)
    {
        ASSERT_NE (fields[i], nullptr);
        editor().addAndMakeVisible (*fields[i]);
        fields[i]->setTopLeftPosition (20, 100 + 30 * (int) i);
    }

    expectSelectionReadable (*dynamic_cast<juce::TextEditor*> (fields[0].get()), "skin text editor", true);
    expectSelectionReadable (*dynamic_cast<juce::TextEditor*> (fields[1].get()), "skin read-only text editor", true);
    expectSelectionReadable (colours->getEditor(), "skin colour editor", true);

    // A skin's text display made editable: the editor the label opens.
    TextDisplay* display = nullptr;
    std::function<void (juce::Component&)> find = [&] (juce::Component& c) {
        if (auto* d = dynamic_cast<TextDisplay*> (&c); d != nullptr && display == nullptr && d->isShowing() && d->getText().isNotEmpty())
            display = d;
        for (auto* child : c.getChildren())
            find (*child);
    };
    find (editor());
    ASSERT_NE (display, nullptr);
    display->setEditable (true, false, false);
    display->showEditor();
    ASSERT_NE (display->getCurrentTextEditor(), nullptr);
    expectSelectionReadable (*display->getCurrentTextEditor(), "skin text display", false);
    display->hideEditor (true);

    for (auto& field : fields)
        editor().removeChildComponent (field.get());
}
