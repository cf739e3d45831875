#include "editor/windows/AlertWindow.h"

namespace Orvik
{
    juce::String AlertWindow::getButtonLabel (int kind)
    {
        static const juce::StringArray labels { "Cancel", "No", "Yes", "OK", "Overwrite", "SaveAs", "Discard",
                                                "Replace", "Skip", "No To All", "Yes To All", "Replace All",
                                                "Skip All", "Rename" };
        return labels[kind];
    }

    std::unique_ptr<AlertWindow> AlertWindow::show (Caller* caller, const juce::String& titleText,
                                                    const juce::String& messageText, const int* kinds,
                                                    int cancelKind, int returnKind, juce::Component* parent)
    {
        auto alert = std::make_unique<AlertWindow> (caller, titleText, messageText);

        for (auto* k = kinds; k != nullptr && *k >= 0; ++k)
            alert->addButton (*k, *k == cancelKind, *k == returnKind);

        alert->showInParent (parent);
        return alert;
    }

    std::unique_ptr<AlertWindow> AlertWindow::showMessage (Caller* caller, const juce::String& titleText,
                                                           const juce::String& messageText, juce::Component* parent)
    {
        const int kinds[] = { OK, -1 };
        return show (caller, titleText, messageText, kinds, OK, OK, parent);
    }

    std::unique_ptr<AlertWindow> AlertWindow::showYesNo (Caller* caller, const juce::String& titleText,
                                                         const juce::String& messageText, juce::Component* parent)
    {
        const int kinds[] = { Yes, No, -1 };
        return show (caller, titleText, messageText, kinds, No, Yes, parent);
    }

    AlertWindow::AlertWindow (Caller* c, const juce::String& titleText, const juce::String& messageText)
        : WindowComponent ("AlertWindow"), caller (c)
    {
        setTitle (titleText);
        setWantsKeyboardFocus (true);
        message.setText (messageText, juce::dontSendNotification);
        message.setJustificationType (juce::Justification::centredLeft);
        buttonRow.setAlignment (ComponentRow::end);
        buttonRow.setSpacing (6);
        addAndMakeVisible (message);
        addAndMakeVisible (buttonRow);
        lookAndFeelChanged();
    }

    AlertWindow::~AlertWindow() = default;

    juce::TextButton* AlertWindow::addButton (int kind, bool isEscape, bool isReturn, const juce::String& label)
    {
        auto* button = buttons.add (new juce::TextButton (label.isNotEmpty() ? label : getButtonLabel (kind)));
        buttonKinds.add (kind);
        button->addListener (this);
        button->changeWidthToFitText (buttonHeight);
        buttonRow.add (button);
        updateLayout();
        resized();

        if (isEscape)
            escapeButton = button;

        if (isReturn)
            returnButton = button;

        return button;
    }

    juce::TextButton* AlertWindow::getButtonForKind (int kind) const
    {
        const auto index = buttonKinds.indexOf (kind);
        return index >= 0 ? buttons[index] : nullptr;
    }

    void AlertWindow::setMessage (const juce::String& text)
    {
        message.setText (text, juce::dontSendNotification);
        updateLayout();
    }

    void AlertWindow::showInParent (juce::Component* parent)
    {
        if (parent == nullptr)
            parent = dynamic_cast<juce::Component*> (caller);

        // An alert needs a place in the editor.
        jassert (parent != nullptr);

        if (parent == nullptr)
            return;

        parent->addChildComponent (this, -1);
        showModal (parent);
        triggerAsyncUpdate();
    }

    void AlertWindow::showModal (juce::Component*)
    {
        ModalComponent::show();
    }

    void AlertWindow::notifyCaller (int kind)
    {
        if (caller != nullptr)
            caller->alertWindowClosed (this, kind);
    }

    void AlertWindow::updateLayout()
    {
        const auto font = message.getFont();
        const auto text = message.getText();
        juce::StringArray lines;

        if (text.isNotEmpty())
            lines.addTokens (text, "\n", {});

        // The label draws inside its border: the text needs that much more room.
        const auto labelBorder = message.getBorderSize();
        int width = buttonRow.getWidth();

        for (auto& line : lines)
            width = juce::jmax (width, (int) std::ceil (font.getStringWidthFloat (line)) + labelBorder.getLeftAndRight());

        const int height = (int) std::ceil (font.getHeight() * (float) lines.size()) + labelBorder.getTopAndBottom() + 20
            + buttonRow.getHeight();
        setContentSize (width, height);
    }

    void AlertWindow::closeWithButton (int buttonIndex)
    {
        hide();
        const int kind = juce::isPositiveAndBelow (buttonIndex, buttonKinds.size()) ? buttonKinds[buttonIndex] : Cancel;

        // Last thing we do: the caller may delete us.
        if (caller != nullptr)
            caller->alertWindowClosed (this, kind);
    }

    void AlertWindow::focusDefaultButton()
    {
        if (returnButton != nullptr)
            focusWhenShown (*returnButton);
        else
            focusWhenShown (*this);
    }

    void AlertWindow::lookAndFeelChanged()
    {
        WindowComponent::lookAndFeelChanged();
        message.setFont (getLookAndFeel().getAlertWindowMessageFont());
        updateLayout();
    }

    void AlertWindow::resized()
    {
        if (layingOut)
            return;

        const juce::ScopedValueSetter<bool> setter (layingOut, true);
        WindowComponent::resized();

        const auto area = getContentArea();
        const int rowHeight = juce::jmin (area.getHeight(), buttonRow.getHeight());
        buttonRow.setTopRightPosition (area.getRight(), area.getBottom() - rowHeight);
        message.setBounds (area.getX(), area.getY(), area.getWidth(),
                           juce::jmax (0, area.getHeight() - rowHeight - 10));
    }

    void AlertWindow::childBoundsChanged (juce::Component* child)
    {
        if (child == &buttonRow)
            resized();
    }

    bool AlertWindow::keyPressed (const juce::KeyPress& key)
    {
        if (key.getKeyCode() == juce::KeyPress::escapeKey && escapeButton != nullptr)
        {
            buttonClicked (escapeButton);
            return true;
        }

        return false;
    }

    void AlertWindow::parentHierarchyChanged()
    {
        WindowComponent::parentHierarchyChanged();
        sendLookAndFeelChange();
    }

    std::unique_ptr<juce::ComponentTraverser> AlertWindow::createKeyboardFocusTraverser()
    {
        return std::make_unique<FocusTraverser> (*this);
    }

    void AlertWindow::buttonClicked (juce::Button* button)
    {
        if (button == &getCloseButton())
        {
            WindowComponent::buttonClicked (button);

            if (escapeButton != nullptr)
                buttonClicked (escapeButton);
            else if (caller != nullptr)
                caller->alertWindowClosed (this, Cancel);

            return;
        }

        const auto index = buttons.indexOf (dynamic_cast<juce::TextButton*> (button));

        if (index >= 0)
            closeWithButton (index);
    }

    void AlertWindow::handleAsyncUpdate()
    {
        focusDefaultButton();
    }

    //==============================================================================
    AlertWindow::FocusTraverser::FocusTraverser (AlertWindow& a) : alert (a) {}

    juce::Component* AlertWindow::FocusTraverser::getDefaultComponent (juce::Component*)
    {
        return nullptr;
    }

    juce::Component* AlertWindow::FocusTraverser::getNextComponent (juce::Component* current)
    {
        auto& row = alert.buttons;

        if (row.isEmpty())
            return nullptr;

        const auto index = row.indexOf (dynamic_cast<juce::TextButton*> (current));
        return index < 0 || index == row.size() - 1 ? row.getFirst() : row[index + 1];
    }

    juce::Component* AlertWindow::FocusTraverser::getPreviousComponent (juce::Component* current)
    {
        auto& row = alert.buttons;

        if (row.isEmpty())
            return nullptr;

        const auto index = row.indexOf (dynamic_cast<juce::TextButton*> (current));
        return index <= 0 ? row.getLast() : row[index - 1];
    }

    std::vector<juce::Component*> AlertWindow::FocusTraverser::getAllComponents (juce::Component*)
    {
        return { alert.buttons.begin(), alert.buttons.end() };
    }
}
