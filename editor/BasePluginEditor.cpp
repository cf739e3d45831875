#include "editor/BasePluginEditor.h"
#include "core/parameters/BoundedXmlReader.h"
#include "core/BundleResources.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorGestures.h"
#include "editor/EditorPresetCommands.h"
#include "editor/EditorSettings.h"
#include "editor/EditorSkins.h"
#include "editor/GUISettingsComponent.h"
#include "editor/StatusBar.h"
#include "skin/widgets/ImgAnim.h"

namespace
{
    constexpr int tooltipDelayMs = 850;
}

//==============================================================================
BasePluginEditor::BasePluginEditor (BasePlugin& p)
    : FrontWindow (static_cast<juce::Component&> (*this)), plugin (p)
{
    makerLogo = BundleResources::loadImage ("OrvikLogo.png");
    pluginLogo = BundleResources::loadImage ("PluginLogo.png");

    editorSettings = std::make_unique<EditorSettings> (*this);
    editorSkins = std::make_unique<EditorSkins> (*this);
    presetCommands = std::make_unique<EditorPresetCommands> (*this);
    gestures = std::make_unique<EditorGestures> (*this);

    tooltipWindow = std::make_unique<juce::TooltipWindow> (this, tooltipDelayMs);
    tooltipWindow->setOpaque (false);

    statusBar = std::make_unique<StatusBar> (plugin);
    addAndMakeVisible (*statusBar);
    // Takes the status font and its height from the editor's look-and-feel now, not only
    // when the plug-in refreshes the editor's look-and-feel.
    statusBar->sendLookAndFeelChange();

    // Creates the options window, above the status bar.
    editorDialogs = std::make_unique<EditorDialogs> (*this);

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
    editorSkins->findSkins();
    editorDialogs->buildOptionsPages();
    editorSettings->readUserSettings();

    if (plugin.hasPresets())
        presetCommands->createContentBrowser();

    const bool canPickSkin = getNumSkins() >= 2;

    if (canPickSkin)
        editorDialogs->addUserInterfacePage();

    statusBar->setSkinPickerVisible (canPickSkin);
    statusBar->getSkinPage().fillSkinButtons();
    editorSkins->start();

    if (auto* browser = getContentBrowser(); browser != nullptr && plugin.hasSuperpowers())
        browser->setTagEditorRestricted (false);

    editorSettings->publishState();
    afterInitialise();
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
    if (auto* browser = getContentBrowser(); browser != nullptr && browser->isWindowed())
        browser->setSize ((int) (0.9 * width), (int) (0.9 * height));

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
    auto* midiActivityControl = getMidiActivityControl();

    if (! visible || midiActivityControl == nullptr)
        return;

    // Taken even while the light is lit, so a burst of MIDI makes one blink, not a queue.
    if (plugin.midiActivity.exchange (0) == 1 && ! midiActivityControl->isActionRunning())
        midiActivityControl->runAction (AnimatedComponent::lastFrameAction, AnimatedComponent::blinkMilliseconds);
}

//==============================================================================
// Skins

juce::File BasePluginEditor::getSkinsFolder() const { return editorSkins->getSkinsFolder(); }
juce::File BasePluginEditor::getSkinFile (const juce::String& name) const { return editorSkins->getSkinFile (name); }
void BasePluginEditor::findSkins() { editorSkins->findSkins(); }
const juce::Array<SkinRecord>& BasePluginEditor::getSkins() const noexcept { return editorSkins->getSkins(); }
int BasePluginEditor::getNumSkins() const noexcept { return editorSkins->getSkins().size(); }
int BasePluginEditor::getSkinIndex (const juce::String& name) const { return editorSkins->getSkinIndex (name); }
SkinRecord BasePluginEditor::getSkinRecord (int index) const { return editorSkins->getSkinRecord (index); }
juce::String BasePluginEditor::getDefaultSkinName() const { return editorSkins->getDefaultSkinName(); }
void BasePluginEditor::setSkinName (const juce::String& name) { editorSkins->setSkinName (name); }

void BasePluginEditor::changeSkin (const juce::String& name, bool force)
{
    JUCE_ASSERT_MESSAGE_THREAD
    editorSkins->changeSkin (name, force);
}

void BasePluginEditor::changeSkinByIndex (int index) { editorSkins->changeSkinByIndex (index); }

juce::String BasePluginEditor::getCurrentSkinName() const
{
    JUCE_ASSERT_MESSAGE_THREAD
    return editorSkins->getCurrentSkinName();
}

const juce::String& BasePluginEditor::getChosenSkinName() const noexcept { return editorSkins->getChosenSkinName(); }
const juce::String& BasePluginEditor::getPendingSkinName() const noexcept { return editorSkins->getPendingSkinName(); }

void BasePluginEditor::ensureSkinLoaded()
{
    if (editorSkins->isFirstShowDone())
        return;

    JUCE_ASSERT_MESSAGE_THREAD
    editorSkins->ensureLoaded();
}

void BasePluginEditor::handleAsyncUpdate()
{
    loadSkin();
}

void BasePluginEditor::loadSkin()
{
    editorSkins->loadPendingSkin();
}

Panel* BasePluginEditor::getRootPanel() const noexcept { return editorSkins->getRootPanel(); }
float BasePluginEditor::getGuiScale() const noexcept { return editorSkins->getGuiScale(); }
int BasePluginEditor::getDefaultWidth() const { return getDefaultWidthText().getIntValue(); }

PresetNameDisplay* BasePluginEditor::getPresetNameControl() const noexcept { return editorSkins->getPresetNameControl(); }
GFXMultiStateButton* BasePluginEditor::getMidiLearnButton() const noexcept { return editorSkins->getMidiLearnButton(); }
ImgAnim* BasePluginEditor::getMidiActivityControl() const noexcept { return editorSkins->getMidiActivityControl(); }
Orvik::AlertWindow* BasePluginEditor::getSkinErrorAlert() const noexcept { return editorSkins->getSkinErrorAlert(); }

//==============================================================================
// Settings and state

bool BasePluginEditor::hasSettings (const juce::XmlElement& element) const
{
    return BoundedXmlReader::hasTag (element, getSettingsTag());
}

std::unique_ptr<juce::XmlElement> BasePluginEditor::saveSettings() const
{
    return editorSettings->saveSettings();
}

void BasePluginEditor::loadSettings (const juce::XmlElement& element)
{
    editorSettings->loadSettings (element);
}

bool BasePluginEditor::hasState (const juce::XmlElement& element) const
{
    return BoundedXmlReader::hasTag (element, getStateTag());
}

std::unique_ptr<juce::XmlElement> BasePluginEditor::getStateXml() const
{
    JUCE_ASSERT_MESSAGE_THREAD
    return editorSettings->getStateXml();
}

void BasePluginEditor::setStateFromXml (const juce::XmlElement& element)
{
    JUCE_ASSERT_MESSAGE_THREAD
    editorSettings->setStateFromXml (element);
}

//==============================================================================
// Dialogs, windows and the snapshot

OptionsWindow* BasePluginEditor::getOptionsWindow() const noexcept { return editorDialogs->getOptionsWindow(); }
PresetSettingsComponent* BasePluginEditor::getPresetsPage() const noexcept { return editorDialogs->getPresetsPage(); }
MidiSettingsComponent* BasePluginEditor::getMidiPage() const noexcept { return editorDialogs->getMidiPage(); }
DefaultSettingsComponent* BasePluginEditor::getQualityPage() const noexcept { return editorDialogs->getQualityPage(); }
juce::Component* BasePluginEditor::getUserInterfacePage() const noexcept { return editorDialogs->getUserInterfacePage(); }
AboutWindow* BasePluginEditor::getAboutWindow() const noexcept { return editorDialogs->getAboutWindow(); }
Orvik::AlertWindow* BasePluginEditor::getSnapshotAlert() const noexcept { return editorDialogs->getSnapshotAlert(); }

std::unique_ptr<AboutWindow> BasePluginEditor::createAboutWindow()
{
    return std::make_unique<AboutWindow> (plugin);
}

void BasePluginEditor::showAboutWindow() { editorDialogs->showAboutWindow(); }

void BasePluginEditor::aboutWindowCloseRequested (AboutWindow* window)
{
    if (window == getAboutWindow())
        aboutWindowClosed();
}

void BasePluginEditor::aboutWindowClosed() { editorDialogs->closeAboutWindow(); }
void BasePluginEditor::saveSnapshot() { editorDialogs->saveSnapshot(); }
void BasePluginEditor::setFileRequest (FileRequest request) { editorDialogs->setFileRequest (std::move (request)); }
bool BasePluginEditor::writeSnapshot (const juce::File& file) const { return editorDialogs->writeSnapshot (file); }

void BasePluginEditor::alertWindowClosed (Orvik::AlertWindow* alert, int buttonKind)
{
    if (! presetCommands->presetAlertClosed (alert, buttonKind))
        editorDialogs->snapshotAlertClosed (alert, buttonKind);
}

//==============================================================================
// Commands, presets and the content browser

void BasePluginEditor::parameterChanged (Parameter* parameter) { presetCommands->parameterChanged (parameter); }
ImgButton* BasePluginEditor::getCommandButton (int commandId) const { return presetCommands->getCommandButton (commandId); }
void BasePluginEditor::buttonClicked (juce::Button* button) { presetCommands->buttonClicked (button); }
void BasePluginEditor::buttonStateChanged (juce::Button* button) { presetCommands->buttonStateChanged (button); }
ContentBrowser* BasePluginEditor::getContentBrowser() const noexcept { return presetCommands->getContentBrowser(); }
void BasePluginEditor::contentBrowserOpened (ContentBrowser* browser) { presetCommands->browserOpened (browser); }

void BasePluginEditor::contentBrowserClosed (ContentBrowser* browser, int mode, bool keep)
{
    presetCommands->browserClosed (browser, mode, keep);
}

void BasePluginEditor::bulkOperationProgress (ContentBrowser*, const juce::String& progress)
{
    if (statusBar == nullptr)
        return;

    if (progress.isNotEmpty())
        statusBar->showMessage (progress, bulkProgressLevel);
    else
        statusBar->clearMessage (bulkProgressLevel);
}

void BasePluginEditor::selectPreviousPreset() { presetCommands->stepPreset (false); }
void BasePluginEditor::selectNextPreset() { presetCommands->stepPreset (true); }
void BasePluginEditor::confirmPresetChange (bool next) { presetCommands->confirmPresetChange (next); }
void BasePluginEditor::stepPresetSelection (bool next) { presetCommands->stepSelection (next); }
PresetChangedAlert* BasePluginEditor::getPresetChangedAlert() const noexcept { return presetCommands->getPresetChangedAlert(); }
void BasePluginEditor::savePresetAs() { presetCommands->savePresetAs(); }
void BasePluginEditor::togglePresetBrowser() { presetCommands->togglePresetBrowser(); }

//==============================================================================
// Gestures and the MIDI CC learn pop-up

void BasePluginEditor::mouseDown (const juce::MouseEvent& event)
{
    if (event.eventComponent == &buildInfoLabel)
    {
        buildInfoLabel.setVisible (false);
        layoutStatusBar();
        return;
    }

    gestures->mouseDown (event);
}

void BasePluginEditor::mouseDoubleClick (const juce::MouseEvent& event) { gestures->mouseDoubleClick (event); }

void BasePluginEditor::restoreControlParameter (juce::Component* control, const juce::MouseEvent& event)
{
    gestures->restoreControlParameter (control, event);
}

void BasePluginEditor::restoreParameter (Parameter* parameter) { gestures->restoreParameter (parameter); }
void BasePluginEditor::openParameterInfo (Parameter* parameter, juce::Component* anchor) { gestures->openParameterInfo (parameter, anchor); }
void BasePluginEditor::showParameterValue (Parameter* parameter) { gestures->showParameterValue (parameter); }
ParameterInfo* BasePluginEditor::getParameterInfo() const noexcept { return gestures->getParameterInfo(); }
void BasePluginEditor::showParameterInfo (ParameterInfo* info) { gestures->showParameterInfo (info); }

bool BasePluginEditor::closeParameterInfo (juce::Component* info)
{
    return info != nullptr && closeIfFront (info);
}

void BasePluginEditor::frontWindowClosed (juce::Component* popup, juce::Component*) { gestures->popupClosed (popup); }
void BasePluginEditor::controlDragEnded (GUIController* control) { handleHiddenCommand (control); }
void BasePluginEditor::handleHiddenCommand (GUIController* control) { gestures->handleHiddenCommand (control); }
void BasePluginEditor::controllerValueChanged (ParameterController* controller) { gestures->controllerValueChanged (controller); }
