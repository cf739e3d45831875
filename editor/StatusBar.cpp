#include "editor/StatusBar.h"
#include "core/BasePlugin.h"
#include "editor/BasePluginEditor.h"
#include "editor/windows/WindowIcons.h"
#include "skin/DefaultLookAndFeel.h"

StatusBar::StatusBar (BasePlugin& p)
    : plugin (p), midiMapPage (p), skinPage (p), qualityPage (p)
{
    clearMessage (-1);

    for (auto* b : { &qualityButton, &midiButton, &skinButton, &snapshotButton })
    {
        b->setText (b->getName(), false);
        b->setWantsKeyboardFocus (false);
        b->addListener (this);
        addChildComponent (b);
    }

    if (plugin.hasQualityParameters())
    {
        for (auto* q : { plugin.getRealtimeQualityParameter(), plugin.getOfflineQualityParameter() })
            if (q != nullptr)
                q->addListener (this);

        listensToQuality = true;

        if (auto icon = WindowIcons::createQualityIcon())
            qualityButton.setIcon (*icon);

        qualityButton.setClickingTogglesState (true);
        qualityButton.setVisible (true);
    }

    if (auto icon = WindowIcons::createMidiIcon())
        midiButton.setIcon (*icon);

    if (auto icon = WindowIcons::createSkinIcon())
        skinButton.setIcon (*icon);

    if (auto icon = WindowIcons::createSnapshotIcon())
        snapshotButton.setIcon (*icon);

    midiButton.setClickingTogglesState (true);
    skinButton.setClickingTogglesState (true);
    midiButton.setVisible (true);
    skinButton.setVisible (true);
    snapshotButton.setVisible (plugin.hasSuperpowers());

    qualityPage.getRealTimeChoice().addListener (static_cast<RadioTextButtons::Listener*> (this));
    qualityPage.getOfflineChoice().addListener (static_cast<RadioTextButtons::Listener*> (this));
    midiMapPage.getLoadButton().addListener (this);
    midiMapPage.getSaveButton().addListener (this);
    skinPage.addSkinButtonListener (this);

    lookAndFeelChanged();
}

StatusBar::~StatusBar()
{
    // A page still in the editor's front layer would tell this bar of its closing while its
    // members go: close it now. The members' own listeners go with them.
    for (juce::Component* page : { static_cast<juce::Component*> (&midiMapPage),
                                   static_cast<juce::Component*> (&skinPage),
                                   static_cast<juce::Component*> (&qualityPage) })
        if (auto* fw = FrontWindow::findFrontWindow (page); fw != nullptr && fw->getFrontComponent() == page)
            fw->closeFront (page, this);

    if (listensToQuality)
        for (auto* q : { plugin.getRealtimeQualityParameter(), plugin.getOfflineQualityParameter() })
            if (q != nullptr)
                q->removeListener (this);
}

//==============================================================================
void StatusBar::setMessage (const juce::String& newText, int newLevel, int timeoutMs)
{
    if (newText == text || newLevel < level)
        return;

    level = newLevel;
    text = newText;

    if (timeoutMs >= 1)
        startTimer (timeoutMs);
    else
        stopTimer();

    repaint();
}

void StatusBar::showMessage (const juce::String& newText, int newLevel, bool clearFirst)
{
    if (clearFirst)
        clearMessage (-1);

    setMessage (newText, newLevel, 0);
}

void StatusBar::showTimedMessage (const juce::String& newText, int newLevel, bool clearFirst)
{
    if (clearFirst)
        clearMessage (-1);

    setMessage (newText, newLevel, timedMessageMs);
}

void StatusBar::clearMessage (int l)
{
    if (l != -1 && level > l)
        return;

    level = 0;
    setMessage ({}, 0, 0);
}

void StatusBar::timerCallback()
{
    clearMessage (-1);
}

//==============================================================================
void StatusBar::setSkinPickerVisible (bool shouldBeVisible)
{
    skinButton.setVisible (shouldBeVisible);
    resized();
}

void StatusBar::openPage (juce::Component& page, juce::Button& anchor)
{
    FrontWindow::show (this, &page, &anchor,
                       juce::Justification::bottom | juce::Justification::horizontallyCentred,
                       juce::Justification::top | juce::Justification::horizontallyCentred,
                       { 0, -2 });
}

void StatusBar::buttonClicked (juce::Button* button)
{
    if (button == &snapshotButton)
    {
        if (auto* editor = dynamic_cast<BasePluginEditor*> (plugin.getActiveEditor()))
            editor->saveSnapshot();

        return;
    }

    if (button == &midiMapPage.getLoadButton() || button == &midiMapPage.getSaveButton())
    {
        FrontWindow::hide (this, &midiMapPage);
        return;
    }

    for (int i = 0; i < skinPage.getNumSkinButtons(); ++i)
    {
        if (button == skinPage.getSkinButton (i))
        {
            FrontWindow::hide (this, &skinPage);
            return;
        }
    }

    juce::Component* page = button == &midiButton ? static_cast<juce::Component*> (&midiMapPage)
        : button == &skinButton                   ? static_cast<juce::Component*> (&skinPage)
        : button == &qualityButton                ? static_cast<juce::Component*> (&qualityPage)
                                                  : nullptr;
    if (page == nullptr)
        return;

    if (button->getToggleState())
        openPage (*page, *button);
    else
        FrontWindow::hide (this, page);   // untoggled without a press in the editor (keyboard)
}

void StatusBar::frontWindowClosed (juce::Component* page, juce::Component* pressedComponent)
{
    juce::Button* button = page == &midiMapPage ? static_cast<juce::Button*> (&midiButton)
        : page == &skinPage                     ? static_cast<juce::Button*> (&skinButton)
        : page == &qualityPage                  ? static_cast<juce::Button*> (&qualityButton)
                                                : nullptr;

    // A press on the page's own button untoggles it by its own click.
    if (button != nullptr && pressedComponent != button)
        button->setToggleState (false, juce::dontSendNotification);
}

void StatusBar::radioChoiceMade (RadioTextButtons*, int)
{
    FrontWindow::hide (this, &qualityPage);
}

void StatusBar::parameterChanged (Parameter* parameter)
{
    if (! listensToQuality)
        return;

    if (parameter == plugin.getRealtimeQualityParameter() || parameter == plugin.getOfflineQualityParameter())
        updateQualityLabel();
}

void StatusBar::updateQualityLabel()
{
    auto* realTime = plugin.getRealtimeQualityParameter();
    auto* offline = plugin.getOfflineQualityParameter();

    if (realTime != nullptr && offline != nullptr)
        qualityButton.setText (realTime->getValueText() + " / " + offline->getValueText(), false);
}

//==============================================================================
void StatusBar::lookAndFeelChanged()
{
    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        font = lf->getStatusBarFont().withHeight ((float) lf->getStatusBarHeight());
        setSize (getWidth(), lf->getStatusBarHeight());
        repaint();
    }
}

void StatusBar::paint (juce::Graphics& g)
{
    g.fillAll (findColourOr (*this, backgroundColourId, juce::Colour (0xFF444444)));
    g.setColour (findColourOr (*this, textColourId, juce::Colours::white));
    g.setFont (font);
    g.drawText (text, 5, 0, getWidth(), getHeight(), juce::Justification::centredLeft, false);
}

void StatusBar::resized()
{
    const int h = getHeight();
    int right = getWidth() - 1;

    for (auto* b : { &snapshotButton, &skinButton, &midiButton })
    {
        b->fitWidthToText (h);
        b->setTopRightPosition (right, 0);

        if (b->isVisible())
            right = b->getX() - 1;
    }

    qualityButton.setSize (130, h);
    qualityButton.setTopRightPosition (right, 0);
}
