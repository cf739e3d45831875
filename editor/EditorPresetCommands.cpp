#include "editor/EditorPresetCommands.h"
#include "core/content/PresetSources.h"
#include "editor/BasePluginEditor.h"
#include "editor/EditorDialogs.h"
#include "editor/PresetSettingsComponent.h"
#include "editor/windows/PresetChangedAlert.h"
#include "skin/Skin.h"
#include "skin/widgets/ImgButton.h"

EditorPresetCommands::EditorPresetCommands (BasePluginEditor& e)
    : editor (e), plugin (e.getPlugin())
{
}

EditorPresetCommands::~EditorPresetCommands() = default;

//==============================================================================
// Commands

void EditorPresetCommands::parameterChanged (Parameter* p)
{
    if (p == nullptr)
        return;

    const int id = p->getId();

    if (! p->isAutomatable())
    {
        for (const auto& range : plugin.getParameterIdRanges (0))
        {
            if (range.first > id)
                break;

            if (id < range.end)
            {
                plugin.updateHostDisplay();
                break;
            }
        }
    }

    if (id == CommandParameter::optionsId && p->getBoolValue())
    {
        p->setToStoredValue (0, true);
        editor.editorDialogs->showOptions();
    }
    else if (id == CommandParameter::aboutId && p->getBoolValue())
    {
        p->setToStoredValue (0, true);
        editor.showAboutWindow();
    }
    else if (id == BasePlugin::realtimeQualityId || id == BasePlugin::offlineQualityId)
    {
        plugin.updateHostDisplay();
    }

    if (! plugin.hasPresets() || ! p->getBoolValue())
        return;

    switch (id)
    {
        case CommandParameter::presetPreviousId: editor.selectPreviousPreset(); break;
        case CommandParameter::presetNextId: editor.selectNextPreset(); break;
        case CommandParameter::presetBrowseId: togglePresetBrowser(); break;
        case CommandParameter::presetInitId:
            if (auto* factory = plugin.getFactoryPresetSource(); factory != nullptr && plugin.getInitPresetName().isNotEmpty())
            {
                plugin.loadInitPreset();

                if (contentBrowser != nullptr)
                    contentBrowser->getResults().selectItem (factory->findItem (plugin.getInitPresetName()), true, false);
            }
            break;
        case CommandParameter::presetReloadId: plugin.reloadPreset(); break;
        case CommandParameter::presetSaveId: savePresetAs(); break;
        default: break;
    }
}

void EditorPresetCommands::setCommandParameter (int id, int which)
{
    auto& manager = plugin.getParameterManager();
    const juce::ScopedLock sl (manager.getLock());

    if (auto* p = manager.getParameterByIndex (id))
        p->setToStoredValue (which, true);
}

void EditorPresetCommands::bindCommandButtons (Skin& skin)
{
    for (size_t i = 0; i < commandButtons.size(); ++i)
    {
        if (auto* name = CommandParameter::table[i].button)
            commandButtons[i] = skin.findComponent<ImgButton> (name);

        if (commandButtons[i] != nullptr)
            commandButtons[i]->juce::Button::addListener (&editor);
    }
}

void EditorPresetCommands::releaseCommandButtons()
{
    for (auto*& button : commandButtons)
    {
        if (button != nullptr)
            button->juce::Button::removeListener (&editor);

        button = nullptr;
    }
}

ImgButton* EditorPresetCommands::getCommandButton (int commandId) const
{
    const int index = CommandParameter::indexOf (commandId);
    return index >= 0 ? commandButtons[(size_t) index] : nullptr;
}

const CommandParameter* EditorPresetCommands::findCommand (juce::Button* button) const
{
    for (size_t i = 0; i < commandButtons.size(); ++i)
        if (button != nullptr && commandButtons[i] == button)
            return &CommandParameter::table[i];

    return nullptr;
}

void EditorPresetCommands::buttonClicked (juce::Button* button)
{
    const auto* command = findCommand (button);

    if (command == nullptr)
        return;

    const int id = juce::ModifierKeys::getCurrentModifiers().isCommandDown() ? command->alternativeId : command->id;
    setCommandParameter (id, 1);

    // The command is delivered now, so a quick release cannot swallow it. JUCE reports the
    // release before the click: then the command drops back to 0 here, so each click acts
    // once and none is lost to the next one.
    if (auto* p = plugin.getParameterManager().getParameterByIndex (id))
        p->flushPendingUpdate();

    if (! button->isDown())
        setCommandParameter (id, 0);
}

void EditorPresetCommands::buttonStateChanged (juce::Button* button)
{
    const auto* command = findCommand (button);

    if (command == nullptr || button->isDown())
        return;

    plugin.getParameterManager().setParameterToStoredValue (command->id, 0);

    if (auto* alternative = plugin.getParameterManager().getParameterByIndex (command->alternativeId))
        alternative->setToStoredValue (0, true);
}

//==============================================================================
// The content browser

void EditorPresetCommands::createContentBrowser()
{
    contentBrowser = std::make_unique<ContentBrowser> (plugin, "Presets", plugin.getExportExtension());
    contentBrowser->setPluginCategories (plugin.getCategory());

    auto* factory = plugin.getFactoryPresets();

    if (factory != nullptr)
        contentBrowser->addSource (factory);

    contentBrowser->setCurrentSource (plugin.getUserPresets());
    contentBrowser->setSize ((int) (0.9 * editor.getWidth()), (int) (0.9 * editor.contentHeight));
    editor.addChildComponent (*contentBrowser);
    contentBrowser->addListener (&editor);

    if (factory != nullptr)
        contentBrowser->getResults().selectItem (factory->findItem (plugin.getStartPresetName()), true, false);
}

void EditorPresetCommands::browserOpened (ContentBrowser* browser)
{
    if (browser != contentBrowser.get())
        return;

    browserPreset.clear();
    plugin.storePresetValues (browserPreset, 0);
}

void EditorPresetCommands::browserClosed (ContentBrowser* browser, int mode, bool keep)
{
    if (browser != contentBrowser.get())
        return;

    if (mode == ContentBrowser::browseMode && ! keep)
    {
        plugin.loadPreset (browserPreset, 0, true);
        browserPreset.clear();
    }
    else if (mode == ContentBrowser::saveMode && browserWasVisible)
    {
        togglePresetBrowser();
    }
}

void EditorPresetCommands::savePresetAs()
{
    if (! plugin.hasPresets() || contentBrowser == nullptr || contentBrowser->getMode() == ContentBrowser::saveMode)
        return;

    browserWasVisible = contentBrowser->isVisible();
    contentBrowser->openSaveAs();
}

void EditorPresetCommands::togglePresetBrowser()
{
    if (contentBrowser == nullptr)
        return;

    // Closing by the same button keeps what was auditioned, as OK does.
    if (contentBrowser->isVisible() && contentBrowser->getMode() != ContentBrowser::saveMode)
        contentBrowser->close (true);
    else
        contentBrowser->open (contentBrowser->isWindowed());
}

void EditorPresetCommands::closeBrowserKeeping()
{
    if (! plugin.hasPresets() || contentBrowser == nullptr || ! contentBrowser->isVisible())
        return;

    browserWasVisible = false;
    contentBrowser->close (true);
}

//==============================================================================
// Preset stepping

void EditorPresetCommands::stepPreset (bool next)
{
    if (! plugin.hasPresets())
        return;

    auto* presetsPage = editor.getPresetsPage();

    if (plugin.hasUnsavedPresetChanges() && (presetsPage == nullptr || presetsPage->isWarningOn()))
        editor.confirmPresetChange (next);
    else
        editor.stepPresetSelection (next);
}

void EditorPresetCommands::confirmPresetChange (bool next)
{
    pendingStepIsNext = next;
    editor.editorDialogs->retire (std::move (presetChangedAlert));
    presetChangedAlert = std::make_unique<PresetChangedAlert> (editor);
    presetChangedAlert->sendLookAndFeelChange();
}

void EditorPresetCommands::stepSelection (bool next)
{
    if (contentBrowser == nullptr)
        return;

    // Selected alone with notification: the browser loads it.
    auto& results = contentBrowser->getResults();

    if (next)
        results.selectNext (ContentResults::single);
    else
        results.selectPrevious (ContentResults::single);
}

bool EditorPresetCommands::presetAlertClosed (Orvik::AlertWindow* alert, int buttonKind)
{
    if (alert == nullptr || alert != presetChangedAlert.get())
        return false;

    if (buttonKind == Orvik::AlertWindow::Yes)
    {
        savePresetAs();
    }
    else if (buttonKind == Orvik::AlertWindow::No)
    {
        if (auto* presetsPage = editor.getPresetsPage())
            presetsPage->getCheckBox().setChecked (! presetChangedAlert->isDontShowAgainTicked(), juce::dontSendNotification);

        // The changes count as discarded: the waiting step runs without asking again.
        plugin.setPresetChangeDetection (true);
        stepPreset (pendingStepIsNext);
    }

    return true;
}
