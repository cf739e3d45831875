#pragma once

#include "editor/windows/InputTextWindow.h"

namespace Orvik
{
    /** "An item of that name already exists": Replace, Replace All, Rename, Skip, Skip All or
        Cancel. Rename asks for a new name first and answers Rename only once one was entered. */
    class ReplaceAlertWindow : public AlertWindow,
                               public AlertWindow::Caller
    {
    public:
        /** parent null: the caller as component. The result belongs to the opener. Without
            canReplace (the name is taken by something that is no item), Replace and Replace All
            are not offered. */
        static std::unique_ptr<ReplaceAlertWindow> show (AlertWindow::Caller* caller, const juce::String& titleText,
                                                         const juce::String& itemName,
                                                         const juce::String& suggestedName,
                                                         juce::Component* parent = nullptr, bool canReplace = true);

        using AlertWindow::show;

        ReplaceAlertWindow (AlertWindow::Caller* caller, const juce::String& titleText, const juce::String& itemName,
                            const juce::String& suggestedName, bool canReplace = true);
        ~ReplaceAlertWindow() override;

        /** The suggested name, or the one entered through Rename. */
        const juce::String& getNewName() const noexcept { return newName; }
        InputTextWindow* getRenameWindow() const noexcept { return renameWindow.get(); }

        void buttonClicked (juce::Button* button) override;
        void alertWindowClosed (AlertWindow* alert, int kind) override;

    private:
        juce::String newName;
        std::unique_ptr<InputTextWindow> renameWindow;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ReplaceAlertWindow)
    };
}
