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

    constexpr int actionHeight = 20, actionWidth = 90;
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
        actions->close();
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
    {
        actions = std::make_unique<ButtonListPopup> (*this, actionHeight, actionWidth,
                                                     [this] (int index) { sendCommand (getActionCommandId (index)); });
        juce::StringArray texts;

        for (const auto& action : actionTable)
            texts.add (action.text);

        actions->setItems (texts, -1);
    }

    actions->show();
}

bool PresetNameDisplay::areActionsOpen() const
{
    return actions != nullptr && actions->isOpen();
}

int PresetNameDisplay::getActionCommandId (int index)
{
    return juce::isPositiveAndBelow (index, (int) std::size (actionTable)) ? actionTable[index].commandId : -1;
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
