#include "skin/DefaultResourceCheckBox.h"

DefaultResourceCheckBox::DefaultResourceCheckBox()
{
    checkBox.setWantsKeyboardFocus (false);
    checkBox.addListener (this);
    pathComponent.addListener (this);
    addAndMakeVisible (checkBox);
    addAndMakeVisible (pathComponent);
}

DefaultResourceCheckBox::~DefaultResourceCheckBox()
{
    pathComponent.removeListener (this);
    checkBox.removeListener (this);
}

void DefaultResourceCheckBox::setState (const juce::String& path, bool notify)
{
    checkBox.setChecked (path.isNotEmpty(), juce::dontSendNotification);
    pathComponent.setPath (path, false);

    if (notify)
        notifyListeners();
}

void DefaultResourceCheckBox::setText (const juce::String& text)
{
    checkBox.setButtonText (text);
    resized();
}

void DefaultResourceCheckBox::addListener (Listener* listener)
{
    listeners.add (listener);
}

void DefaultResourceCheckBox::removeListener (Listener* listener)
{
    listeners.remove (listener);
}

void DefaultResourceCheckBox::notifyListeners()
{
    listeners.call ([this] (Listener& l) { l.resourceCheckBoxChanged (this); });
}

void DefaultResourceCheckBox::buttonClicked (juce::Button*)
{
    if (! checkBox.isChecked())
        pathComponent.setPath ({}, false);

    notifyListeners();
}

void DefaultResourceCheckBox::pathChanged (PathComponent*)
{
    // A chosen file is in use at once.
    checkBox.setChecked (pathComponent.getPath().isNotEmpty(), juce::dontSendNotification);
    notifyListeners();
}

void DefaultResourceCheckBox::resized()
{
    const int h = getHeight();
    checkBox.setSize (checkBox.getWidth(), h);
    checkBox.fitWidthToText (h);
    checkBox.setTopLeftPosition (0, 0);

    const int x = checkBox.getWidth() + PathComponent::gap;
    pathComponent.setBounds (x, 0, juce::jmax (0, getWidth() - x), h);
}
