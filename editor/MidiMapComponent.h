#pragma once

#include "editor/windows/AlertWindow.h"
#include "editor/StatusBarPage.h"
#include "skin/PathComponent.h"
#include <functional>
#include <memory>

class BasePlugin;

/** The status bar's MIDI CC map page: loads the plug-in's MIDI CC map from a file or saves it
    to one, through the platform's file chooser (asynchronous). */
class MidiMapComponent : public StatusBarPage,
                         public juce::Button::Listener,
                         public Orvik::AlertWindow::Caller
{
public:
    explicit MidiMapComponent (BasePlugin& plugin);
    ~MidiMapComponent() override;

    /** ".grccmap" for the code "GR". */
    juce::String getFileExtension() const;

    /** Asks for a file to load from or save to and calls back with it (a non-existent file when
        the user cancels). Tests replace it; the real one is JUCE's asynchronous native chooser. */
    using FileRequest = PathComponent::FileRequest;
    void setFileRequest (FileRequest request) { fileRequest = std::move (request); }

    /** Message thread. Loads the map from file (nothing for no file: the user cancelled); a file
        that is missing or is no MIDI CC map leaves the map as it was and says so in an alert. */
    void loadFrom (const juce::File& file);
    /** Message thread. Saves the map to the chosen file with the map extension. When that extension makes it
        another file that exists, asks before replacing it (the chooser asked only about the
        chosen name). */
    void saveTo (const juce::File& chosen);
    /** Message thread. Writes the map; false, said in an alert, when it cannot. */
    bool writeMap (const juce::File& file);
    Orvik::AlertWindow* getOverwriteAlert() const noexcept { return overwriteAlert.get(); }
    /** The alert that reported the last failed load or save, or null. */
    Orvik::AlertWindow* getErrorAlert() const noexcept { return errorAlert.get(); }

    juce::TextButton& getLoadButton() noexcept { return loadButton; }
    juce::TextButton& getSaveButton() noexcept { return saveButton; }

    void buttonClicked (juce::Button* button) override;
    void alertWindowClosed (Orvik::AlertWindow* alert, int kind) override;
    void resized() override;

private:
    void requestFile (const juce::String& title, bool forSaving, std::function<void (const juce::File&)> done);
    /** Tells the user in the open editor; only the log hears of it without one. */
    void showError (const juce::String& title, const juce::String& message);

    BasePlugin& plugin;
    juce::TextButton loadButton { "Load" }, saveButton { "Save" };
    FileRequest fileRequest;
    std::unique_ptr<juce::FileChooser> chooser;
    std::unique_ptr<Orvik::AlertWindow> overwriteAlert, errorAlert;
    juce::File pendingFile;
    juce::WeakReference<MidiMapComponent>::Master masterReference;
    friend class juce::WeakReference<MidiMapComponent>;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiMapComponent)
};
