#include "editor/EditorGestures.h"
#include "core/parameters/StringParameter.h"
#include "editor/BasePluginEditor.h"
#include "editor/EditorDialogs.h"
#include "editor/StatusBar.h"
#include "skin/Panel.h"
#include "skin/widgets/ImgSwitch.h"
#include "skin/widgets/PresetNameDisplay.h"
#include "skin/widgets/TextDisplay.h"

EditorGestures::EditorGestures (BasePluginEditor& e)
    : editor (e), plugin (e.getPlugin())
{
}

EditorGestures::~EditorGestures() = default;

bool EditorGestures::isInsideRootPanel (juce::Component* component) const
{
    auto* rootPanel = editor.getRootPanel();
    return rootPanel != nullptr && component != nullptr && component != rootPanel
        && rootPanel->isParentOf (component);
}

juce::Component* EditorGestures::findControl (juce::Component* pressed) const
{
    // The pressed component may be a part of a widget (a text field, a container's caption).
    for (auto* c = pressed; c != nullptr && c != editor.getRootPanel(); c = c->getParentComponent())
        if (dynamic_cast<GUIController*> (c) != nullptr || dynamic_cast<ParameterController*> (c) != nullptr)
            return c;

    return nullptr;
}

Parameter* EditorGestures::getControlParameter (juce::Component* control, const juce::MouseEvent& event,
                                                juce::Component*& anchor)
{
    if (control == nullptr)
        return nullptr;

    anchor = control;

    if (auto* gui = dynamic_cast<GUIController*> (control))
        return gui->getParameterForMouseEvent (event, anchor);

    return dynamic_cast<ParameterController*> (control)->getParameter (0);
}

bool EditorGestures::isResetAllowed (juce::Component* control)
{
    if (auto* gui = dynamic_cast<GUIController*> (control))
        return gui->isResetAllowed();

    auto* controller = dynamic_cast<ParameterController*> (control);
    return controller == nullptr || controller->isResetAllowed();
}

Parameter* EditorGestures::findControlParameter (juce::Component* pressed, const juce::MouseEvent& event,
                                                 juce::Component*& anchor) const
{
    return getControlParameter (findControl (pressed), event, anchor);
}

void EditorGestures::mouseDown (const juce::MouseEvent& event)
{
    auto* pressed = event.eventComponent;
    auto* presetNameControl = editor.getPresetNameControl();

    // A right-click on the preset name opens its actions instead.
    if (pressed != nullptr && presetNameControl != nullptr && pressed == presetNameControl)
    {
        if (! event.mods.isPopupMenu())
            editor.togglePresetBrowser();

        return;
    }

    if (! isInsideRootPanel (pressed))
        return;

    if (event.mods.isShiftDown() && event.mods.isLeftButtonDown())
    {
        restoreControlParameter (pressed, event);
    }
    else if (event.mods.isPopupMenu())
    {
        juce::Component* anchor = nullptr;

        if (auto* p = findControlParameter (pressed, event, anchor))
            openParameterInfo (p, anchor != nullptr ? anchor : pressed);
    }
}

void EditorGestures::mouseDoubleClick (const juce::MouseEvent& event)
{
    auto* pressed = event.eventComponent;

    if (! event.mods.isLeftButtonDown() || ! isInsideRootPanel (pressed))
        return;

    auto* control = findControl (pressed);
    juce::Component* anchor = nullptr;
    auto* p = getControlParameter (control, event, anchor);

    if (p == nullptr || anchor == nullptr)
        return;

    // Switches and text fields use double clicks themselves.
    if (dynamic_cast<ImgSwitch*> (anchor) != nullptr || dynamic_cast<TextDisplay*> (anchor) != nullptr)
        return;

    if (isResetAllowed (control))
        restoreParameter (p);
}

void EditorGestures::restoreControlParameter (juce::Component* control, const juce::MouseEvent& event)
{
    juce::Component* anchor = nullptr;
    restoreParameter (findControlParameter (control, event, anchor));
}

void EditorGestures::restoreParameter (Parameter* parameter)
{
    if (parameter == nullptr)
        return;

    plugin.reloadParameterValue (parameter->getId());
    editor.parameterRestored (parameter);
    showParameterValue (parameter);
}

void EditorGestures::openParameterInfo (Parameter* parameter, juce::Component* anchor)
{
    if (parameter == nullptr || dynamic_cast<StringParameter*> (parameter) != nullptr
        || ! plugin.getParameterManager().canLearnMidi (parameter))
        return;

    if (parameterInfo != nullptr && parameterInfo->hasParameter (parameter))
        return;

    plugin.getMidiControlMap().endLearning (false);

    if (parameterInfo != nullptr)
    {
        parameterInfoOption = parameterInfo->getOption();

        // Closing it through the front layer retires it (popupClosed); one that is not in
        // front any more is retired here. Either way it is deleted once, later.
        if (! editor.closeParameterInfo (parameterInfo.get()))
            editor.editorDialogs->retire (std::move (parameterInfo));
    }

    parameterInfoAnchor = anchor;
    parameterInfo = std::make_unique<ParameterInfo> (plugin, parameter, parameterInfoOption);
    parameterInfo->addListener (&editor);
    editor.showParameterInfo (parameterInfo.get());
    editor.getStatusBar()->showTimedMessage ({}, 0, true);
}

void EditorGestures::showParameterInfo (ParameterInfo* info)
{
    if (info == nullptr)
        return;

    juce::Component* anchor = parameterInfoAnchor != nullptr ? parameterInfoAnchor.getComponent() : &editor;
    auto* rootPanel = editor.getRootPanel();
    const int available = rootPanel != nullptr ? rootPanel->getWidth() : editor.getWidth();
    const int anchorX = anchor == &editor ? 0 : editor.getLocalPoint (anchor, juce::Point<int>()).x;

    if (anchorX + anchor->getWidth() + info->getWidth() < available)
        editor.showFront (&editor, info, anchor, juce::Justification::centredLeft, juce::Justification::centredRight, { 5, 0 });
    else
        editor.showFront (&editor, info, anchor, juce::Justification::centredRight, juce::Justification::centredLeft, { -5, 0 });
}

void EditorGestures::popupClosed (juce::Component* popup)
{
    if (popup == nullptr || popup != parameterInfo.get())
        return;

    parameterInfoOption = parameterInfo->getOption();
    // The pop-up may be closing from inside one of its own handlers: it is deleted later.
    editor.editorDialogs->retire (std::move (parameterInfo));

    auto& map = plugin.getMidiControlMap();

    if (map.isLearning())
        map.endLearning (false);
}

void EditorGestures::showParameterValue (Parameter* parameter)
{
    auto* statusBar = editor.getStatusBar();

    if (parameter == nullptr || statusBar == nullptr)
        return;

    const auto text = parameter->getValueText();

    if (text.isEmpty())
        return;

    const auto name = plugin.getParameterDisplayName (parameter->getId());
    statusBar->showTimedMessage (text == "@" ? name : name + ": " + text, BasePluginEditor::valueMessageLevel, false);
}

void EditorGestures::handleHiddenCommand (GUIController* control)
{
    auto* p = control != nullptr ? control->getParameter() : nullptr;

    if (p == nullptr)
        return;

    const auto buildText = plugin.getBuildText();

    if (p->getId() == editor.getHiddenCommandParameterId() && buildText != "0" && p->getText() == BasePluginEditor::hiddenCommandWord)
    {
        editor.getStatusBar()->showTimedMessage (juce::String (BasePluginEditor::hiddenCommandWord) + ": " + buildText, 0, true);
        return;
    }

    if (parameterInfo == nullptr)
        showParameterValue (p);
}

void EditorGestures::controllerValueChanged (ParameterController* controller)
{
    if (controller != nullptr && parameterInfo == nullptr)
        showParameterValue (controller->getParameter (0));
}
