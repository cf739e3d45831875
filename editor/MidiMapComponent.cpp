#include "editor/MidiMapComponent.h"
#include "core/BasePlugin.h"
#include "core/PluginEditor.h"
#include "editor/windows/WindowIcons.h"

MidiMapComponent::MidiMapComponent (BasePlugin& p)
    : StatusBarPage (juce::Colour (0xFFD0D0D0), WindowIcons::createMidiIcon(), "Midi CC Map"), plugin (p)
{
    setSize (115, 60);

    for (auto* b : { &loadButton, &saveButton })
    {
        b->setWantsKeyboardFocus (false);
        b->addListener (this);
        addAndMakeVisible (b);
    }
}

MidiMapComponent::~MidiMapComponent()
{
    masterReference.clear();
    loadButton.removeListener (this);
    saveButton.removeListener (this);
}

juce::String MidiMapComponent::getFileExtension() const
{
    return MidiControlMap::getFileExtension (plugin.getShortCode());
}

void MidiMapComponent::requestFile (const juce::String& chooserTitle, bool forSaving,
                                    std::function<void (const juce::File&)> done)
{
    const auto patterns = "*" + getFileExtension();

    if (fileRequest != nullptr)
    {
        fileRequest (chooserTitle, patterns, forSaving, std::move (done));
        return;
    }

    chooser = std::make_unique<juce::FileChooser> (chooserTitle, juce::File(), patterns, true);
    const auto chooserFlags = forSaving ? juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles
            | juce::FileBrowserComponent::warnAboutOverwriting
                                        : juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles;
    juce::WeakReference<MidiMapComponent> safeThis (this);

    chooser->launchAsync (chooserFlags, [safeThis, done] (const juce::FileChooser& fc) {
        if (safeThis != nullptr)
            done (fc.getResult());
    });
}

namespace
{
    constexpr const char* loadTitle = "Load MIDI CC map";
    constexpr const char* saveTitle = "Save MIDI CC map as";
}

void MidiMapComponent::loadFrom (const juce::File& file)
{
    if (file == juce::File())
        return;

    if (! file.existsAsFile())
        showError (loadTitle, "'" + file.getFullPathName() + "' does not exist.");
    else if (! plugin.getMidiControlMap().loadFromFile (file))
        showError (loadTitle, "'" + file.getFileName() + "' could not be read as a MIDI CC map.\nThe map is unchanged.");
}

void MidiMapComponent::showError (const juce::String& title, const juce::String& message)
{
    plugin.logMessage (title + ": " + message.replace ("\n", " "));
    errorAlert.reset();

    if (auto* parent = dynamic_cast<juce::Component*> (plugin.getActiveEditor()))
        errorAlert = Orvik::AlertWindow::showMessage (nullptr, title, message, parent);
    else
        plugin.reportProblem (title + ": " + message.replace ("\n", " "));   // shown when an editor opens
}

void MidiMapComponent::saveTo (const juce::File& chosen)
{
    if (chosen == juce::File())
        return;

    const auto target = chosen.withFileExtension (getFileExtension());

    if (target == chosen || ! target.exists())
    {
        writeMap (target);
        return;
    }

    auto* parent = dynamic_cast<juce::Component*> (plugin.getActiveEditor());

    if (parent == nullptr)
        return;   // nobody to ask: leave the other file alone

    pendingFile = target;
    overwriteAlert.reset();
    const int kinds[] = { Orvik::AlertWindow::Overwrite, Orvik::AlertWindow::Cancel, -1 };
    overwriteAlert = Orvik::AlertWindow::show (this, saveTitle,
                                               "'" + target.getFileName() + "' already exists. Do you want to replace it?",
                                               kinds, Orvik::AlertWindow::Cancel, Orvik::AlertWindow::Overwrite, parent);
}

bool MidiMapComponent::writeMap (const juce::File& file)
{
    const auto result = plugin.getMidiControlMap().saveToFile (file);

    if (result.wasOk())
        return true;

    showError (saveTitle, "'" + file.getFileName() + "' could not be written.\n" + result.getErrorMessage());
    return false;
}

void MidiMapComponent::alertWindowClosed (Orvik::AlertWindow* alert, int kind)
{
    if (alert == overwriteAlert.get() && kind == Orvik::AlertWindow::Overwrite)
        writeMap (pendingFile);
}

void MidiMapComponent::buttonClicked (juce::Button* button)
{
    juce::WeakReference<MidiMapComponent> safeThis (this);

    if (button == &loadButton)
    {
        requestFile (loadTitle, false, [safeThis] (const juce::File& file) {
            if (safeThis != nullptr)
                safeThis->loadFrom (file);
        });
    }
    else if (button == &saveButton)
    {
        requestFile (saveTitle, true, [safeThis] (const juce::File& file) {
            if (safeThis != nullptr)
                safeThis->saveTo (file);
        });
    }
}

void MidiMapComponent::resized()
{
    StatusBarPage::resized();
    loadButton.setBounds (10, 30, 45, 20);
    saveButton.setBounds (60, 30, 45, 20);
}
