#include "editor/windows/ReplaceAlertWindow.h"

namespace Orvik
{
    std::unique_ptr<ReplaceAlertWindow> ReplaceAlertWindow::show (AlertWindow::Caller* caller, const juce::String& titleText,
                                                                  const juce::String& itemName,
                                                                  const juce::String& suggestedName,
                                                                  juce::Component* parent, bool canReplace)
    {
        auto alert = std::make_unique<ReplaceAlertWindow> (caller, titleText, itemName, suggestedName, canReplace);
        alert->showInParent (parent);
        return alert;
    }

    ReplaceAlertWindow::ReplaceAlertWindow (AlertWindow::Caller* c, const juce::String& titleText, const juce::String& itemName,
                                            const juce::String& suggestedName, bool canReplace)
        : AlertWindow (c, titleText, "'" + itemName + "' already exists. Please choose an option:"),
          newName (suggestedName)
    {
        if (canReplace)
        {
            addButton (Replace, false, false);
            addButton (ReplaceAll, false, false);
        }

        addButton (Rename, false, false);
        addButton (Skip, false, false);
        addButton (SkipAll, false, false);
        addButton (Cancel, true, false);
    }

    ReplaceAlertWindow::~ReplaceAlertWindow() = default;

    void ReplaceAlertWindow::buttonClicked (juce::Button* button)
    {
        if (button != nullptr && button == getButtonForKind (Rename))
        {
            // A new rename window replaces (and deletes) an earlier one.
            renameWindow = InputTextWindow::run (this, "Rename", "Please enter new name", newName, this);
            return;
        }

        AlertWindow::buttonClicked (button);
    }

    void ReplaceAlertWindow::alertWindowClosed (AlertWindow* alert, int kind)
    {
        if (alert == nullptr || alert != renameWindow.get() || kind != OK)
            return;

        newName = renameWindow->getText();
        renameWindow.reset();   // nothing of it is used after its callback returns
        closeWithButton (buttonKinds.indexOf (Rename));
    }
}
