#include "editor/EditorDialogs.h"
#include "core/parameters/EnumParameter.h"
#include "editor/AboutWindow.h"
#include "editor/BasePluginEditor.h"
#include "editor/DefaultSettingsComponent.h"
#include "editor/MidiSettingsComponent.h"
#include "editor/OptionsWindow.h"
#include "editor/PresetSettingsComponent.h"
#include "editor/StatusBar.h"
#include "skin/Panel.h"

EditorDialogs::EditorDialogs (BasePluginEditor& e)
    : editor (e), plugin (e.getPlugin())
{
    optionsWindow = std::make_unique<OptionsWindow> (plugin);
    optionsWindow->setTitle ("Default Settings");
    optionsWindow->setSize (optionsWidth, optionsHeight);
    editor.addChildComponent (*optionsWindow);
}

EditorDialogs::~EditorDialogs() = default;

//==============================================================================
// The options window

void EditorDialogs::buildOptionsPages()
{
    auto& manager = plugin.getParameterManager();

    if (plugin.hasQualityParameters() || editor.forceQualityPage)
    {
        qualityPage = std::make_unique<DefaultSettingsComponent>();
        auto* realTime = dynamic_cast<EnumParameter*> (manager.getParameterByIndex (BasePlugin::defaultRealtimeQualityId));
        auto* offline = dynamic_cast<EnumParameter*> (manager.getParameterByIndex (BasePlugin::defaultOfflineQualityId));

        if (realTime != nullptr && offline != nullptr)
            qualityPage->setParameters (realTime, offline);

        optionsWindow->addPanel ("PROCESSING QUALITY", *qualityPage);
    }

    presetsPage = std::make_unique<PresetSettingsComponent> (plugin);
    optionsWindow->addPanel ("PRESETS", *presetsPage);

    midiPage = std::make_unique<MidiSettingsComponent> (plugin);
    optionsWindow->addPanel ("MIDI", *midiPage);
}

void EditorDialogs::addUserInterfacePage()
{
    userInterfacePage = editor.createUserInterfacePage();

    if (userInterfacePage != nullptr)
        optionsWindow->addPanel ("USER INTERFACE", *userInterfacePage);
}

void EditorDialogs::showOptions()
{
    optionsWindow->show();
    editor.getStatusBar()->clearMessage (-1);
}

//==============================================================================
// The about window

void EditorDialogs::showAboutWindow()
{
    closeAboutWindow();
    aboutWindow = editor.createAboutWindow();

    if (aboutWindow == nullptr)
        return;

    int w = 0, h = 0;
    editor.getDialogSize (w, h);
    aboutWindow->setSize (w, h);
    aboutWindow->addListener (&editor);
    editor.addChildComponent (*aboutWindow);
    aboutWindow->sendLookAndFeelChange();
    aboutWindow->show();
}

void EditorDialogs::closeAboutWindow()
{
    if (aboutWindow != nullptr)
    {
        aboutWindow->removeListener (&editor);
        aboutWindow->hide();
    }

    retire (std::move (aboutWindow));
}

//==============================================================================
// The snapshot

void EditorDialogs::saveSnapshot()
{
    if (editor.getRootPanel() == nullptr)
        return;

    juce::WeakReference<EditorDialogs> safeThis (this);

    requestFile ("Save snapshot as", "*.png", [safeThis] (const juce::File& chosen) {
        if (safeThis == nullptr || chosen == juce::File())
            return;

        // The chooser asked about the file it returned; a file whose name gains the extension
        // here may be another one, so that one is asked about again.
        const auto file = chosen.hasFileExtension ("png") ? chosen : chosen.withFileExtension ("png");

        if (file != chosen && file.exists())
            safeThis->askSnapshotOverwrite (file);
        else
            safeThis->writeSnapshot (file);
    });
}

void EditorDialogs::askSnapshotOverwrite (const juce::File& file)
{
    pendingSnapshotFile = file;
    retire (std::move (snapshotAlert));
    const int kinds[] = { Orvik::AlertWindow::Overwrite, Orvik::AlertWindow::Cancel, -1 };
    snapshotAlert = Orvik::AlertWindow::show (&editor, "Save snapshot as",
                                              "'" + file.getFileName() + "' already exists. Do you want to replace it?",
                                              kinds, Orvik::AlertWindow::Cancel, Orvik::AlertWindow::Overwrite, &editor);
}

bool EditorDialogs::snapshotAlertClosed (Orvik::AlertWindow* alert, int buttonKind)
{
    if (alert == nullptr || alert != snapshotAlert.get())
        return false;

    if (buttonKind == Orvik::AlertWindow::Overwrite)
        writeSnapshot (pendingSnapshotFile);

    pendingSnapshotFile = juce::File();
    return true;
}

void EditorDialogs::requestFile (const juce::String& title, const juce::String& patterns,
                                 std::function<void (const juce::File&)> done)
{
    if (fileRequest)
    {
        fileRequest (title, patterns, true, std::move (done));
        return;
    }

    // Asynchronous: the host's message thread never waits on the native dialog.
    snapshotChooser = std::make_unique<juce::FileChooser> (title, juce::File(), patterns, true);
    snapshotChooser->launchAsync (juce::FileBrowserComponent::saveMode
                                      | juce::FileBrowserComponent::canSelectFiles
                                      | juce::FileBrowserComponent::warnAboutOverwriting,
                                  [done = std::move (done)] (const juce::FileChooser& chooser) {
                                      done (chooser.getResult());
                                  });
}

bool EditorDialogs::writeSnapshot (const juce::File& file) const
{
    auto* rootPanel = editor.getRootPanel();

    if (rootPanel == nullptr || file == juce::File() || file.isDirectory())
        return false;

    const auto image = rootPanel->createComponentSnapshot (rootPanel->getLocalBounds(), true, 1.0f);

    juce::FileOutputStream stream (file, 32768);

    if (! stream.openedOk())
        return false;

    // An older, larger file must not keep its tail.
    stream.setPosition (0);
    stream.truncate();

    juce::PNGImageFormat png;
    const bool written = png.writeImageToStream (image, stream);
    stream.flush();
    return written && stream.getStatus().wasOk();
}

//==============================================================================
void EditorDialogs::retire (std::unique_ptr<juce::Component> component)
{
    if (component == nullptr)
        return;

    component->setVisible (false);
    retiredComponents.add (component.release());

    juce::WeakReference<EditorDialogs> safeThis (this);
    juce::MessageManager::callAsync ([safeThis] {
        if (safeThis != nullptr)
            safeThis->retiredComponents.clear();
    });
}
