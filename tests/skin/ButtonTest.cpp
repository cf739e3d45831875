// The toolkit's buttons and fields driven as a user drives them: real JUCE mouse sequences,
// bound parameters, automation arriving from the host, and the path and colour fields.

#include "core/parameters/BoolParameter.h"
#include "core/parameters/EnumParameter.h"
#include "skin/CheckBox.h"
#include "skin/ColourEditor.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/DefaultResourceCheckBox.h"
#include "skin/EmbeddedIcons.h"
#include "skin/RadioTextButtons.h"
#include "skin/TextButtonWithIcon.h"
#include "skin/TextToggleButton.h"
#include "skin/ToolbarDrawableButton.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace
{
    juce::MouseEvent mouseAt (juce::Component& c, juce::Point<float> p)
    {
        const auto now = juce::Time::getCurrentTime();
        return { juce::Desktop::getInstance().getMainMouseSource(), p,
                 juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier),
                 juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f,
                 &c, &c, now, p, now, 1, false };
    }

    void click (juce::Component& c)
    {
        const auto e = mouseAt (c, c.getLocalBounds().getCentre().toFloat());
        c.mouseEnter (e);
        c.mouseDown (e);
        c.mouseUp (e);
        c.mouseExit (e);
    }

    Parameter::Description describe (int id, const char* name)
    {
        Parameter::Description d;
        d.id = id;
        d.name = name;
        return d;
    }

    struct Counter : public Parameter::Listener, public Parameter::ImmediateListener
    {
        int began = 0, ended = 0, stored = 0;
        void parameterChanged (Parameter*) override {}
        void parameterGestureBegan (Parameter*) override { ++began; }
        void parameterGestureEnded (Parameter*) override { ++ended; }
        void parameterValueChanged (Parameter&, bool) override { ++stored; }
    };

    struct Buttons : public ::testing::Test
    {
        DefaultLookAndFeel lookAndFeel;
        juce::Component parent;
        BoolParameter on { describe (1, "Bypass") };
        Counter counter;

        void SetUp() override
        {
            parent.setLookAndFeel (&lookAndFeel);
            parent.setSize (300, 100);
            parent.setVisible (true);
            on.addListener (&counter);
            on.setImmediateListener (&counter);
        }

        void TearDown() override
        {
            on.setImmediateListener (nullptr);
            on.removeListener (&counter);
            parent.setLookAndFeel (nullptr);
        }
    };
}

TEST_F (Buttons, CheckBoxClickSetsItsParameterInOneGesture)
{
    CheckBox box ("box");
    box.setBounds (0, 0, 100, 20);
    parent.addAndMakeVisible (box);
    ASSERT_TRUE (box.addParameter (&on));

    click (box);
    EXPECT_TRUE (box.isChecked());
    EXPECT_TRUE (on.getBoolValue());
    EXPECT_EQ (1, counter.began);
    EXPECT_EQ (1, counter.ended);
    EXPECT_EQ (1, counter.stored);

    click (box);
    EXPECT_FALSE (box.isChecked());
    EXPECT_FALSE (on.getBoolValue());
    EXPECT_EQ (2, counter.stored);
}

TEST_F (Buttons, AutomationReachesTheCheckBoxAfterTheMessageLoopAndIsNotSentBack)
{
    CheckBox box ("box");
    parent.addAndMakeVisible (box);
    box.addParameter (&on);

    on.setValue (1.0f, true);   // the host
    EXPECT_FALSE (box.isChecked());
    ASSERT_TRUE (test::pumpUntil ([&box] { return box.isChecked(); }));
    EXPECT_EQ (1, counter.stored);
    EXPECT_EQ (0, counter.began);
}

TEST_F (Buttons, CheckBoxWidthFitsItsText)
{
    CheckBox box ("box");
    box.setButtonText ("Don't show this warning again");
    parent.addAndMakeVisible (box);
    box.setSize (10, 20);
    box.fitWidthToText (20);
    const auto expected = box.getTextFont().getStringWidthFloat (box.getButtonText()) + 24.0f;
    EXPECT_EQ ((int) std::ceil (expected), box.getWidth());
    EXPECT_EQ (20, box.getHeight());

    box.setChecked (true, juce::dontSendNotification);
    EXPECT_TRUE (box.isChecked());
}

TEST_F (Buttons, ToolbarButtonFollowsAutomationWithoutSendingItBack)
{
    ToolbarDrawableButton button ("tb", StandardIcon::midi);
    parent.addAndMakeVisible (button);
    button.setClickingTogglesState (true);
    button.setBounds (0, 0, 24, 24);
    button.addParameter (&on);
    EXPECT_NE (nullptr, button.getNormalImage());
    EXPECT_FALSE (button.getWantsKeyboardFocus());

    on.setValue (1.0f, true);
    ASSERT_TRUE (test::pumpUntil ([&button] { return button.getToggleState(); }));
    EXPECT_EQ (1, counter.stored);
    EXPECT_EQ (0, counter.began);

    click (button);
    EXPECT_FALSE (button.getToggleState());
    EXPECT_FALSE (on.getBoolValue());
    EXPECT_EQ (1, counter.began);
}

TEST_F (Buttons, TextToggleButtonText)
{
    TextToggleButton toggle ("ALL", "ANY");
    parent.addAndMakeVisible (toggle);
    toggle.setBounds (0, 0, 40, 14);
    EXPECT_EQ (juce::String ("ANY"), toggle.getButtonText());
    EXPECT_FALSE (toggle.getWantsKeyboardFocus());

    click (toggle);
    EXPECT_EQ (juce::String ("ALL"), toggle.getButtonText());
    click (toggle);
    EXPECT_EQ (juce::String ("ANY"), toggle.getButtonText());
}

TEST_F (Buttons, TextButtonWithIconGeometry)
{
    TextButtonWithIcon button ("b");
    parent.addAndMakeVisible (button);
    button.setButtonText ("Export");

    button.fitWidthToText (20);
    const auto font = lookAndFeel.getTextButtonFont (button, 20);
    const int textWidth = (int) std::ceil (font.getStringWidthFloat ("Export"));
    EXPECT_EQ (18 + 3 + 14 + textWidth, button.getWidth());
    EXPECT_EQ (20, button.getHeight());

    // Without an icon the text still leaves the icon's room.
    EXPECT_EQ (juce::Rectangle<int> (18, 0, button.getWidth() - 18, 20), button.getTextArea());
    EXPECT_EQ (nullptr, button.getCurrentIcon());

    button.setIconSide (1);
    EXPECT_EQ (juce::Rectangle<int> (button.getWidth() - 19, 1, 18, 18), button.getIconArea());
    EXPECT_EQ (juce::Rectangle<int> (0, 0, button.getWidth() - 18, 20), button.getTextArea());

    button.setText ("Import Samples", true);
    EXPECT_GT (button.getWidth(), 18 + 3 + 14 + textWidth);

    button.setSize (0, 0);   // too small for an icon: no degenerate transform
    button.setIcon (*getStandardIcon (StandardIcon::save));
    EXPECT_FALSE (button.getCurrentIcon()->isVisible());
}

TEST_F (Buttons, TextButtonWithIconPicksTheIconForItsLook)
{
    TextButtonWithIcon button ("b");
    parent.addAndMakeVisible (button);
    button.setBounds (0, 0, 80, 20);
    button.setClickingTogglesState (true);
    button.setIcon (*getStandardIcon (StandardIcon::quality));

    auto* normalOff = button.getCurrentIcon();
    ASSERT_NE (nullptr, normalOff);
    EXPECT_EQ (&button, normalOff->getParentComponent());
    EXPECT_EQ (1, button.getNumChildComponents());

    const auto e = mouseAt (button, { 10.0f, 10.0f });
    static_cast<juce::Component&> (button).mouseEnter (e);
    auto* overOff = button.getCurrentIcon();
    EXPECT_NE (normalOff, overOff);
    static_cast<juce::Component&> (button).mouseExit (e);
    EXPECT_EQ (normalOff, button.getCurrentIcon());

    click (button);
    auto* normalOn = button.getCurrentIcon();
    EXPECT_NE (normalOff, normalOn);

    button.setEnabled (false);
    EXPECT_NE (normalOn, button.getCurrentIcon());
    EXPECT_EQ (1, button.getNumChildComponents());

    // A bound button follows automation and sends its clicks.
    button.setEnabled (true);
    button.setToggleState (false, juce::dontSendNotification);
    button.addParameter (&on);
    click (button);
    EXPECT_TRUE (on.getBoolValue());
    on.setValue (0.0f, true);
    ASSERT_TRUE (test::pumpUntil ([&button] { return ! button.getToggleState(); }));
}

TEST_F (Buttons, RadioTextButtonsChooseAnItem)
{
    EnumParameter quality (describe (8, "Processing Quality"), { "Normal", "High", "Ultra" });
    RadioTextButtons row (&quality);
    parent.addAndMakeVisible (row);
    ASSERT_EQ (3, row.getNumButtons());
    EXPECT_EQ (RadioTextButtons::buttonHeight, row.getHeight());
    EXPECT_EQ (0, row.getSelectedIndex());

    struct Choice : public RadioTextButtons::Listener
    {
        int index = -1;
        void radioChoiceMade (RadioTextButtons*, int i) override { index = i; }
    } choice;
    row.addListener (&choice);

    row.setSize (300, 20);
    EXPECT_EQ (juce::Rectangle<int> (100, 0, 100, 20), row.getButton (1)->getBounds());

    click (*row.getButton (2));
    EXPECT_EQ (2, quality.getIntValue());
    EXPECT_EQ (2, row.getSelectedIndex());
    EXPECT_EQ (2, choice.index);

    quality.setIntValue (1, true);
    ASSERT_TRUE (test::pumpUntil ([&row] { return row.getSelectedIndex() == 1; }));
    EXPECT_FALSE (row.getButton (2)->getToggleState());
    row.removeListener (&choice);

    RadioTextButtons none (nullptr);
    EXPECT_EQ (0, none.getNumButtons());
    RadioTextButtons notEnum (&on);
    EXPECT_EQ (0, notEnum.getNumButtons());
    EXPECT_EQ (0, notEnum.getNumParameters());
}

//==============================================================================
TEST_F (Buttons, PathFieldShowsCutsAndTellsItsListeners)
{
    PathComponent field;
    parent.addAndMakeVisible (field);
    field.setBounds (0, 0, 300, 20);
    EXPECT_EQ (lookAndFeel.getFont().getHeight(), field.getFont().getHeight());

    struct Changes : public PathComponent::Listener
    {
        int count = 0;
        void pathChanged (PathComponent*) override { ++count; }
    } changes;
    field.addListener (&changes);

    field.setPath ("/a/b", true);
    EXPECT_EQ (1, changes.count);
    field.setPath ("/a/b", true);
    EXPECT_EQ (1, changes.count);
    field.setPath ("/c", false);
    EXPECT_EQ (1, changes.count);

    const auto frame = field.getFrameArea();
    EXPECT_EQ (300 - PathComponent::gap - field.getBrowseButton().getWidth(), frame.getWidth());
    EXPECT_EQ (field.getWidth(), field.getBrowseButton().getRight());
    EXPECT_FALSE (field.isPathCut());

    // A path ten pixels too wide is cut, with the dimmed "[...]" at the right end.
    juce::String longPath ("/");

    while (field.getFont().getStringWidth (longPath) < frame.getWidth() - 8 + 10)
        longPath << "x";

    field.setPath (longPath, false);
    EXPECT_TRUE (field.isPathCut());

    // "[...]" keeps its opacity of 0.5 when the field is disabled (the path itself dims).
    // Without the field's frame only the texts are drawn, in black.
    field.setColour (0x0F002202, juce::Colours::transparentBlack);
    const auto darkest = [&field] (juce::Rectangle<int> area) {
        const auto image = field.createComponentSnapshot (field.getLocalBounds(), true, 1.0f);
        juce::uint8 alpha = 0;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                alpha = juce::jmax (alpha, image.getPixelAt (x, y).getAlpha());
        return alpha;
    };
    const auto text = field.getTextArea();
    const auto mark = text.withLeft (text.getRight() - field.getEllipsisWidth());
    const auto start = text.withWidth (field.getEllipsisWidth());
    const auto enabledMark = darkest (mark), enabledStart = darkest (start);

    field.setEnabled (false);
    EXPECT_FALSE (field.getBrowseButton().isEnabled());
    EXPECT_NEAR (darkest (mark), enabledMark, 2);
    EXPECT_LT (darkest (start), enabledStart - 60);
    field.setEnabled (true);
    EXPECT_TRUE (field.getBrowseButton().isEnabled());

    field.setSize (20, 20);   // narrower than the button and the gap
    EXPECT_EQ (0, field.getFrameArea().getWidth());
    EXPECT_EQ (0, field.getTextArea().getWidth());
    field.createComponentSnapshot (field.getLocalBounds());

    // Browse asks through the file seam; a cancelled choice changes nothing.
    juce::StringArray requests;
    juce::File answer ("/chosen/file.txt");
    field.setChooserTitle ("Pick");
    field.setFilePatterns ("*.txt");
    field.setFileRequest ([&] (const juce::String& title, const juce::String& patterns, bool forSaving,
                               std::function<void (const juce::File&)> done) {
        requests.add (title + " " + patterns + (forSaving ? " save" : " open"));
        done (answer);
    });
    field.getBrowseButton().triggerClick();
    ASSERT_TRUE (test::pumpUntil ([&] { return ! requests.isEmpty(); }));
    EXPECT_EQ (requests, juce::StringArray ({ "Pick *.txt open" }));
    EXPECT_EQ (field.getPath(), answer.getFullPathName());
    EXPECT_EQ (2, changes.count);

    answer = juce::File();
    field.getBrowseButton().triggerClick();
    ASSERT_TRUE (test::pumpUntil ([&] { return requests.size() == 2; }));
    EXPECT_EQ (field.getPath(), "/chosen/file.txt");
    EXPECT_EQ (2, changes.count);

    field.removeListener (&changes);
}

TEST_F (Buttons, ResourceCheckBoxTicksExactlyWithAPath)
{
    DefaultResourceCheckBox resource;
    parent.addAndMakeVisible (resource);
    resource.setBounds (0, 0, 300, 20);
    resource.setText ("MIDI CC map");

    struct Changes : public DefaultResourceCheckBox::Listener
    {
        int count = 0;
        void resourceCheckBoxChanged (DefaultResourceCheckBox*) override { ++count; }
    } changes;
    resource.addListener (&changes);
    resource.addListener (&changes);

    resource.setState ("/maps/a.grccmap", false);
    EXPECT_TRUE (resource.isChecked());
    EXPECT_EQ (juce::String ("/maps/a.grccmap"), resource.getPath());
    EXPECT_EQ (0, changes.count);

    resource.setState ({}, true);
    EXPECT_FALSE (resource.isChecked());
    EXPECT_EQ (1, changes.count);

    resource.setState ("/maps/b.grccmap", false);
    click (resource.getCheckBox());   // unticking clears the path
    EXPECT_FALSE (resource.isChecked());
    EXPECT_TRUE (resource.getPath().isEmpty());
    EXPECT_EQ (2, changes.count);

    EXPECT_EQ (resource.getCheckBox().getRight() + PathComponent::gap, resource.getPathComponent().getX());
    resource.removeListener (&changes);
}

//==============================================================================
namespace
{
    // Keeps the selector instead of showing a call-out box, as a user's box would keep it.
    struct KeptSelectorEditor : public ColourEditor
    {
        using ColourEditor::ColourEditor;
        std::unique_ptr<juce::ColourSelector>* keeper = nullptr;
        void launchSelector (std::unique_ptr<juce::ColourSelector> s) override { *keeper = std::move (s); }
    };
}

TEST_F (Buttons, ColourEditorTextAndFilter)
{
    ColourEditor editor ("c");
    EXPECT_EQ (100, editor.getWidth());
    EXPECT_EQ (20, editor.getHeight());
    EXPECT_TRUE (editor.getEditor().getText().isEmpty());
    EXPECT_EQ (juce::String ("AARRBBGG"), editor.getEditor().getTextToShowWhenEmpty());

    EXPECT_EQ (juce::Colour (0xFF000000), ColourEditor::textToColour ("FF"));
    EXPECT_EQ (juce::Colour (0xFF800000), ColourEditor::textToColour ("FF8"));
    EXPECT_EQ (juce::Colour (0x00000000), ColourEditor::textToColour (""));
    EXPECT_EQ (juce::String (""), ColourEditor::colourToText (juce::Colour (0x00000000)));
    EXPECT_EQ (juce::String ("0000FF00"), ColourEditor::colourToText (juce::Colour (0x0000FF00)));

    auto& text = editor.getEditor();
    text.insertTextAtCaret ("ff00ff00");
    EXPECT_EQ (juce::String ("FF00FF00"), text.getText());
    text.insertTextAtCaret ("1");
    EXPECT_EQ (juce::String ("FF00FF00"), text.getText());   // a ninth character is refused

    text.setText ({}, false);
    text.insertTextAtCaret ("g1");
    EXPECT_EQ (juce::String ("1"), text.getText());

    editor.setColour (juce::Colour (0xFF102030));
    EXPECT_EQ (juce::String ("FF102030"), text.getText());
    text.setText ("", false);
    editor.setColour (juce::Colour (0xFF102030));   // the same colour still rewrites the text
    EXPECT_EQ (juce::String ("FF102030"), text.getText());

    editor.setSize (15, 20);
    EXPECT_EQ (15, editor.getButton().getWidth());
    EXPECT_EQ (0, editor.getEditor().getWidth());
}

TEST_F (Buttons, ColourEditorReadsReturnAndDropsEscape)
{
    ColourEditor editor ("c");
    parent.addAndMakeVisible (editor);
    auto& text = editor.getEditor();

    // The editor posts its key commands: they arrive through the message loop.
    text.setText ("FF8", false);
    text.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    ASSERT_TRUE (test::pumpUntil ([&editor] { return editor.getColour() != juce::Colour(); }));
    EXPECT_EQ (juce::Colour (0xFF800000), editor.getColour());
    EXPECT_EQ (juce::String ("FF800000"), text.getText());

    text.setText ("12", false);
    text.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    ASSERT_TRUE (test::pumpUntil ([&text] { return text.getText() != "12"; }));
    EXPECT_EQ (juce::String ("FF800000"), text.getText());

    text.setText ("", false);
    text.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    ASSERT_TRUE (test::pumpUntil ([&editor] { return editor.getColour() == juce::Colour(); }));
    EXPECT_EQ (juce::Colour (0x00000000), editor.getColour());
    EXPECT_TRUE (text.getText().isEmpty());
}

TEST_F (Buttons, ColourSelectorOutlivingItsEditorDoesNotCallBack)
{
    std::unique_ptr<juce::ColourSelector> selector;
    auto editor = std::make_unique<KeptSelectorEditor> ("c");
    editor->keeper = &selector;
    editor->setColour (juce::Colour (0x00123456));   // alpha 0: the selector starts grey

    click (editor->getButton());
    ASSERT_NE (nullptr, selector);
    EXPECT_EQ (juce::String ("background"), selector->getName());
    EXPECT_EQ (juce::Colour (0xFF808080), selector->getCurrentColour());
    test::pump (20);
    EXPECT_EQ (juce::Colour (0x00123456), editor->getColour());   // opening changes nothing

    selector->setCurrentColour (juce::Colour (0xFF00FF00), juce::sendNotification);
    ASSERT_TRUE (test::pumpUntil ([&editor] { return editor->getColour() == juce::Colour (0xFF00FF00); }));
    EXPECT_EQ (juce::String ("FF00FF00"), editor->getEditor().getText());

    editor.reset();
    selector->setCurrentColour (juce::Colour (0xFF0000FF), juce::sendNotification);
    test::pump (30);
}
