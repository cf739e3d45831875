#include "skin/ColourEditor.h"
#include "skin/StandardWidgetBuilder.h"

ColourEditor::ValueFilter::ValueFilter()
    : juce::TextEditor::LengthAndCharacterRestriction (8, "0123456789abcdefABCDEF")
{
}

juce::String ColourEditor::ValueFilter::filterNewText (juce::TextEditor& ed, const juce::String& newInput)
{
    return LengthAndCharacterRestriction::filterNewText (ed, newInput).toUpperCase();
}

//==============================================================================
ColourEditor::ColourEditor (const juce::String& name)
    : juce::Component (name)
{
    editor.setSelectAllWhenFocused (true);
    editor.setInputFilter (new ValueFilter(), true);
    editor.setTextToShowWhenEmpty ("AARRBBGG", juce::Colour (0xFF808080));
    editor.addListener (this);

    button.addListener (this);

    addAndMakeVisible (editor);
    addAndMakeVisible (button);
    setSize (100, 20);
}

ColourEditor::~ColourEditor()
{
    // An open selector outlives us in its call-out box: it must not call back.
    if (auto* s = selector.getComponent())
        s->removeChangeListener (this);

    button.removeListener (this);
    editor.removeListener (this);
}

juce::String ColourEditor::colourToText (juce::Colour c)
{
    if (c.getARGB() == 0)
        return {};

    return juce::String::toHexString (c.getARGB()).paddedLeft ('0', 8).toUpperCase();
}

juce::Colour ColourEditor::textToColour (const juce::String& text)
{
    return juce::Colour (parseHexNumber (text.substring (0, 8).paddedRight ('0', 8)));
}

void ColourEditor::setColour (juce::Colour c)
{
    const bool changed = c != colour;
    colour = c;
    writeText();

    if (changed && onColourChange != nullptr)
        onColourChange (colour);
}

void ColourEditor::writeText()
{
    editor.setText (colourToText (colour), false);
}

void ColourEditor::readText()
{
    setColour (textToColour (editor.getText()));
}

void ColourEditor::resized()
{
    const auto bounds = getLocalBounds();
    const int b = juce::jmin (bounds.getWidth(), 20);
    button.setBounds (bounds.getRight() - b, bounds.getY(), b, bounds.getHeight());
    editor.setBounds (bounds.getX(), bounds.getY(), juce::jmax (0, bounds.getWidth() - b - 1), bounds.getHeight());
}

void ColourEditor::buttonClicked (juce::Button* b)
{
    if (b != &button)
        return;

    auto s = std::make_unique<juce::ColourSelector> (15, 4, 7);
    s->setName ("background");
    // Set before we listen and without a message: opening the selector must not change the field.
    s->setCurrentColour (colour.getAlpha() == 0 ? juce::Colour (0xFF808080) : colour, juce::dontSendNotification);
    s->addChangeListener (this);
    s->setColour (juce::ColourSelector::backgroundColourId, juce::Colour (0x00000000));
    s->setSize (300, 400);

    if (auto* old = selector.getComponent())
        old->removeChangeListener (this);

    selector = s.get();
    launchSelector (std::move (s));
}

void ColourEditor::launchSelector (std::unique_ptr<juce::ColourSelector> s)
{
    juce::CallOutBox::launchAsynchronously (std::move (s), editor.getScreenBounds(), nullptr);
}

void ColourEditor::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (auto* s = dynamic_cast<juce::ColourSelector*> (source))
        setColour (s->getCurrentColour());
}

void ColourEditor::textEditorReturnKeyPressed (juce::TextEditor&) { readText(); }
void ColourEditor::textEditorEscapeKeyPressed (juce::TextEditor&) { writeText(); }
void ColourEditor::textEditorFocusLost (juce::TextEditor&) { readText(); }
