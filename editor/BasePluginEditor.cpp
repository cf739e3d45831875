#include "editor/BasePluginEditor.h"
#include "core/BundleResources.h"
#include "core/content/PresetSources.h"
#include "core/parameters/BoundedXmlReader.h"
#include "core/parameters/EnumParameter.h"
#include "core/parameters/StringParameter.h"
#include "editor/DefaultSettingsComponent.h"
#include "editor/GUISettingsComponent.h"
#include "editor/MidiSettingsComponent.h"
#include "editor/OptionsWindow.h"
#include "editor/windows/PresetChangedAlert.h"
#include "editor/PresetSettingsComponent.h"
#include "editor/StatusBar.h"
#include "skin/PackageSkin.h"
#include "skin/Panel.h"
#include "skin/widgets/GFXMultiStateButton.h"
#include "skin/widgets/ImgAnim.h"
#include "skin/widgets/ImgButton.h"
#include "skin/widgets/ImgSwitch.h"
#include "skin/widgets/PresetNameDisplay.h"
#include "skin/widgets/TextDisplay.h"

namespace
{
    constexpr const char* skinTag = "Skin";
    constexpr const char* nameAttribute = "name";
    constexpr const char* warningAttribute = "presetChangeWarning";
    constexpr const char* loadingText = "Loading skin...";
    constexpr const char* skinErrorTitle = "Skin error";
    constexpr int optionsWidth = 560, optionsHeight = 250;
    constexpr int tooltipDelayMs = 850;

    // The settings' booleans: "1", "t..." or "y..." in either case are true.
    bool readBool (const juce::XmlElement& element, const char* attribute, bool defaultValue)
    {
        if (! element.hasAttribute (attribute))
            return defaultValue;

        const auto text = element.getStringAttribute (attribute).trimStart().toLowerCase();
        return text.startsWithChar ('1') || text.startsWithChar ('t') || text.startsWithChar ('y');
    }

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

//==============================================================================
BasePluginEditor::BasePluginEditor (BasePlugin& p)
    : FrontWindow (static_cast<juce::Component&> (*this)), plugin (p)
{
    makerLogo = BundleResources::loadImage ("OrvikLogo.png");
    pluginLogo = BundleResources::loadImage ("PluginLogo.png");

    tooltipWindow = std::make_unique<juce::TooltipWindow> (this, tooltipDelayMs);
    tooltipWindow->setOpaque (false);

    statusBar = std::make_unique<StatusBar> (plugin);
    addAndMakeVisible (*statusBar);
    // Takes the status font and its height from the editor's look-and-feel now, not only
    // when the plug-in refreshes the editor's look-and-feel.
    statusBar->sendLookAndFeelChange();

    optionsWindow = std::make_unique<OptionsWindow> (plugin);
    optionsWindow->setTitle ("Default Settings");
    optionsWindow->setSize (optionsWidth, optionsHeight);
    addChildComponent (*optionsWindow);

    plugin.getParameterManager().addListenerToAll (this);
    setContentSize (noSkinWidth, noSkinHeight);

    if (plugin.getBranch() != "master")
        updateBuildLabel();
}

BasePluginEditor::~BasePluginEditor()
{
    // A pop-up closing tells this editor, which then looks at its members: close it while
    // they are all here. The members go by their order of declaration.
    hideFront();
    plugin.getParameterManager().removeListenerFromAll (this);

    if (plugin.getMidiControlMap().isLearning())
        plugin.getMidiControlMap().endLearning (false);
}

//==============================================================================
void BasePluginEditor::updateBuildLabel()
{
    const auto branch = plugin.getBranch();
    const auto version = plugin.getVersion();
    const auto middle = branch.contains ("release") && version.isNotEmpty() ? version : branch;

    buildInfoLabel.setText (plugin.getFormatName() + " | " + plugin.getPlatformName() + " | " + middle
                                + " | " + plugin.getBuildDate() + " | " + plugin.getCommit(),
                            juce::dontSendNotification);
    buildInfoLabel.setJustificationType (juce::Justification::centredRight);
    buildInfoLabel.setColour (juce::Label::backgroundColourId, juce::Colour (0xFF444444));
    buildInfoLabel.setColour (juce::Label::textColourId, juce::Colour (0xFFFFB000));
    buildInfoLabel.setBorderSize ({ 0, 4, 0, 4 });
    addAndMakeVisible (buildInfoLabel, -1000);
    buildInfoLabel.addMouseListener (this, false);
    layoutStatusBar();
}

void BasePluginEditor::initialise()
{
    JUCE_ASSERT_MESSAGE_THREAD
    findSkins();
    buildOptionsPages();
    readUserSettings();

    if (plugin.hasPresets())
        createContentBrowser();

    const bool canPickSkin = skins.size() >= 2;

    if (canPickSkin)
    {
        userInterfacePage = createUserInterfacePage();

        if (userInterfacePage != nullptr)
            optionsWindow->addPanel ("USER INTERFACE", *userInterfacePage);
    }

    statusBar->setSkinPickerVisible (canPickSkin);
    statusBar->getSkinPage().fillSkinButtons();
    startSkin();

    if (contentBrowser != nullptr && plugin.hasSuperpowers())
        contentBrowser->setTagEditorRestricted (false);

    publishState();
    afterInitialise();
}

void BasePluginEditor::buildOptionsPages()
{
    auto& manager = plugin.getParameterManager();

    if (plugin.hasQualityParameters() || forceQualityPage)
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

void BasePluginEditor::readUserSettings()
{
    const auto file = plugin.getUserSettingsFile();

    if (! file.exists())
        return;

    juce::String error;

    if (const auto root = BoundedXmlReader::parseFile (file, BoundedXmlReader::standardLimits, error);
        root != nullptr && plugin.isAcceptedSettingsRoot (*root))
        if (auto* element = root->getChildByName (getSettingsTag()))
            loadSettings (*element);
}

std::unique_ptr<juce::Component> BasePluginEditor::createUserInterfacePage()
{
    return std::make_unique<GUISettingsComponent> (plugin);
}

//==============================================================================
void BasePluginEditor::setContentSize (int width, int height)
{
    JUCE_ASSERT_MESSAGE_THREAD
    contentHeight = height;
    setSize (width, height + (isStatusBarShown() ? getStatusBarHeight() : 0));
    layoutStatusBar();

    // A windowed browser keeps inside the skin area, whatever the skin's size; a docked one
    // is placed by its product editor.
    if (contentBrowser != nullptr && contentBrowser->isWindowed())
        contentBrowser->setSize ((int) (0.9 * width), (int) (0.9 * height));

    if (auto* parent = getParentComponent())
        parent->setSize (getWidth(), getHeight());

    // A grown X11 window shows black in its new area until JUCE paints it: paint all of it.
    if (auto* top = getTopLevelComponent())
        top->repaint();
}

int BasePluginEditor::getContentHeight() const
{
    if (isStatusBarShown() && statusBar != nullptr)
        return getHeight() - getStatusBarHeight();

    return getHeight();
}

juce::Rectangle<int> BasePluginEditor::getDesktopArea()
{
    auto area = getLocalBounds();

    if (isStatusBarShown())
        area.setHeight (juce::jmax (0, contentHeight));

    return area;
}

void BasePluginEditor::getDialogSize (int& width, int& height)
{
    const int barHeight = isStatusBarShown() ? getStatusBarHeight() : 0;
    width = (int) (0.8 * getWidth());
    height = (int) (0.8 * (getHeight() - barHeight));
}

int BasePluginEditor::getStatusBarHeight() const
{
    if (statusBar == nullptr)
        return 0;

    // A bar that has not sized itself yet takes the look-and-feel's height.
    return statusBar->getHeight() > 0 ? statusBar->getHeight()
                                      : const_cast<ScopedLookAndFeel<DefaultLookAndFeel>&> (lookAndFeel).getStatusBarHeight();
}

void BasePluginEditor::layoutStatusBar()
{
    if (statusBar == nullptr)
        return;

    int labelWidth = 0;

    if (buildInfoLabel.isVisible() && buildInfoLabel.getParentComponent() == this)
    {
        const auto border = buildInfoLabel.getBorderSize();
        labelWidth = juce::jmin (getWidth(), buildInfoLabel.getFont().getStringWidth (buildInfoLabel.getText()) + border.getLeftAndRight());
    }

    const int barHeight = getStatusBarHeight();
    statusBar->setBounds (0, contentHeight, getWidth() - labelWidth, barHeight);
    statusBar->setVisible (isStatusBarShown());

    if (labelWidth > 0)
        buildInfoLabel.setBounds (statusBar->getRight(), contentHeight, getWidth() - statusBar->getWidth(), barHeight);
}

void BasePluginEditor::resized()
{
    layoutStatusBar();
}

void BasePluginEditor::childBoundsChanged (juce::Component* child)
{
    if (child != nullptr && child == statusBar.get())
        setContentSize (getWidth(), contentHeight);
}

//==============================================================================
void BasePluginEditor::timerCallback()
{
    JUCE_ASSERT_MESSAGE_THREAD
    updateDisplay (isVisible());
    showReportedProblems();
}

void BasePluginEditor::showReportedProblems()
{
    // Kept until someone can read them: a timed message on a closed window is lost.
    if (! isShowing() || statusBar == nullptr)
        return;

    problemsToShow.addArray (plugin.takeProblems());
    problemsToShow.removeRange (0, problemsToShow.size() - BasePlugin::maxPendingProblems);

    const auto now = juce::Time::getMillisecondCounter();

    if (problemsToShow.isEmpty() || now < problemShownUntil)
        return;

    statusBar->showTimedMessage (problemsToShow[0], problemMessageLevel, true);
    problemsToShow.remove (0);
    problemShownUntil = now + (juce::uint32) StatusBar::timedMessageMs;
}

void BasePluginEditor::visibilityChanged()
{
    updateDisplay (isVisible());
}

void BasePluginEditor::updateDisplay (bool visible)
{
    if (! visible || midiActivityControl == nullptr)
        return;

    // Taken even while the light is lit, so a burst of MIDI makes one blink, not a queue.
    if (plugin.midiActivity.exchange (0) == 1 && ! midiActivityControl->isActionRunning())
        midiActivityControl->runAction (AnimatedComponent::lastFrameAction, AnimatedComponent::blinkMilliseconds);
}

//==============================================================================
// Skins

juce::File BasePluginEditor::getSkinsFolder() const
{
    return plugin.getCommonFolder().getChildFile (skinsFolderName);
}

juce::File BasePluginEditor::getSkinFile (const juce::String& name) const
{
    if (! isSafeSkinName (name))
        return {};

    return getSkinsFolder().getChildFile (name + PackageSkin::fileExtension);
}

int BasePluginEditor::getDefaultWidth() const
{
    return getDefaultWidthText().getIntValue();
}

void BasePluginEditor::findSkins()
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

    const int defaultWidth = getDefaultWidth();

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

juce::String BasePluginEditor::getDefaultSkinName() const
{
    // The largest skin not wider than the default width.
    const int defaultWidth = getDefaultWidth();

    for (const auto& record : skins)
        if (record.size <= defaultWidth)
            return record.name;

    return {};
}

int BasePluginEditor::getSkinIndex (const juce::String& name) const
{
    for (int i = 0; i < skins.size(); ++i)
        if (skins.getReference (i).name == name)
            return i;

    return -1;
}

SkinRecord BasePluginEditor::getSkinRecord (int index) const
{
    return juce::isPositiveAndBelow (index, skins.size()) ? skins[index] : SkinRecord();
}

void BasePluginEditor::setSkinName (const juce::String& name)
{
    if (getSkinIndex (name) != -1)
        chosenSkinName = name;
}

void BasePluginEditor::startSkin()
{
    if (chosenSkinName.isNotEmpty())
    {
        changeSkin (chosenSkinName, false);
        return;
    }

    showSkinError ("Plugin skins not found in directory:\n" + getSkinsFolder().getFullPathName()
                   + "\nPlease reinstall to repair.");
}

void BasePluginEditor::changeSkin (const juce::String& name, bool force)
{
    JUCE_ASSERT_MESSAGE_THREAD

    if (! force)
    {
        // A different skin still waiting to load is overtaken by this request.
        if (currentSkinName == name && pendingSkinName == name && rootPanel != nullptr)
            return;
    }

    pendingSkinName = name;
    publishState();

    if (optionsWindow != nullptr)
        optionsWindow->hide();

    if (rootPanel != nullptr)
        rootPanel->setVisible (false);

    statusBar->showMessage (loadingText, 0, true);
    repaint();

    if (firstShowDone)
        triggerAsyncUpdate();
}

void BasePluginEditor::changeSkinByIndex (int index)
{
    if (juce::isPositiveAndBelow (index, skins.size()))
        changeSkin (skins.getReference (index).name, false);
}

juce::String BasePluginEditor::getCurrentSkinName() const
{
    JUCE_ASSERT_MESSAGE_THREAD
    return currentSkinName;
}

void BasePluginEditor::ensureSkinLoaded()
{
    if (firstShowDone)
        return;

    JUCE_ASSERT_MESSAGE_THREAD
    firstShowDone = true;

    if (currentSkinName != pendingSkinName)
        loadPendingSkin();
}

void BasePluginEditor::handleAsyncUpdate()
{
    loadSkin();
}

void BasePluginEditor::loadSkin()
{
    loadPendingSkin();
}

void BasePluginEditor::loadPendingSkin()
{
    JUCE_ASSERT_MESSAGE_THREAD
    cancelPendingUpdate();

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
    publishState();

    if (rootPanel != nullptr)
        rootPanel->setVisible (true);

    statusBar->clearMessage (-1);
    repaint();
    showSkinError (error);
}

bool BasePluginEditor::buildSkin (const juce::String& name, juce::String& error)
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

    hideFront();
    guiWillChange();
    pendingSkinName = name;
    currentSkinName = name;
    chosenSkinName = name;
    publishState();

    releaseNamedControls();

    if (rootPanel != nullptr)
    {
        removeChildComponent (rootPanel.get());
        rootPanel.reset();
    }

    rootPanel = std::move (panel);
    rootPanel->setTopLeftPosition (0, 0);
    addAndMakeVisible (*rootPanel, getIndexOfChildComponent (statusBar.get()) + 1);
    rootPanel->addControlListener (this);
    rootPanel->addMouseListener (this, true);

    if (rootPanel->getWidth() >= 1 && rootPanel->getHeight() >= 1)
        setContentSize (rootPanel->getWidth(), rootPanel->getHeight());
    else
        setContentSize (noSkinWidth, noSkinHeight);

    bindNamedControls (*skin);
    skinLoaded (*skin);

    const int defaultWidth = getDefaultWidth();
    guiScale = defaultWidth > 0 ? (float) rootPanel->getWidth() / (float) defaultWidth : 1.0f;

    statusBar->clearMessage (-1);
    optionsWindow->setSize (optionsWidth, (int) (rootPanel->getHeight() * 0.8));
    skinChanged();
    return true;
}

void BasePluginEditor::bindNamedControls (Skin& skin)
{
    presetNameControl = skin.findComponent<PresetNameDisplay> ("PresetName");
    midiLearnButton = skin.findComponent<GFXMultiStateButton> ("MidiLearnButton");
    midiActivityControl = skin.findComponent<ImgAnim> ("MIDIActivity");

    for (size_t i = 0; i < commandButtons.size(); ++i)
    {
        if (auto* name = CommandParameter::table[i].button)
            commandButtons[i] = skin.findComponent<ImgButton> (name);

        if (commandButtons[i] != nullptr)
            commandButtons[i]->juce::Button::addListener (this);
    }
}

void BasePluginEditor::releaseNamedControls()
{
    for (auto*& button : commandButtons)
    {
        if (button != nullptr)
            button->juce::Button::removeListener (this);

        button = nullptr;
    }

    presetNameControl = nullptr;
    midiLearnButton = nullptr;
    midiActivityControl = nullptr;
    parameterInfoAnchor = nullptr;
}

void BasePluginEditor::showSkinError (const juce::String& message)
{
    retire (std::move (skinErrorAlert));
    skinErrorAlert = Orvik::AlertWindow::showMessage (this, skinErrorTitle, message, this);
}

//==============================================================================
// Settings and state

bool BasePluginEditor::hasSettings (const juce::XmlElement& element) const
{
    return element.hasTagName (getSettingsTag());
}

std::unique_ptr<juce::XmlElement> BasePluginEditor::saveSettings() const
{
    auto element = std::make_unique<juce::XmlElement> (getSettingsTag());
    const bool warning = presetsPage == nullptr || presetsPage->getCheckBox().isChecked();
    element->setAttribute (warningAttribute, warning ? 1 : 0);
    element->createNewChildElement (skinTag)->setAttribute (nameAttribute, chosenSkinName);
    return element;
}

void BasePluginEditor::loadSettings (const juce::XmlElement& element)
{
    if (! hasSettings (element))
        return;

    if (presetsPage != nullptr)
        presetsPage->getCheckBox().setChecked (readBool (element, warningAttribute, true), juce::dontSendNotification);

    if (auto* skin = element.getChildByName (skinTag))
        setSkinName (skin->getStringAttribute (nameAttribute));
}

bool BasePluginEditor::hasState (const juce::XmlElement& element) const
{
    return element.hasTagName (getStateTag());
}

std::unique_ptr<juce::XmlElement> BasePluginEditor::getStateXml() const
{
    JUCE_ASSERT_MESSAGE_THREAD
    auto element = std::make_unique<juce::XmlElement> (getStateTag());
    element->createNewChildElement (skinTag)->setAttribute (nameAttribute, pendingSkinName);
    return element;
}

void BasePluginEditor::setStateFromXml (const juce::XmlElement& element)
{
    JUCE_ASSERT_MESSAGE_THREAD

    if (! hasState (element))
        return;

    if (auto* skin = element.getChildByName (skinTag))
    {
        const auto name = skin->getStringAttribute (nameAttribute);

        if (getSkinIndex (name) != -1)
            changeSkin (name, false);
    }

    // A skin that is not installed leaves the state naming the one shown.
    publishState();
}

void BasePluginEditor::publishState()
{
    plugin.storeEditorState (getStateXml());
}

//==============================================================================
// Snapshot

void BasePluginEditor::saveSnapshot()
{
    if (rootPanel == nullptr)
        return;

    juce::Component::SafePointer<BasePluginEditor> safeThis (this);

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

void BasePluginEditor::askSnapshotOverwrite (const juce::File& file)
{
    pendingSnapshotFile = file;
    retire (std::move (snapshotAlert));
    const int kinds[] = { Orvik::AlertWindow::Overwrite, Orvik::AlertWindow::Cancel, -1 };
    snapshotAlert = Orvik::AlertWindow::show (this, "Save snapshot as",
                                              "'" + file.getFileName() + "' already exists. Do you want to replace it?",
                                              kinds, Orvik::AlertWindow::Cancel, Orvik::AlertWindow::Overwrite, this);
}

void BasePluginEditor::requestFile (const juce::String& title, const juce::String& patterns,
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

bool BasePluginEditor::writeSnapshot (const juce::File& file) const
{
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
// Commands

void BasePluginEditor::setCommandParameter (int id, int which)
{
    auto& manager = plugin.getParameterManager();
    const juce::ScopedLock sl (manager.getLock());

    if (auto* p = manager.getParameterByIndex (id))
        p->setToStoredValue (which, true);
}

ImgButton* BasePluginEditor::getCommandButton (int commandId) const
{
    const int index = CommandParameter::indexOf (commandId);
    return index >= 0 ? commandButtons[(size_t) index] : nullptr;
}

const CommandParameter* BasePluginEditor::findCommand (juce::Button* button) const
{
    for (size_t i = 0; i < commandButtons.size(); ++i)
        if (button != nullptr && commandButtons[i] == button)
            return &CommandParameter::table[i];

    return nullptr;
}

void BasePluginEditor::buttonClicked (juce::Button* button)
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

void BasePluginEditor::buttonStateChanged (juce::Button* button)
{
    const auto* command = findCommand (button);

    if (command == nullptr || button->isDown())
        return;

    plugin.getParameterManager().setParameterToStoredValue (command->id, 0);

    if (auto* alternative = plugin.getParameterManager().getParameterByIndex (command->alternativeId))
        alternative->setToStoredValue (0, true);
}

void BasePluginEditor::parameterChanged (Parameter* p)
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
        optionsWindow->show();
        statusBar->clearMessage (-1);
    }
    else if (id == CommandParameter::aboutId && p->getBoolValue())
    {
        p->setToStoredValue (0, true);
        showAboutWindow();
    }
    else if (id == BasePlugin::realtimeQualityId || id == BasePlugin::offlineQualityId)
    {
        plugin.updateHostDisplay();
    }

    if (! plugin.hasPresets() || ! p->getBoolValue())
        return;

    switch (id)
    {
        case CommandParameter::presetPreviousId: selectPreviousPreset(); break;
        case CommandParameter::presetNextId: selectNextPreset(); break;
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

void BasePluginEditor::alertWindowClosed (Orvik::AlertWindow* alert, int buttonKind)
{
    if (alert != nullptr && alert == presetChangedAlert.get())
    {
        if (buttonKind == Orvik::AlertWindow::Yes)
        {
            savePresetAs();
        }
        else if (buttonKind == Orvik::AlertWindow::No)
        {
            if (presetsPage != nullptr)
                presetsPage->getCheckBox().setChecked (! presetChangedAlert->isDontShowAgainTicked(), juce::dontSendNotification);

            // The changes count as discarded: the waiting step runs without asking again.
            plugin.setPresetChangeDetection (true);
            stepPreset (pendingStepIsNext);
        }

        return;
    }

    if (alert != nullptr && alert == snapshotAlert.get())
    {
        if (buttonKind == Orvik::AlertWindow::Overwrite)
            writeSnapshot (pendingSnapshotFile);

        pendingSnapshotFile = juce::File();
    }
}

void BasePluginEditor::createContentBrowser()
{
    contentBrowser = std::make_unique<ContentBrowser> (plugin, "Presets", plugin.getExportExtension());
    contentBrowser->setPluginCategories (plugin.getCategory());

    auto* factory = plugin.getFactoryPresets();

    if (factory != nullptr)
        contentBrowser->addSource (factory);

    contentBrowser->setCurrentSource (plugin.getUserPresets());
    contentBrowser->setSize ((int) (0.9 * getWidth()), (int) (0.9 * contentHeight));
    addChildComponent (*contentBrowser);
    contentBrowser->addListener (this);

    if (factory != nullptr)
        contentBrowser->getResults().selectItem (factory->findItem (plugin.getStartPresetName()), true, false);
}

void BasePluginEditor::contentBrowserOpened (ContentBrowser* browser)
{
    if (browser != contentBrowser.get())
        return;

    browserPreset.clear();
    plugin.storePresetValues (browserPreset, 0);
}

void BasePluginEditor::contentBrowserClosed (ContentBrowser* browser, int mode, bool keep)
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

void BasePluginEditor::selectPreviousPreset()
{
    stepPreset (false);
}

void BasePluginEditor::selectNextPreset()
{
    stepPreset (true);
}

void BasePluginEditor::stepPreset (bool next)
{
    if (! plugin.hasPresets())
        return;

    if (plugin.hasUnsavedPresetChanges() && (presetsPage == nullptr || presetsPage->isWarningOn()))
        confirmPresetChange (next);
    else
        stepPresetSelection (next);
}

void BasePluginEditor::confirmPresetChange (bool next)
{
    pendingStepIsNext = next;
    retire (std::move (presetChangedAlert));
    presetChangedAlert = std::make_unique<PresetChangedAlert> (*this);
    presetChangedAlert->sendLookAndFeelChange();
}

void BasePluginEditor::stepPresetSelection (bool next)
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

void BasePluginEditor::savePresetAs()
{
    if (! plugin.hasPresets() || contentBrowser == nullptr || contentBrowser->getMode() == ContentBrowser::saveMode)
        return;

    browserWasVisible = contentBrowser->isVisible();
    contentBrowser->openSaveAs();
}

void BasePluginEditor::togglePresetBrowser()
{
    if (contentBrowser == nullptr)
        return;

    // Closing by the same button keeps what was auditioned, as OK does.
    if (contentBrowser->isVisible() && contentBrowser->getMode() != ContentBrowser::saveMode)
        contentBrowser->close (true);
    else
        contentBrowser->open (contentBrowser->isWindowed());
}

std::unique_ptr<AboutWindow> BasePluginEditor::createAboutWindow()
{
    return std::make_unique<AboutWindow> (plugin);
}

void BasePluginEditor::showAboutWindow()
{
    if (aboutWindow != nullptr)
    {
        aboutWindow->removeListener (this);
        aboutWindow->hide();
    }

    retire (std::move (aboutWindow));
    aboutWindow = createAboutWindow();

    if (aboutWindow == nullptr)
        return;

    int w = 0, h = 0;
    getDialogSize (w, h);
    aboutWindow->setSize (w, h);
    aboutWindow->addListener (this);
    addChildComponent (*aboutWindow);
    aboutWindow->sendLookAndFeelChange();
    aboutWindow->show();
}

void BasePluginEditor::aboutWindowCloseRequested (AboutWindow* window)
{
    if (window == aboutWindow.get())
        aboutWindowClosed();
}

void BasePluginEditor::aboutWindowClosed()
{
    if (aboutWindow != nullptr)
    {
        aboutWindow->removeListener (this);
        aboutWindow->hide();
    }

    retire (std::move (aboutWindow));
}

//==============================================================================
// Gestures and the MIDI CC learn pop-up

bool BasePluginEditor::isInsideRootPanel (juce::Component* component) const
{
    return rootPanel != nullptr && component != nullptr && component != rootPanel.get()
        && rootPanel->isParentOf (component);
}

Parameter* BasePluginEditor::findControlParameter (juce::Component* control, const juce::MouseEvent& event,
                                                   juce::Component*& anchor) const
{
    // The pressed component may be a part of a widget (a text field, a container's caption).
    for (auto* c = control; c != nullptr && c != rootPanel.get(); c = c->getParentComponent())
    {
        if (auto* gui = dynamic_cast<GUIController*> (c))
        {
            anchor = c;
            return gui->getParameterForMouseEvent (event, anchor);
        }

        if (auto* controller = dynamic_cast<ParameterController*> (c))
        {
            anchor = c;
            return controller->getParameter (0);
        }
    }

    return nullptr;
}

void BasePluginEditor::mouseDown (const juce::MouseEvent& event)
{
    auto* pressed = event.eventComponent;

    if (pressed == &buildInfoLabel)
    {
        buildInfoLabel.setVisible (false);
        layoutStatusBar();
        return;
    }

    // A right-click on the preset name opens its actions instead.
    if (pressed != nullptr && presetNameControl != nullptr && pressed == presetNameControl)
    {
        if (! event.mods.isPopupMenu())
            togglePresetBrowser();

        return;
    }

    if (! isInsideRootPanel (pressed))
        return;

    if (event.mods.isShiftDown() && event.mods.isLeftButtonDown())
    {
        restoreControlParameter (pressed, event);
    }
    else if (event.mods.isPopupMenu())
    {
        juce::Component* anchor = nullptr;

        if (auto* p = findControlParameter (pressed, event, anchor))
            openParameterInfo (p, anchor != nullptr ? anchor : pressed);
    }
}

void BasePluginEditor::mouseDoubleClick (const juce::MouseEvent& event)
{
    auto* pressed = event.eventComponent;

    if (! event.mods.isLeftButtonDown() || ! isInsideRootPanel (pressed))
        return;

    juce::Component* anchor = nullptr;
    auto* p = findControlParameter (pressed, event, anchor);

    if (p == nullptr || anchor == nullptr)
        return;

    // Switches and text fields use double clicks themselves.
    if (dynamic_cast<ImgSwitch*> (anchor) != nullptr || dynamic_cast<TextDisplay*> (anchor) != nullptr)
        return;

    for (auto* c = pressed; c != nullptr && c != rootPanel.get(); c = c->getParentComponent())
    {
        if (auto* gui = dynamic_cast<GUIController*> (c))
        {
            if (! gui->isResetAllowed())
                return;

            break;
        }

        if (auto* controller = dynamic_cast<ParameterController*> (c))
        {
            if (! controller->isResetAllowed())
                return;

            break;
        }
    }

    restoreParameter (p);
}

void BasePluginEditor::restoreControlParameter (juce::Component* control, const juce::MouseEvent& event)
{
    juce::Component* anchor = nullptr;
    restoreParameter (findControlParameter (control, event, anchor));
}

void BasePluginEditor::restoreParameter (Parameter* parameter)
{
    if (parameter == nullptr)
        return;

    plugin.reloadParameterValue (parameter->getId());
    parameterRestored (parameter);
    showParameterValue (parameter);
}

void BasePluginEditor::openParameterInfo (Parameter* parameter, juce::Component* anchor)
{
    if (parameter == nullptr || dynamic_cast<StringParameter*> (parameter) != nullptr
        || ! plugin.getParameterManager().canLearnMidi (parameter))
        return;

    if (parameterInfo != nullptr && parameterInfo->hasParameter (parameter))
        return;

    plugin.getMidiControlMap().endLearning (false);

    if (parameterInfo != nullptr)
    {
        parameterInfoOption = parameterInfo->getOption();

        // Closing it through the front layer retires it (frontWindowClosed); one that is not
        // in front any more is retired here. Either way it is deleted once, later.
        if (! closeParameterInfo (parameterInfo.get()))
            retire (std::move (parameterInfo));
    }

    parameterInfoAnchor = anchor;
    parameterInfo = std::make_unique<ParameterInfo> (plugin, parameter, parameterInfoOption);
    parameterInfo->addListener (this);
    showParameterInfo (parameterInfo.get());
    statusBar->showTimedMessage ({}, 0, true);
}

void BasePluginEditor::showParameterInfo (ParameterInfo* info)
{
    if (info == nullptr)
        return;

    juce::Component* anchor = parameterInfoAnchor != nullptr ? parameterInfoAnchor.getComponent() : this;
    const int available = rootPanel != nullptr ? rootPanel->getWidth() : getWidth();
    const int anchorX = anchor == this ? 0 : getLocalPoint (anchor, juce::Point<int>()).x;

    if (anchorX + anchor->getWidth() + info->getWidth() < available)
        showFront (this, info, anchor, juce::Justification::centredLeft, juce::Justification::centredRight, { 5, 0 });
    else
        showFront (this, info, anchor, juce::Justification::centredRight, juce::Justification::centredLeft, { -5, 0 });
}

bool BasePluginEditor::closeParameterInfo (juce::Component* info)
{
    return info != nullptr && closeIfFront (info);
}

void BasePluginEditor::frontWindowClosed (juce::Component* popup, juce::Component*)
{
    if (popup == nullptr || popup != parameterInfo.get())
        return;

    parameterInfoOption = parameterInfo->getOption();
    // The pop-up may be closing from inside one of its own handlers: it is deleted later.
    retire (std::move (parameterInfo));

    auto& map = plugin.getMidiControlMap();

    if (map.isLearning())
        map.endLearning (false);
}

void BasePluginEditor::showParameterValue (Parameter* parameter)
{
    if (parameter == nullptr || statusBar == nullptr)
        return;

    const auto text = parameter->getValueText();

    if (text.isEmpty())
        return;

    const auto name = plugin.getParameterDisplayName (parameter->getId());
    statusBar->showTimedMessage (text == "@" ? name : name + ": " + text, valueMessageLevel, false);
}

void BasePluginEditor::controlDragEnded (GUIController* control)
{
    handleHiddenCommand (control);
}

void BasePluginEditor::handleHiddenCommand (GUIController* control)
{
    auto* p = control != nullptr ? control->getParameter() : nullptr;

    if (p == nullptr)
        return;

    const auto buildText = plugin.getBuildText();

    if (p->getId() == getHiddenCommandParameterId() && buildText != "0" && p->getText() == hiddenCommandWord)
    {
        statusBar->showTimedMessage (juce::String (hiddenCommandWord) + ": " + buildText, 0, true);
        return;
    }

    if (parameterInfo == nullptr)
        showParameterValue (p);
}

void BasePluginEditor::controllerValueChanged (ParameterController* controller)
{
    if (controller != nullptr && parameterInfo == nullptr)
        showParameterValue (controller->getParameter (0));
}

//==============================================================================
void BasePluginEditor::retire (std::unique_ptr<juce::Component> component)
{
    if (component == nullptr)
        return;

    component->setVisible (false);
    retiredComponents.add (component.release());

    juce::Component::SafePointer<BasePluginEditor> safeThis (this);
    juce::MessageManager::callAsync ([safeThis] {
        if (safeThis != nullptr)
            safeThis->retiredComponents.clear();
    });
}
