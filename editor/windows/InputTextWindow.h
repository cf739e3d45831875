#pragma once

#include "editor/windows/AlertWindow.h"

namespace Orvik
{
    /** An alert with a one-line text field: "OK" (Return) and "Cancel" (Escape). */
    class InputTextWindow : public AlertWindow,
                            public juce::TextEditor::Listener
    {
    public:
        /** Shows a new window in parent, or in the caller when parent is null. */
        static std::unique_ptr<InputTextWindow> run (Caller* caller, const juce::String& titleText,
                                                     const juce::String& prompt,
                                                     const juce::String& initialText,
                                                     juce::Component* parent = nullptr);

        InputTextWindow (Caller* caller, const juce::String& titleText, const juce::String& prompt,
                         const juce::String& initialText);
        ~InputTextWindow() override;

        juce::String getText() const { return textField.getText(); }
        juce::TextEditor& getTextField() noexcept { return textField; }

        /** Shows it again, centred. */
        virtual void showCentred();

        void textEditorReturnKeyPressed (juce::TextEditor&) override;
        void textEditorEscapeKeyPressed (juce::TextEditor&) override;

        void focusDefaultButton() override;
        void lookAndFeelChanged() override;
        void resized() override;

    private:
        juce::TextEditor textField;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (InputTextWindow)
    };
}
