#include "skin/widgets/TextDisplay.h"
#include "core/parameters/StringParameter.h"
#include "skin/EmbeddedIcons.h"
#include "skin/StandardWidgetBuilder.h"

TextDisplay::TextDisplay (const juce::ValueTree& element, Skin& skin)
    : juce::Label (element.getProperty ("name").toString(), element.getProperty ("text").toString()),
      BaseGFXController (*this, EmbeddedIconKey::imgAnim, false)
{
    setJustificationType (element.hasProperty ("justification")
                              ? juce::Justification (parseJustification (element.getProperty ("justification")))
                              : juce::Justification::centred);

    setColour (juce::Label::textColourId, element.hasProperty ("txtCol") ? parseColour (element.getProperty ("txtCol")) : juce::Colours::white);
    setColour (juce::Label::backgroundColourId, element.hasProperty ("bkgCol") ? parseColour (element.getProperty ("bkgCol")) : juce::Colours::transparentBlack);
    setColour (juce::Label::outlineColourId, juce::Colours::transparentBlack);
    setBorderSize ({ 1, 2, 1, 2 });

    const int size = readIntAttribute (element, "fontSize", (int) defaultFontSize);
    auto labelFont = getFont().withHeight ((float) juce::jlimit (4, 200, size));
    labelFont.setBold (readBoolAttribute (element, "bold"));
    setFont (labelFont);

    setEditable (readBoolAttribute (element, "editable"), false, false);
    setMinimumHorizontalScale (0.7f);

    BaseGFXController::loadFromXml (element, skin);
    GUIController::loadFromXml (element, skin);
    createContainer (element, *this);
}

TextDisplay::~TextDisplay() = default;

void TextDisplay::updateFromParameter()
{
    if (auto* p = getParameter())
    {
        const auto text = p->getValueText();
        setText (text == "@" ? p->getDisplayName() : text, juce::dontSendNotification);
    }
}

void TextDisplay::paint (juce::Graphics& g)
{
    drawCurrentFrame (g, getLocalBounds());
    juce::Label::paint (g);
}

void TextDisplay::textWasEdited()
{
    if (auto* p = getParameter())
    {
        const auto text = getText();
        beginGesture();

        // A text parameter takes the text itself; the others read it as a value.
        if (dynamic_cast<StringParameter*> (p) != nullptr)
            p->setText (text, true);
        else
            p->setValue (p->getValueForText (text), true);

        endGesture();
        notifyValueChanged();
        updateFromParameter();
    }

    notifyDragEnded();
}
