#include "editor/NimbusEffectEditor.h"
#include "dsp/NimbusEffectCore.h"
#include "skin/Skin.h"
#include "skin/widgets/ImgAnim.h"

NimbusEffectEditor::NimbusEffectEditor (NimbusEffect& e)
    : BasePluginEditor (e), effect (e)
{
}

NimbusEffectEditor::~NimbusEffectEditor()
{
    setMeterReading (false);
}

void NimbusEffectEditor::updateMeterReading()
{
    setMeterReading ((leftMeter != nullptr || rightMeter != nullptr) && isShowing());
}

void NimbusEffectEditor::visibilityChanged()
{
    BasePluginEditor::visibilityChanged();
    updateMeterReading();
}

void NimbusEffectEditor::parentHierarchyChanged()
{
    BasePluginEditor::parentHierarchyChanged();
    updateMeterReading();
}

void NimbusEffectEditor::setMeterReading (bool shouldRead)
{
    // The core measures peaks only while someone reads them.
    auto* core = effect.getEffectCore();

    if (core == nullptr || shouldRead == readingMeters)
        return;

    readingMeters = shouldRead;

    if (shouldRead)
        core->addMeterReader();
    else
        core->removeMeterReader();
}

void NimbusEffectEditor::getDialogSize (int& width, int& height)
{
    width = juce::jmax (780, getWidth() - 60);
    height = juce::jmax (250, skinHeight - 60);
}

void NimbusEffectEditor::afterInitialise()
{
    if (auto* browser = getContentBrowser())
    {
        browser->setWindowed (false);
        browser->setContentMargins ({ 1, 0, 0, 0 });
        browser->setBorderThickness ({ 2, 0, 0, 0 });
    }
}

void NimbusEffectEditor::guiWillChange()
{
    // The old tree's meters go with it.
    leftMeter = rightMeter = nullptr;
    updateMeterReading();
}

void NimbusEffectEditor::skinLoaded (Skin& skin)
{
    skinHeight = getContentHeight();
    leftMeter = skin.findComponent<ImgAnim> ("LeftVUMeter");
    rightMeter = skin.findComponent<ImgAnim> ("RightVUMeter");
    updateMeterReading();

    if (auto* browser = getContentBrowser())
        browser->setBounds (0, skinHeight, getWidth(), getDockedBrowserHeight (skinHeight));
}

void NimbusEffectEditor::updateDisplay (bool visible)
{
    BasePluginEditor::updateDisplay (visible);

    const bool processing = effect.active.load() == 1;
    auto* core = effect.getEffectCore();

    if (processing && core != nullptr)
    {
        // The peaks since the last tick (none between two ticks is lost), placed on the
        // meters' dB scale, which the skins print beside them.
        leftLevel = core->takeMeterPosition (0);
        rightLevel = core->takeMeterPosition (1);
    }

    if (leftMeter != nullptr)
        leftMeter->setValue (leftLevel);

    if (rightMeter != nullptr)
        rightMeter->setValue (rightLevel);

    if (processing)
        return;

    // Without audio the meters fall to zero within a few hundred milliseconds.
    for (auto* level : { &leftLevel, &rightLevel })
        *level = *level > fallFloor ? *level * fallFactor : 0.0f;
}

void NimbusEffectEditor::resized()
{
    BasePluginEditor::resized();
    repaint();
}

void NimbusEffectEditor::contentBrowserOpened (ContentBrowser* browser)
{
    if (browser != nullptr && browser == getContentBrowser())
        setContentSize (getWidth(), skinHeight + browser->getHeight());

    BasePluginEditor::contentBrowserOpened (browser);
}

void NimbusEffectEditor::contentBrowserClosed (ContentBrowser* browser, int mode, bool keep)
{
    BasePluginEditor::contentBrowserClosed (browser, mode, keep);

    if (browser == nullptr || browser != getContentBrowser() || browser->isVisible())
        return;

    setContentSize (getWidth(), skinHeight);

    // A docked browser that held the focus is hidden now: nothing of it may keep the keys.
    juce::Component::unfocusAllComponents();
}
