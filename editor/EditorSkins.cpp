#include "editor/EditorSkins.h"
#include "editor/BasePluginEditor.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorGestures.h"
#include "editor/EditorPresetCommands.h"
#include "editor/EditorSettings.h"
#include "editor/OptionsWindow.h"
#include "editor/StatusBar.h"
#include "skin/PackageSkin.h"
#include "skin/Panel.h"
#include "skin/widgets/GFXMultiStateButton.h"
#include "skin/widgets/ImgAnim.h"
#include "skin/widgets/PresetNameDisplay.h"

namespace
{
    constexpr const char* loadingText = "Loading skin...";
    constexpr const char* skinErrorTitle = "Skin error";

    // A stem of plain decimal digits without a leading zero, as a size; 0 when it is not one.
    int readSizeStem (const juce::String& stem)
    {
        const int size = stem.getIntValue();
        return juce::String (size) == stem && size > 0 ? size : 0;
    }

    // Skin names come from settings and states too: only a plain file name may reach the disk.
    bool isSafeSkinName (const juce::String& name)
    {
        return name.isNotEmpty()
            && ! name.startsWithChar ('.')
            && ! name.containsAnyOf ("/\\:")
            && juce::File::createLegalFileName (name) == name;
    }
}

EditorSkins::EditorSkins (BasePluginEditor& e)
    : editor (e), plugin (e.getPlugin())
{
}

EditorSkins::~EditorSkins() = default;

juce::File EditorSkins::getSkinsFolder() const
{
    return plugin.getCommonFolder().getChildFile (BasePluginEditor::skinsFolderName);
}

juce::File EditorSkins::getSkinFile (const juce::String& name) const
{
    if (! isSafeSkinName (name))
        return {};

    return getSkinsFolder().getChildFile (name + PackageSkin::fileExtension);
}

void EditorSkins::findSkins()
{
    const auto folder = getSkinsFolder();
    const auto files = folder.findChildFiles (juce::File::findFiles, false, juce::String ("*") + PackageSkin::fileExtension);
    skins.clear();

    if (plugin.hasSuperpowers())
        for (const auto& file : files)
            if (file.getFileNameWithoutExtension() == "_base_")
                skins.add ({ "_base_", "_base_", 0 });

    juce::Array<int> sizes;

    for (const auto& file : files)
        if (const int size = readSizeStem (file.getFileNameWithoutExtension()); size > 0)
            sizes.addIfNotAlreadyThere (size);

    std::sort (sizes.begin(), sizes.end(), [] (int a, int b) { return a > b; });

    const int defaultWidth = editor.getDefaultWidth();

    for (const int size : sizes)
    {
        // Without a default width there is nothing to give a percentage of.
        const auto label = defaultWidth > 0
            ? juce::String ((int) std::nearbyint ((double) size / (double) defaultWidth * 100.0)) + "%"
            : juce::String (size);
        skins.add ({ juce::String (size), label, size });
    }

    setSkinName (getDefaultSkinName());
}

juce::String EditorSkins::getDefaultSkinName() const
{
    // The largest skin not wider than the default width.
    const int defaultWidth = editor.getDefaultWidth();

    for (const auto& record : skins)
        if (record.size <= defaultWidth)
            return record.name;

    return {};
}

int EditorSkins::getSkinIndex (const juce::String& name) const
{
    for (int i = 0; i < skins.size(); ++i)
        if (skins.getReference (i).name == name)
            return i;

    return -1;
}

SkinRecord EditorSkins::getSkinRecord (int index) const
{
    return juce::isPositiveAndBelow (index, skins.size()) ? skins[index] : SkinRecord();
}

void EditorSkins::setSkinName (const juce::String& name)
{
    if (getSkinIndex (name) != -1)
        chosenSkinName = name;
}

void EditorSkins::start()
{
    if (chosenSkinName.isNotEmpty())
    {
        editor.changeSkin (chosenSkinName, false);
        return;
    }

    showSkinError ("Plugin skins not found in directory:\n" + getSkinsFolder().getFullPathName()
                   + "\nPlease reinstall to repair.");
}

void EditorSkins::changeSkin (const juce::String& name, bool force)
{
    if (! force)
    {
        // A different skin still waiting to load is overtaken by this request.
        if (currentSkinName == name && pendingSkinName == name && rootPanel != nullptr)
            return;
    }

    pendingSkinName = name;
    editor.editorSettings->publishState();

    if (auto* options = editor.getOptionsWindow())
        options->hide();

    if (rootPanel != nullptr)
        rootPanel->setVisible (false);

    // The browser was placed for the old skin: it closes, keeping what was auditioned.
    editor.presetCommands->closeBrowserKeeping();

    editor.getStatusBar()->showMessage (loadingText, 0, true);
    editor.repaint();

    if (firstShowDone)
        editor.triggerAsyncUpdate();
}

void EditorSkins::changeSkinByIndex (int index)
{
    if (juce::isPositiveAndBelow (index, skins.size()))
        editor.changeSkin (skins.getReference (index).name, false);
}

void EditorSkins::ensureLoaded()
{
    firstShowDone = true;

    if (currentSkinName != pendingSkinName)
        loadPendingSkin();
}

void EditorSkins::loadPendingSkin()
{
    JUCE_ASSERT_MESSAGE_THREAD
    editor.cancelPendingUpdate();

    juce::String error;

    if (buildSkin (pendingSkinName, error))
        return;

    // Never left without a skin: the one shown comes back, or the default one when none is
    // shown yet. The failed skin is neither the state's nor the settings'.
    const auto fallback = rootPanel != nullptr ? currentSkinName : getDefaultSkinName();
    juce::String fallbackError;

    if (rootPanel == nullptr && fallback.isNotEmpty() && fallback != pendingSkinName && buildSkin (fallback, fallbackError))
    {
        showSkinError (error);
        return;
    }

    pendingSkinName = currentSkinName;
    editor.editorSettings->publishState();

    if (rootPanel != nullptr)
        rootPanel->setVisible (true);

    editor.getStatusBar()->clearMessage (-1);
    editor.repaint();
    showSkinError (error);
}

bool EditorSkins::buildSkin (const juce::String& name, juce::String& error)
{
    const auto file = getSkinFile (name);
    plugin.logMessage ("Loading skin: " + file.getFullPathName());

    // The package lives only while the widgets are built; they keep what they loaded.
    auto skin = std::make_unique<PackageSkin> (file, &plugin);
    auto gui = skin->createGui ({});
    std::unique_ptr<Panel> panel;

    if (auto* built = dynamic_cast<Panel*> (gui.get()))
    {
        gui.release();
        panel.reset (built);
    }

    if (panel == nullptr)
    {
        auto reason = skin->getErrorText();

        if (reason.isEmpty())
            reason = "The skin has no panel.";

        error = reason + "\n" + file.getFullPathName();
        plugin.logMessage ("Skin error: " + error.replace ("\n", " "));
        return false;
    }

    editor.hideFront();
    editor.guiWillChange();
    pendingSkinName = name;
    currentSkinName = name;
    chosenSkinName = name;
    editor.editorSettings->publishState();

    releaseNamedControls();

    if (rootPanel != nullptr)
    {
        editor.removeChildComponent (rootPanel.get());
        rootPanel.reset();
    }

    rootPanel = std::move (panel);
    rootPanel->setTopLeftPosition (0, 0);
    editor.addAndMakeVisible (*rootPanel, editor.getIndexOfChildComponent (editor.getStatusBar()) + 1);
    rootPanel->addControlListener (&editor);
    rootPanel->addMouseListener (&editor, true);

    if (rootPanel->getWidth() >= 1 && rootPanel->getHeight() >= 1)
        editor.setContentSize (rootPanel->getWidth(), rootPanel->getHeight());
    else
        editor.setContentSize (BasePluginEditor::noSkinWidth, BasePluginEditor::noSkinHeight);

    bindNamedControls (*skin);
    editor.skinLoaded (*skin);

    const int defaultWidth = editor.getDefaultWidth();
    guiScale = defaultWidth > 0 ? (float) rootPanel->getWidth() / (float) defaultWidth : 1.0f;

    editor.getStatusBar()->clearMessage (-1);
    editor.getOptionsWindow()->setSize (EditorDialogs::optionsWidth, (int) (rootPanel->getHeight() * 0.8));
    editor.skinChanged();
    return true;
}

void EditorSkins::bindNamedControls (Skin& skin)
{
    presetNameControl = skin.findComponent<PresetNameDisplay> ("PresetName");
    midiLearnButton = skin.findComponent<GFXMultiStateButton> ("MidiLearnButton");
    midiActivityControl = skin.findComponent<ImgAnim> ("MIDIActivity");
    editor.presetCommands->bindCommandButtons (skin);
}

void EditorSkins::releaseNamedControls()
{
    editor.presetCommands->releaseCommandButtons();
    presetNameControl = nullptr;
    midiLearnButton = nullptr;
    midiActivityControl = nullptr;
    editor.gestures->releaseAnchor();
}

void EditorSkins::showSkinError (const juce::String& message)
{
    editor.editorDialogs->retire (std::move (skinErrorAlert));
    skinErrorAlert = Orvik::AlertWindow::showMessage (&editor, skinErrorTitle, message, &editor);
}
