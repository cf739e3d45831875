#include "skin/widgets/ButtonListPopup.h"
#include "editor/windows/FrontWindow.h"

ButtonListPopup::ButtonListPopup (juce::Component& o, int height, int narrowest, std::function<void (int)> onChosen)
    : owner (o), itemHeight (height), minWidth (narrowest), chosen (std::move (onChosen))
{
}

ButtonListPopup::~ButtonListPopup()
{
    removeButtons();
}

void ButtonListPopup::removeButtons()
{
    for (auto* b : buttons)
        b->removeListener (this);

    buttons.clear();
}

void ButtonListPopup::setItems (const juce::StringArray& texts, int litIndex)
{
    removeButtons();
    int widest = minWidth;

    for (int i = 0; i < texts.size(); ++i)
    {
        auto* b = buttons.add (new juce::TextButton (texts[i]));
        b->setWantsKeyboardFocus (false);
        b->setToggleState (i == litIndex, juce::dontSendNotification);
        b->addListener (this);
        addAndMakeVisible (b);
        widest = juce::jmax (widest, b->getBestWidthForHeight (itemHeight));
    }

    setSize (widest + 2, itemHeight * buttons.size() + 2);
}

void ButtonListPopup::show()
{
    FrontWindow::show (&owner, this, &owner,
                       juce::Justification::top | juce::Justification::horizontallyCentred,
                       juce::Justification::bottom | juce::Justification::horizontallyCentred, { 0, 2 });
}

bool ButtonListPopup::isOpen() const
{
    auto* fw = FrontWindow::findFrontWindow (&owner);
    return fw != nullptr && fw->getFrontComponent() == this;
}

void ButtonListPopup::close()
{
    FrontWindow::hide (&owner, this);
}

void ButtonListPopup::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xFFBBBBBB));
    g.setColour (juce::Colours::black);
    g.drawRect (getLocalBounds(), 1);
}

void ButtonListPopup::resized()
{
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setBounds (1, 1 + itemHeight * i, getWidth() - 2, itemHeight);
}

void ButtonListPopup::buttonClicked (juce::Button* button)
{
    const int index = buttons.indexOf (dynamic_cast<juce::TextButton*> (button));

    if (index < 0)
        return;

    // A copy: what the choice does may delete this list.
    const auto report = chosen;
    close();
    report (index);
}
