#include "skin/widgets/PresetNameDisplay.h"
#include "core/BasePlugin.h"
#include "core/CommandParameter.h"
#include "skin/Skin.h"

namespace
{
    struct Action
    {
        const char* text;
        int commandId;
    };

    const Action actionTable[] = { { "Init", CommandParameter::presetInitId },
                                   { "Reload", CommandParameter::presetReloadId },
                                   { "Save As", CommandParameter::presetSaveId } };
}

PresetNameDisplay::PresetNameDisplay (const juce::ValueTree& element, Skin& skin)
    : TextDisplay (element, skin), plugin (skin.getPlugin())
{
    // Skins place the display without naming its parameter: it always shows the preset name.
    if (! element.hasProperty ("param") && plugin != nullptr)
        setParameter (plugin->getParameterManager().getParameterByIndex (CommandParameter::presetNameId));
}

PresetNameDisplay::~PresetNameDisplay()
{
    if (actions != nullptr)
        FrontWindow::hide (this, actions.get());
}

void PresetNameDisplay::mouseDown (const juce::MouseEvent& e)
{
    if (e.mods.isPopupMenu())
        showActions();
    else
        TextDisplay::mouseDown (e);
}

void PresetNameDisplay::showActions()
{
    if (plugin == nullptr || ! plugin->hasPresets() || FrontWindow::findFrontWindow (this) == nullptr)
        return;

    if (actions == nullptr)
        actions = std::make_unique<Actions> (*this);

    FrontWindow::show (this, actions.get(), this,
                       juce::Justification::top | juce::Justification::horizontallyCentred,
                       juce::Justification::bottom | juce::Justification::horizontallyCentred, { 0, 2 });
}

bool PresetNameDisplay::areActionsOpen() const
{
    auto* fw = FrontWindow::findFrontWindow (const_cast<PresetNameDisplay*> (this));
    return actions != nullptr && fw != nullptr && fw->getFrontComponent() == actions.get();
}

void PresetNameDisplay::sendCommand (int parameterId)
{
    if (plugin == nullptr)
        return;

    if (auto* p = plugin->getParameterManager().getParameterByIndex (parameterId))
    {
        // Each value reaches the listeners before the next is set, so the command is never
        // lost between two asynchronous updates.
        p->setToStoredValue (1, true);
        p->flushPendingUpdate();
        p->setToStoredValue (0, true);
        p->flushPendingUpdate();
    }
}

void PresetNameDisplay::frontWindowClosed (juce::Component*, juce::Component*)
{
    // The actions pop-up is kept for the next time.
}

//==============================================================================
PresetNameDisplay::Actions::Actions (PresetNameDisplay& o) : owner (o)
{
    for (auto& action : actionTable)
    {
        auto* b = buttons.add (new juce::TextButton (action.text));
        b->setWantsKeyboardFocus (false);
        b->addListener (this);
        addAndMakeVisible (b);
    }

    setSize (buttonWidth + 2, buttonHeight * buttons.size() + 2);
}

PresetNameDisplay::Actions::~Actions()
{
    for (auto* b : buttons)
        b->removeListener (this);
}

int PresetNameDisplay::Actions::getCommandId (int index)
{
    return juce::isPositiveAndBelow (index, (int) std::size (actionTable)) ? actionTable[index].commandId : -1;
}

void PresetNameDisplay::Actions::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xFFBBBBBB));
    g.setColour (juce::Colours::black);
    g.drawRect (getLocalBounds(), 1);
}

void PresetNameDisplay::Actions::resized()
{
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setBounds (1, 1 + buttonHeight * i, getWidth() - 2, buttonHeight);
}

void PresetNameDisplay::Actions::buttonClicked (juce::Button* button)
{
    const int index = buttons.indexOf (dynamic_cast<juce::TextButton*> (button));

    if (index < 0)
        return;

    auto& o = owner;
    FrontWindow::hide (&o, this);
    o.sendCommand (getCommandId (index));
}
