#pragma once

#include <juce_gui_extra/juce_gui_extra.h>
#include <functional>
#include <memory>

/** A small colour field: eight hexadecimal ARGB digits and a "#" button that opens a colour
    selector in a call-out box. */
class ColourEditor : public juce::Component,
                     private juce::Button::Listener,
                     private juce::ChangeListener,
                     private juce::TextEditor::Listener
{
public:
    /** The field's input filter: at most eight hexadecimal digits, made upper case. */
    class ValueFilter : public juce::TextEditor::LengthAndCharacterRestriction
    {
    public:
        ValueFilter();
        juce::String filterNewText (juce::TextEditor& editor, const juce::String& newInput) override;
    };

    explicit ColourEditor (const juce::String& name);
    ~ColourEditor() override;

    using juce::Component::setColour;
    /** Stores the colour and rewrites the text (the text also when the colour is the same). */
    void setColour (juce::Colour c);
    juce::Colour getColour() const noexcept { return colour; }
    /** Called after every change of the colour. */
    std::function<void (juce::Colour)> onColourChange;

    juce::TextEditor& getEditor() noexcept { return editor; }
    juce::TextButton& getButton() noexcept { return button; }

    /** The field's text of a colour: empty for 0x00000000, else eight upper-case digits. */
    static juce::String colourToText (juce::Colour c);
    /** The field's text padded on the right with "0" to eight digits, as ARGB. */
    static juce::Colour textToColour (const juce::String& text);

    void resized() override;

protected:
    /** Shows the selector; by default in a call-out box pointing at the field. */
    virtual void launchSelector (std::unique_ptr<juce::ColourSelector> selector);

private:
    void buttonClicked (juce::Button* b) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    void textEditorFocusLost (juce::TextEditor&) override;
    void readText();
    void writeText();

    juce::Colour colour { 0x00000000 };
    juce::TextEditor editor;
    juce::TextButton button { "#" };
    juce::Component::SafePointer<juce::ColourSelector> selector;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ColourEditor)
};
