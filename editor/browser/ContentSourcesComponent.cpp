#include "editor/browser/ContentSourcesComponent.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/EmbeddedIcons.h"

ContentSourcesComponent::ContentSourcesComponent (Owner& o)
    : owner (o)
{
    addAndMakeVisible (header);
    expandButton.addListener (this);
    // The title shows only while the panel is expanded (collapsed, it is too narrow).
    header.getTitle().setVisible (false);
}

ContentSourcesComponent::~ContentSourcesComponent()
{
    expandButton.removeListener (this);
}

void ContentSourcesComponent::addSource (ContentSource* source)
{
    if (source == nullptr || sources.contains (source))
        return;

    sources.add (source);

    auto* button = new TextButtonWithIcon (source->name);
    button->setButtonText (source->name);
    button->setClickingTogglesState (true);
    button->setWantsKeyboardFocus (false);
    button->setMouseClickGrabsKeyboardFocus (false);
    button->setToggleState (source->selected, juce::dontSendNotification);
    button->addListener (this);

    const int icon = source->name == "User" ? StandardIcon::user : source->name == "Factory" ? StandardIcon::factory
                                                                                             : -1;

    if (auto drawable = getStandardIcon (icon))
        button->setIcon (*drawable);

    colourButton (*button);
    addAndMakeVisible (button);
    buttons.add (button);
    resized();
}

void ContentSourcesComponent::setButtonsEnabled (bool enabled)
{
    for (auto* button : buttons)
        button->setEnabled (enabled);
}

void ContentSourcesComponent::showCurrentSource (bool editMode)
{
    auto* current = owner.getCurrentSource();

    for (int i = 0; i < sources.size(); ++i)
        buttons[i]->setToggleState (editMode ? sources[i] == current : sources[i]->selected, juce::dontSendNotification);
}

void ContentSourcesComponent::paint (juce::Graphics& g)
{
    const int h = header.getHeight();
    fillRoundedWithColour (g, juce::Rectangle<int> (2, h + 1, getWidth() - 4, getHeight() - h - 1),
                           findColourOr (*this, DefaultLookAndFeel::browserPanelColourId, juce::Colour (0xFFA2A2A2), true), 1.5f);
}

void ContentSourcesComponent::resized()
{
    const int h = header.getHeight();

    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setBounds (4, h + 3 + buttonSpacing * i, juce::jmax (0, getWidth() - 8), buttonHeight);
}

void ContentSourcesComponent::colourButton (TextButtonWithIcon& button)
{
    button.setColour (juce::TextButton::buttonColourId, findColourOr (*this, DefaultLookAndFeel::browserButtonOffColourId, juce::Colour (0xFF828282), true));
    button.setColour (juce::TextButton::buttonOnColourId, findColourOr (*this, DefaultLookAndFeel::browserButtonOnColourId, juce::Colour (0xFF4A6171), true));
    button.setColour (juce::TextButton::textColourOffId, findColourOr (*this, DefaultLookAndFeel::browserTextOffColourId, juce::Colour (0xFFE6E6E6), true));
    button.setColour (juce::TextButton::textColourOnId, findColourOr (*this, DefaultLookAndFeel::browserTextOnColourId, juce::Colours::white, true));
}

void ContentSourcesComponent::lookAndFeelChanged()
{
    for (auto* button : buttons)
        colourButton (*button);
}

void ContentSourcesComponent::parentHierarchyChanged()
{
    lookAndFeelChanged();
}

void ContentSourcesComponent::buttonClicked (juce::Button* button)
{
    if (button == &expandButton)
    {
        header.getTitle().setVisible (expandButton.getToggleState());
        return;
    }

    const auto index = buttons.indexOf (static_cast<TextButtonWithIcon*> (button));

    if (auto* source = sources[index])
        source->setSelected (button->getToggleState(), true);
}
