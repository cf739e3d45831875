#include "editor/GUIPickerComponent.h"
#include "editor/BasePluginEditor.h"
#include "editor/windows/WindowIcons.h"

namespace
{
    BasePluginEditor* findEditor (BasePlugin& plugin)
    {
        return dynamic_cast<BasePluginEditor*> (plugin.getActiveEditor());
    }
}

GUIPickerComponent::GUIPickerComponent (BasePlugin& p)
    : StatusBarPage (juce::Colour (0xFFBBBBBB), WindowIcons::createSkinIcon(), "Skin size"), plugin (p)
{
    setSize (width, 26);
}

GUIPickerComponent::~GUIPickerComponent()
{
    for (auto* b : skinButtons)
        b->removeListener (this);
}

void GUIPickerComponent::fillSkinButtons()
{
    for (auto* b : skinButtons)
        b->removeListener (this);

    skinButtons.clear();

    if (auto* editor = findEditor (plugin))
    {
        for (auto& skin : editor->getSkins())
        {
            auto* b = skinButtons.add (new juce::TextButton (skin.name));
            b->setColour (juce::TextButton::buttonColourId, juce::Colour (0xFFD0D0D0));
            b->setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xFFEB6E2A));
            b->setColour (juce::TextButton::textColourOffId, juce::Colour (0xFF282828));
            b->setColour (juce::TextButton::textColourOnId, juce::Colours::white);
            b->setWantsKeyboardFocus (false);
            b->addListener (this);

            for (auto* l : buttonListeners)
                b->addListener (l);

            addAndMakeVisible (b);
        }
    }

    setSize (width, 20 * skinButtons.size() + 26);
    resized();
}

void GUIPickerComponent::addSkinButtonListener (juce::Button::Listener* listener)
{
    if (listener == nullptr || buttonListeners.contains (listener))
        return;

    buttonListeners.add (listener);

    for (auto* b : skinButtons)
        b->addListener (listener);
}

void GUIPickerComponent::removeSkinButtonListener (juce::Button::Listener* listener)
{
    buttonListeners.removeFirstMatchingValue (listener);

    for (auto* b : skinButtons)
        b->removeListener (listener);
}

void GUIPickerComponent::updateToggles()
{
    auto* editor = findEditor (plugin);
    const int current = editor != nullptr ? editor->getSkinIndex (editor->getCurrentSkinName()) : -1;

    for (int i = 0; i < skinButtons.size(); ++i)
        skinButtons[i]->setToggleState (i == current, juce::dontSendNotification);
}

void GUIPickerComponent::buttonClicked (juce::Button* button)
{
    const auto index = skinButtons.indexOf (dynamic_cast<juce::TextButton*> (button));

    if (index < 0)
        return;

    if (auto* editor = findEditor (plugin))
        editor->changeSkinByIndex (index);
}

void GUIPickerComponent::paint (juce::Graphics& g)
{
    updateToggles();
    StatusBarPage::paint (g);
}

void GUIPickerComponent::resized()
{
    StatusBarPage::resized();

    for (int i = 0; i < skinButtons.size(); ++i)
        skinButtons[i]->setBounds (1, 24 + 20 * i, getWidth() - 2, 20);
}
