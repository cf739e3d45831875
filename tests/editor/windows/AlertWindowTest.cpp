#include "WindowsTestSupport.h"
#include "editor/windows/InputTextWindow.h"
#include "editor/windows/PresetChangedAlert.h"
#include "editor/windows/ReplaceAlertWindow.h"

using namespace wintest;
using Orvik::AlertWindow;

namespace
{
    const juce::KeyPress escapeKey (juce::KeyPress::escapeKey);
    const juce::KeyPress returnKey (juce::KeyPress::returnKey);

    /** An editor stand-in that is also the caller, as BasePluginEditor is. */
    struct CallerDesktop : public TestDesktop, public RecordingCaller
    {};
}

TEST (AlertWindow, ButtonKindLabels)
{
    const juce::StringArray expected { "Cancel", "No", "Yes", "OK", "Overwrite", "SaveAs", "Discard", "Replace",
                                       "Skip", "No To All", "Yes To All", "Replace All", "Skip All", "Rename" };
    for (int kind = 0; kind < expected.size(); ++kind)
        EXPECT_EQ (AlertWindow::getButtonLabel (kind), expected[kind]);

    EXPECT_EQ (AlertWindow::getButtonLabel (14), juce::String());
    EXPECT_EQ (AlertWindow::getButtonLabel (-1), juce::String());

    AlertWindow alert (nullptr, "T", "M");
    EXPECT_EQ (alert.addButton (99, false, false)->getButtonText(), juce::String());
    EXPECT_EQ (alert.addButton (AlertWindow::OK, false, false, "Fine")->getButtonText(), "Fine");
}

TEST (AlertWindow, ShowMessageAnswersOkForTheButtonEscapeAndTheCloseButton)
{
    CallerDesktop desktop;

    auto alert = AlertWindow::showMessage (&desktop, "Skin error", "Something\nwent wrong");
    ASSERT_NE (alert, nullptr);
    EXPECT_EQ (alert->getCoveringWindow().getParentComponent(), &desktop);
    EXPECT_TRUE (alert->isVisible());
    EXPECT_TRUE (alert->dimsBackground());
    ASSERT_EQ (alert->getNumButtons(), 1);
    EXPECT_EQ (alert->getButton (0)->getButtonText(), "OK");

    click (*alert->getButton (0));
    EXPECT_FALSE (alert->isVisible());

    alert->show();
    EXPECT_TRUE (alert->keyPressed (escapeKey));
    EXPECT_FALSE (alert->isVisible());

    alert->show();
    click (alert->getCloseButton());
    EXPECT_EQ (desktop.answers, juce::Array<int> ({ 3, 3, 3 }));

    // Return on the focused default button: JUCE's own key handling clicks it.
    alert->show();
    EXPECT_TRUE (static_cast<juce::Component*> (alert->getReturnButton())->keyPressed (returnKey));
    EXPECT_TRUE (test::pumpUntil ([&] { return desktop.answers.size() == 4; }));
    EXPECT_EQ (desktop.answers[3], 3);
}

TEST (AlertWindow, YesNoAndAnAlertWithoutButtons)
{
    CallerDesktop desktop;
    auto yesNo = AlertWindow::showYesNo (&desktop, "Q", "Sure?");
    ASSERT_EQ (yesNo->getNumButtons(), 2);
    EXPECT_EQ (yesNo->getButton (0)->getButtonText(), "Yes");
    EXPECT_EQ (yesNo->getReturnButton(), yesNo->getButton (0));
    EXPECT_EQ (yesNo->getEscapeButton(), yesNo->getButton (1));
    click (yesNo->getCloseButton());
    click (*yesNo->getButton (0));
    EXPECT_EQ (desktop.answers, juce::Array<int> ({ 1, 2 }));

    const int none[] = { -1 };
    auto bare = AlertWindow::show (&desktop, "Q", "", none, 0, 0);
    EXPECT_EQ (bare->getNumButtons(), 0);
    EXPECT_FALSE (bare->keyPressed (escapeKey));
    click (bare->getCloseButton());
    EXPECT_EQ (desktop.answers.getLast(), 0);
}

TEST (AlertWindow, SizeFollowsTheMessageAndTheButtons)
{
    AlertWindow empty (nullptr, "T", "");
    // No lines: 20 + the row's height, below the window's minimum.
    EXPECT_EQ (empty.getHeight(), 120);

    const juce::String longLine = juce::String::repeatedString ("wide text ", 40);
    AlertWindow alert (nullptr, "T", longLine + "\nshort");
    alert.addButton (AlertWindow::OK, false, true);
    const auto font = alert.getMessageLabel().getFont();
    // The label draws inside its border: what is left holds the longest line and both lines.
    auto& label = alert.getMessageLabel();
    const auto textArea = label.getBorderSize().subtractedFrom (label.getLocalBounds());
    EXPECT_GE ((float) textArea.getWidth(), font.getStringWidthFloat (longLine));
    EXPECT_LE (textArea.getWidth(), (int) font.getStringWidthFloat (longLine) + 2);
    EXPECT_GE ((float) textArea.getHeight(), font.getHeight() * 2.0f);

    // Buttons sit at the bottom right of the content area, the message above them.
    const auto area = alert.getContentArea();
    const auto& row = alert.getButtonRow();
    EXPECT_EQ (row.getRight(), area.getRight());
    EXPECT_EQ (row.getBottom(), area.getBottom());
    EXPECT_EQ (alert.getMessageLabel().getBottom(), row.getY() - 10);
}

TEST (AlertWindow, TabMovesAmongTheButtonsOnly)
{
    const int kinds[] = { 2, 1, 0, -1 };
    RecordingCaller caller;
    TestDesktop desktop;
    auto alert = AlertWindow::show (&caller, "T", "M", kinds, 0, 2, &desktop);
    auto traverser = alert->createKeyboardFocusTraverser();
    auto* yes = alert->getButton (0);
    auto* cancel = alert->getButton (2);
    EXPECT_EQ (traverser->getNextComponent (yes), alert->getButton (1));
    EXPECT_EQ (traverser->getNextComponent (cancel), yes);
    EXPECT_EQ (traverser->getPreviousComponent (yes), cancel);
    EXPECT_EQ (traverser->getNextComponent (alert.get()), yes);
    EXPECT_EQ (traverser->getDefaultComponent (alert.get()), nullptr);
}

TEST (AlertWindow, CallerMayDeleteTheAlertFromItsAnswer)
{
    CallerDesktop desktop;
    std::unique_ptr<AlertWindow> alert = AlertWindow::showYesNo (&desktop, "Q", "Sure?");
    desktop.deleteOnAnswer = &alert;

    click (*alert->getButton (0));   // a real click through the button's listeners
    EXPECT_EQ (alert, nullptr);

    alert = AlertWindow::showYesNo (&desktop, "Q", "Sure?");
    EXPECT_TRUE (alert->keyPressed (escapeKey));
    EXPECT_EQ (alert, nullptr);

    alert = AlertWindow::showYesNo (&desktop, "Q", "Sure?");
    click (alert->getCloseButton());
    EXPECT_EQ (alert, nullptr);
    EXPECT_EQ (desktop.answers, juce::Array<int> ({ 2, 1, 1 }));
    EXPECT_EQ (desktop.getNumChildComponents(), 0);
}

TEST (AlertWindow, ANewAlertOfAKindReplacesTheOld)
{
    CallerDesktop desktop;
    std::unique_ptr<AlertWindow> alert;

    for (int i = 0; i < 3; ++i)
        alert = AlertWindow::showMessage (&desktop, "Skin error", "Attempt " + juce::String (i));

    // One alert and its covering window, nothing left of the replaced ones.
    EXPECT_EQ (desktop.getNumChildComponents(), 1);
    EXPECT_EQ (alert->getMessage(), "Attempt 2");
}

//==============================================================================
TEST (ReplaceAlertWindow, RenameAsksForANameAndAnswersOnlyAfterOk)
{
    CallerDesktop desktop;
    auto alert = Orvik::ReplaceAlertWindow::show (&desktop, "Import", "Bass", "Bass (1)");
    EXPECT_EQ (alert->getMessage(), "'Bass' already exists. Please choose an option:");

    juce::StringArray labels;
    for (int i = 0; i < alert->getNumButtons(); ++i)
        labels.add (alert->getButton (i)->getButtonText());
    EXPECT_EQ (labels, juce::StringArray ({ "Replace", "Replace All", "Rename", "Skip", "Skip All", "Cancel" }));
    EXPECT_EQ (alert->getReturnButton(), nullptr);

    click (*alert->getButtonForKind (AlertWindow::Rename));
    auto* rename = alert->getRenameWindow();
    ASSERT_NE (rename, nullptr);
    EXPECT_TRUE (alert->isVisible());
    EXPECT_EQ (rename->getText(), "Bass (1)");
    EXPECT_EQ (rename->getTitle(), "Rename");

    // Cancelling the name keeps the question open.
    click (*rename->getButtonForKind (AlertWindow::Cancel));
    EXPECT_TRUE (alert->isVisible());
    EXPECT_TRUE (desktop.answers.isEmpty());

    // A second Rename replaces the first window.
    click (*alert->getButtonForKind (AlertWindow::Rename));
    rename = alert->getRenameWindow();
    rename->getTextField().setText ("Bass Deep");
    rename->textEditorReturnKeyPressed (rename->getTextField());   // Return in the field is OK
    EXPECT_EQ (alert->getRenameWindow(), nullptr);
    EXPECT_FALSE (alert->isVisible());
    EXPECT_EQ (desktop.answers, juce::Array<int> ({ AlertWindow::Rename }));
    EXPECT_EQ (alert->getNewName(), "Bass Deep");

    alert->show();
    EXPECT_TRUE (alert->keyPressed (escapeKey));
    click (*alert->getButtonForKind (AlertWindow::SkipAll));
    EXPECT_EQ (desktop.answers, juce::Array<int> ({ 13, 0, 12 }));
}

TEST (InputTextWindow, EscapeInTheFieldCancelsAndLayout)
{
    CallerDesktop desktop;
    auto window = Orvik::InputTextWindow::run (&desktop, "Name", "Please enter a name", "abc");
    window->textEditorEscapeKeyPressed (window->getTextField());
    EXPECT_EQ (desktop.answers, juce::Array<int> ({ 0 }));

    const auto area = window->getContentArea();
    const auto& field = window->getTextField();
    EXPECT_EQ (field.getHeight(), 20);
    EXPECT_EQ (field.getY(), window->getMessageLabel().getBottom() + 4);
    EXPECT_EQ (window->getButtonRow().getBottom(), area.getBottom());
}

TEST (PresetChangedAlert, TickingTheBoxLeavesNoAndCancel)
{
    CallerDesktop desktop;
    auto alert = std::make_unique<PresetChangedAlert> (desktop);
    EXPECT_EQ (alert->getTitle(), "Preset change warning");
    EXPECT_EQ (alert->getMessage(), "Parameters have been changed.\nDo you want to save them before changing preset?");
    EXPECT_TRUE (alert->isVisible());
    EXPECT_EQ (alert->getReturnButton(), alert->getYesButton());
    EXPECT_EQ (alert->getDontShowAgainBox().getButtonText(), "Don't show this warning again");

    click (alert->getDontShowAgainBox());
    EXPECT_TRUE (alert->isDontShowAgainTicked());
    EXPECT_FALSE (alert->getYesButton()->isEnabled());
    EXPECT_TRUE (alert->isVisible());
    EXPECT_TRUE (desktop.answers.isEmpty());

    // Return on the focused No answers No.
    EXPECT_TRUE (static_cast<juce::Component*> (alert->getNoButton())->keyPressed (returnKey));
    EXPECT_TRUE (test::pumpUntil ([&] { return ! desktop.answers.isEmpty(); }));
    EXPECT_EQ (desktop.answers, juce::Array<int> ({ 1 }));

    click (alert->getDontShowAgainBox());
    EXPECT_TRUE (alert->getYesButton()->isEnabled());
}

TEST (AlertWindow, FocusWaitsUntilTheEditorIsOnTheScreen)
{
    SKIP_WITHOUT_DISPLAY();

    // Opened in an editor the host has not shown yet: nothing can take the focus now.
    CallerDesktop desktop;
    auto alert = AlertWindow::showYesNo (&desktop, "T", "Save?");
    auto prompt = Orvik::InputTextWindow::run (&desktop, "Name", "Name:", "Mine", &desktop);
    prompt->hide();
    test::pump (30);
    EXPECT_EQ (juce::Component::getCurrentlyFocusedComponent(), nullptr);

    // Shown: the return button of the alert still open takes it; the hidden prompt does not.
    desktop.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    desktop.setVisible (true);
    ASSERT_TRUE (test::pumpUntil ([&] { return alert->getReturnButton()->hasKeyboardFocus (false); }));
    EXPECT_EQ (alert->getReturnButton()->getButtonText(), "Yes");
    test::pump (30);
    EXPECT_TRUE (alert->getReturnButton()->hasKeyboardFocus (false));
}
