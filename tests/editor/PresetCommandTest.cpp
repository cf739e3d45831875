#include "EditorTestSupport.h"
#include "core/CommandParameter.h"
#include "editor/AboutWindow.h"
#include "editor/OptionsWindow.h"
#include "editor/windows/PresetChangedAlert.h"
#include "editor/PresetSettingsComponent.h"
#include "skin/widgets/ImgButton.h"
#include "skin/widgets/PresetNameDisplay.h"

namespace
{
    /** Every command parameter's changes as the editor's listeners hear them: "id=value". */
    struct CommandRecorder : Parameter::Listener
    {
        juce::StringArray changes;

        void parameterChanged (Parameter* p) override
        {
            if (CommandParameter::indexOf (p->getId()) >= 0 && p->getId() != CommandParameter::presetNameId)
                changes.add (juce::String (p->getId()) + "=" + juce::String (p->getBoolValue() ? 1 : 0));
        }
    };

    class PresetCommands : public edtest::ShownEditorTest
    {
    protected:
        PresetCommands() : edtest::ShownEditorTest ({ "1180" }) {}

        void SetUp() override
        {
            edtest::ShownEditorTest::SetUp();

            if (rig != nullptr)
                manager().addListenerToAll (&recorder);
        }

        void TearDown() override
        {
            if (rig != nullptr)
                manager().removeListenerFromAll (&recorder);

            edtest::ShownEditorTest::TearDown();
        }
        ParameterManager& manager() const { return rig->getPlugin().getParameterManager(); }
        Parameter& parameter (const juce::String& name) const { return *manager().getParameterByName (name); }

        void clickCommand (int commandId, bool withCommandKey)
        {
            auto* button = editor().getCommandButton (commandId);
            ASSERT_NE (button, nullptr) << commandId;
            mouse->click (*button, juce::ModifierKeys::leftButtonModifier,
                          withCommandKey ? juce::ModifierKeys::commandModifier : juce::ModifierKeys());
            test::pump (10);
        }

        /** Changes a preset parameter and waits until the plug-in counts it as unsaved. */
        void makeUnsavedChange()
        {
            auto& mix = parameter ("Mix");
            mix.setValue (mix.getValue() > 50.0f ? 10.0f : 90.0f, true);
            ASSERT_TRUE (test::pumpUntil ([this] { return rig->getPlugin().hasUnsavedPresetChanges(); }));
        }

        PresetChangedAlert& waitForAlert()
        {
            EXPECT_TRUE (test::pumpUntil ([this] { return editor().getPresetChangedAlert() != nullptr
                                                       && editor().getPresetChangedAlert()->isShowing(); }));
            return *editor().getPresetChangedAlert();
        }

        CommandRecorder recorder;
    };
}

TEST_F (PresetCommands, EachButtonSendsItsCommandOrWithTheCommandKeyItsAlternativeAndFallsBackToZero)
{
    struct Row
    {
        int button;
        bool commandKey;
        int sent;
    };

    // clang-format off
    const Row rows[] {
        { CommandParameter::presetPreviousId, false, CommandParameter::presetPreviousId },
        { CommandParameter::presetNextId,     false, CommandParameter::presetNextId },
        { CommandParameter::presetBrowseId,   false, CommandParameter::presetBrowseId },
        { CommandParameter::presetBrowseId,   true,  CommandParameter::presetSaveId },
        { CommandParameter::presetPreviousId, true,  CommandParameter::presetInitId },
        { CommandParameter::presetNextId,     true,  CommandParameter::presetReloadId },
        { CommandParameter::optionsId,        true,  CommandParameter::aboutId },
        { CommandParameter::optionsId,        false, CommandParameter::optionsId },
    };
    // clang-format on
    juce::StringArray shown;

    for (const auto& row : rows)
    {
        SCOPED_TRACE (juce::String (row.button) + (row.commandKey ? " with Command" : ""));
        recorder.changes.clear();
        clickCommand (row.button, row.commandKey);

        // "PresetBrowse" opens the browser over the skin (to browse, or with Command to save).
        auto& browser = *editor().getContentBrowser();

        if (row.button == CommandParameter::presetBrowseId)
        {
            EXPECT_TRUE (browser.isShowing());
            EXPECT_EQ (browser.getMode(), row.commandKey ? ContentBrowser::saveMode : ContentBrowser::browseMode);
            browser.close (false);
        }

        // Command-"Options" opens the about window over the skin.
        if (row.sent == CommandParameter::aboutId)
        {
            EXPECT_TRUE (test::pumpUntil ([this] { return editor().getAboutWindow() != nullptr && editor().getAboutWindow()->isShowing(); }));
            editor().aboutWindowClosed();
        }

        EXPECT_TRUE (recorder.changes.contains (juce::String (row.sent) + "=1")) << recorder.changes.joinIntoString (" ");
        EXPECT_EQ (recorder.changes.size() > 0 ? recorder.changes[0] : juce::String(), juce::String (row.sent) + "=1");

        shown.add (editor().getPresetNameControl()->getText());

        // Released, the command and its alternative are 0 again.
        const auto* command = &CommandParameter::table[(size_t) CommandParameter::indexOf (row.button)];
        EXPECT_FALSE (manager().getParameterByIndex (command->id)->getBoolValue());
        EXPECT_FALSE (manager().getParameterByIndex (command->alternativeId)->getBoolValue());
    }

    // Previous and Next stepped once each through the browser's list (loading each preset);
    // Init loaded the init preset and selected it in the browser; Options opened its window.
    EXPECT_EQ (editor().steps, juce::Array<bool> ({ false, true }));
    EXPECT_EQ (shown[0], "Mirage");
    EXPECT_EQ (shown[1], "MPC60");
    ASSERT_NE (editor().getContentBrowser()->getResults().getCurrentItem(), nullptr);
    EXPECT_EQ (editor().getContentBrowser()->getResults().getCurrentItem()->name, "- Bypass -");
    EXPECT_TRUE (editor().getOptionsWindow()->isShowing());
    EXPECT_EQ (editor().getPresetNameControl()->getText(), "- Bypass -");

    // Reload goes back to the settings last loaded.
    editor().getOptionsWindow()->hide();
    const float loaded = parameter ("Mix").getValue();
    parameter ("Mix").setValue (loaded > 50.0f ? 5.0f : 95.0f, true);
    clickCommand (CommandParameter::presetNextId, true);
    EXPECT_EQ (parameter ("Mix").getValue(), loaded);
}

TEST_F (PresetCommands, SteppingWithUnsavedChangesAsksFirst)
{
    auto& warning = editor().getPresetsPage()->getCheckBox();
    ASSERT_TRUE (warning.isChecked());   // on for a new user

    // Cancel: nothing steps and the changes stay.
    makeUnsavedChange();
    clickCommand (CommandParameter::presetNextId, false);
    auto* alert = &waitForAlert();
    mouse->click (*alert->getButtonForKind (Orvik::AlertWindow::Cancel));
    EXPECT_FALSE (alert->isVisible());
    EXPECT_TRUE (editor().steps.isEmpty());
    EXPECT_TRUE (rig->getPlugin().hasUnsavedPresetChanges());

    // Yes opens the browser to save (no step now); No discards the changes and takes the step.
    clickCommand (CommandParameter::presetPreviousId, false);
    alert = &waitForAlert();
    mouse->click (*alert->getYesButton());
    EXPECT_TRUE (editor().steps.isEmpty());
    auto& browser = *editor().getContentBrowser();
    ASSERT_TRUE (test::pumpUntil ([&] { return browser.getSaveCancelButton().isShowing(); }));
    EXPECT_EQ (browser.getMode(), ContentBrowser::saveMode);
    mouse->click (browser.getSaveCancelButton());
    EXPECT_FALSE (browser.isVisible());

    clickCommand (CommandParameter::presetPreviousId, false);
    alert = &waitForAlert();
    mouse->click (*alert->getNoButton());
    EXPECT_EQ (editor().steps, juce::Array<bool> ({ false }));
    EXPECT_FALSE (rig->getPlugin().hasUnsavedPresetChanges());
    EXPECT_TRUE (warning.isChecked());

    // "Don't show this warning again": Yes is disabled, No steps and switches the warning off.
    makeUnsavedChange();
    clickCommand (CommandParameter::presetNextId, false);
    alert = &waitForAlert();
    mouse->click (alert->getDontShowAgainBox());
    EXPECT_TRUE (alert->isDontShowAgainTicked());
    EXPECT_FALSE (alert->getYesButton()->isEnabled());
    mouse->click (*alert->getNoButton());
    EXPECT_EQ (editor().steps, juce::Array<bool> ({ false, true }));
    EXPECT_FALSE (warning.isChecked());

    // With the warning off, unsaved changes no longer stop a step.
    makeUnsavedChange();
    clickCommand (CommandParameter::presetNextId, false);
    EXPECT_EQ (editor().steps, juce::Array<bool> ({ false, true, true }));
    EXPECT_FALSE (editor().getPresetChangedAlert()->isVisible());

    // The settings keep the box's real state.
    EXPECT_EQ (editor().saveSettings()->getIntAttribute ("presetChangeWarning", -1), 0);
    warning.setChecked (true, juce::dontSendNotification);
    EXPECT_EQ (editor().saveSettings()->getIntAttribute ("presetChangeWarning", -1), 1);
}
