#pragma once

#include "editor/windows/WindowComponent.h"
#include "skin/ComponentRow.h"
#include <memory>

namespace Orvik
{
    /** A modal message box inside the editor: a message and a right-aligned row of buttons of
        fixed kinds. The chosen kind goes to the Caller; answering hides the alert, and whoever
        opened it keeps and deletes it (a caller may delete it from alertWindowClosed). */
    class AlertWindow : public WindowComponent,
                        public juce::AsyncUpdater
    {
    public:
        /** Button kinds; each is also the index of its label. Kind lists end with -1. */
        enum ButtonKind
        {
            Cancel = 0,
            No,
            Yes,
            OK,
            Overwrite,
            SaveAs,
            Discard,
            Replace,
            Skip,
            NoToAll,
            YesToAll,
            ReplaceAll,
            SkipAll,
            Rename,
            numButtonKinds
        };

        /** The label of a kind; empty for a value outside the table. */
        static juce::String getButtonLabel (int kind);

        class Caller
        {
        public:
            virtual ~Caller() = default;
            /** The alert answered kind. The caller may delete the alert here. */
            virtual void alertWindowClosed (AlertWindow* alert, int kind) = 0;
        };

        /** Builds an alert with one button per kind (up to the first negative value) and shows it
            in parent, or in the caller when parent is null (the caller must then be a
            component). The result belongs to the opener. */
        static std::unique_ptr<AlertWindow> show (Caller* caller, const juce::String& titleText,
                                                  const juce::String& message, const int* kinds,
                                                  int cancelKind, int returnKind,
                                                  juce::Component* parent = nullptr);
        /** One "OK" that answers Return, Escape and the close button. */
        static std::unique_ptr<AlertWindow> showMessage (Caller* caller, const juce::String& titleText,
                                                         const juce::String& message,
                                                         juce::Component* parent = nullptr);
        /** "Yes" (Return) then "No" (Escape and the close button). */
        static std::unique_ptr<AlertWindow> showYesNo (Caller* caller, const juce::String& titleText,
                                                       const juce::String& message,
                                                       juce::Component* parent = nullptr);

        /** Showing an existing alert again. */
        using ModalComponent::show;

        AlertWindow (Caller* caller, const juce::String& titleText, const juce::String& messageText);
        ~AlertWindow() override;

        /** An empty label takes the kind's label. A later flagged button replaces an earlier
            escape or return button. */
        juce::TextButton* addButton (int kind, bool isEscape, bool isReturn, const juce::String& label = {});
        void setMessage (const juce::String& text);
        juce::String getMessage() const { return message.getText(); }

        /** Adds the alert on top of parent, or of the caller when parent is null (the caller
            must then be a component), and shows it modally. */
        void showInParent (juce::Component* parent);
        /** Tells the caller a kind without closing. */
        void notifyCaller (int kind);

        virtual void showModal (juce::Component* parent);
        virtual void updateLayout();
        /** Hides the alert and tells the caller the button's kind (0 for an unknown index). */
        virtual void closeWithButton (int buttonIndex);
        /** Message thread. Focuses the return button, or the alert itself when there is none, once
            the alert is on the screen. */
        virtual void focusDefaultButton();

        int getNumButtons() const noexcept { return buttons.size(); }
        juce::TextButton* getButton (int index) const { return buttons[index]; }
        int getButtonKind (int index) const { return buttonKinds[index]; }
        /** The first button of a kind, or null. */
        juce::TextButton* getButtonForKind (int kind) const;
        juce::TextButton* getReturnButton() const noexcept { return returnButton; }
        juce::TextButton* getEscapeButton() const noexcept { return escapeButton; }
        juce::Label& getMessageLabel() noexcept { return message; }
        ComponentRow& getButtonRow() noexcept { return buttonRow; }
        Caller* getCaller() const noexcept { return caller; }

        bool dimsBackground() const override { return true; }
        void lookAndFeelChanged() override;
        void resized() override;
        void childBoundsChanged (juce::Component* child) override;
        bool keyPressed (const juce::KeyPress& key) override;
        void parentHierarchyChanged() override;
        std::unique_ptr<juce::ComponentTraverser> createKeyboardFocusTraverser() override;
        void buttonClicked (juce::Button* button) override;
        // Message thread.
        void handleAsyncUpdate() override;

        static constexpr int buttonHeight = 22;

    protected:
        /** Moves the keyboard focus among the alert's buttons only. */
        class FocusTraverser : public juce::KeyboardFocusTraverser
        {
        public:
            explicit FocusTraverser (AlertWindow& alert);

            juce::Component* getDefaultComponent (juce::Component* parent) override;
            juce::Component* getNextComponent (juce::Component* current) override;
            juce::Component* getPreviousComponent (juce::Component* current) override;
            std::vector<juce::Component*> getAllComponents (juce::Component* parent) override;

        private:
            AlertWindow& alert;
        };

        Caller* caller;
        // Declared before the row that holds them: the row goes first, taking its children out
        // without laying itself out again, and the buttons then go with no parent to tell.
        juce::OwnedArray<juce::TextButton> buttons;
        juce::Array<int> buttonKinds;
        ComponentRow buttonRow;
        juce::Label message;
        juce::TextButton* returnButton = nullptr;
        juce::TextButton* escapeButton = nullptr;

    private:
        bool layingOut = false;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AlertWindow)
    };
}
