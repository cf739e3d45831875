#include "editor/GUISettingsComponent.h"
#include "editor/BasePluginEditor.h"

GUISettingsComponent::GUISettingsComponent (BasePlugin& p)
    : plugin (p), chooser ("SkinSize")
{
    setSize (0, 20);
    label.setBorderSize ({ 0, 0, 0, 0 });
    label.setJustificationType (juce::Justification::centredRight);
    chooser.addListener (static_cast<ComboBoxEx::Listener*> (this));
    addAndMakeVisible (label);
    addAndMakeVisible (chooser);
    refresh();
}

GUISettingsComponent::~GUISettingsComponent()
{
    chooser.removeListener (static_cast<ComboBoxEx::Listener*> (this));
}

void GUISettingsComponent::refresh()
{
    auto* editor = dynamic_cast<BasePluginEditor*> (plugin.getActiveEditor());
    PopupMenuEx skins ("SkinSize");
    int current = -1;

    if (editor != nullptr)
    {
        for (int i = 0; i < editor->getNumSkins(); ++i)
            skins.addItem (i, editor->getSkinRecord (i).label);

        current = editor->getSkinIndex (editor->getCurrentSkinName());
    }

    chooser.setMenu (skins, false);
    chooser.setSelectedId (current, false);
    chooser.updateText();
}

void GUISettingsComponent::comboBoxExChanged (ComboBoxEx* box)
{
    if (box != &chooser)
        return;

    if (auto* editor = dynamic_cast<BasePluginEditor*> (plugin.getActiveEditor()))
        editor->changeSkinByIndex (chooser.getSelectedId());
}

void GUISettingsComponent::resized()
{
    label.fitWidthToText (20);
    const int total = label.getWidth() + 6 + chooserWidth;
    const int x = (getWidth() - total) / 2;
    label.setTopLeftPosition (juce::jmax (0, x), 0);
    chooser.setBounds (label.getRight() + 6, 0, chooserWidth, 20);
}

void GUISettingsComponent::visibilityChanged()
{
    if (isVisible())
        refresh();
}

void GUISettingsComponent::lookAndFeelChanged()
{
    resized();
}
