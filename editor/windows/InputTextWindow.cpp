#include "editor/windows/InputTextWindow.h"
#include "skin/DefaultLookAndFeel.h"

namespace Orvik
{
    std::unique_ptr<InputTextWindow> InputTextWindow::run (Caller* caller, const juce::String& titleText,
                                                           const juce::String& prompt, const juce::String& initialText,
                                                           juce::Component* parent)
    {
        auto window = std::make_unique<InputTextWindow> (caller, titleText, prompt, initialText);
        window->showInParent (parent);
        return window;
    }

    InputTextWindow::InputTextWindow (Caller* c, const juce::String& titleText, const juce::String& prompt,
                                      const juce::String& initialText)
        : AlertWindow (c, titleText, prompt)
    {
        addButton (OK, false, true);
        addButton (Cancel, true, false);

        textField.setMultiLine (false);
        textField.setPasswordCharacter (0);
        textField.setSelectAllWhenFocused (true);
        textField.setIndents (3, 3);
        textField.setText (initialText, false);
        textField.addListener (this);
        addAndMakeVisible (textField);
        resized();
    }

    InputTextWindow::~InputTextWindow()
    {
        textField.removeListener (this);
    }

    void InputTextWindow::showCentred()
    {
        ModalComponent::show (nullptr, {}, Centred);
    }

    void InputTextWindow::textEditorReturnKeyPressed (juce::TextEditor&)
    {
        if (returnButton != nullptr)
            buttonClicked (returnButton);
    }

    void InputTextWindow::textEditorEscapeKeyPressed (juce::TextEditor&)
    {
        if (escapeButton != nullptr)
            buttonClicked (escapeButton);
    }

    void InputTextWindow::focusDefaultButton()
    {
        focusWhenShown (textField);
    }

    void InputTextWindow::lookAndFeelChanged()
    {
        AlertWindow::lookAndFeelChanged();

        if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
            textField.applyFontToAllText (lf->getPrimaryFont());
    }

    void InputTextWindow::resized()
    {
        AlertWindow::resized();

        const auto area = getContentArea();
        const int rowHeight = juce::jmin (area.getHeight(), buttonRow.getHeight());
        int labelHeight = area.getHeight() - rowHeight;
        labelHeight -= juce::jmin (labelHeight, 10);
        labelHeight -= juce::jmin (labelHeight, 20);

        message.setBounds (area.getX(), area.getY(), area.getWidth(), labelHeight);
        textField.setBounds (area.getX(), area.getY() + labelHeight + 4, area.getWidth(), 20);
        buttonRow.setTopRightPosition (area.getRight(), area.getBottom() - rowHeight);
    }
}
