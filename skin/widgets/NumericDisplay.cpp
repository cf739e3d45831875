#include "skin/widgets/NumericDisplay.h"
#include "skin/EmbeddedIcons.h"
#include "skin/StandardWidgetBuilder.h"
#include "skin/widgets/ImgKnob.h"

const juce::String NumericDisplay::defaultCharset ("0123456789-. ");

NumericDisplay::NumericDisplay (const juce::ValueTree& element, Skin& skin)
    : juce::Component (element.getProperty ("name").toString()),
      BaseGFXController (*this, EmbeddedIconKey::imgAnim, false)
{
    charset = element.getProperty ("charset", defaultCharset).toString();
    textColour = element.hasProperty ("txtCol") ? parseColour (element.getProperty ("txtCol"))
                                                : juce::Colour (0xffff3b2f);
    fontSize = (float) juce::jlimit (4, 200, readIntAttribute (element, "fontSize", 14));

    BaseGFXController::loadFromXml (element, skin);
    GUIController::loadFromXml (element, skin);
    createContainer (element, *this);
}

NumericDisplay::~NumericDisplay() = default;

void NumericDisplay::updateFromParameter()
{
    if (auto* p = getParameter())
    {
        const auto newText = p->getTextForValue (p->getValue());

        if (newText != text)
        {
            text = newText;
            repaint();
        }
    }
}

void NumericDisplay::paint (juce::Graphics& g)
{
    if (! strip.isValid())
    {
        g.setColour (textColour);
        g.setFont (fontSize);
        g.drawText (text, getLocalBounds().reduced (2, 0), juce::Justification::centredRight, false);
        return;
    }

    // Glyphs keep the strip's aspect ratio at the display's height, laid out from the right.
    const float scale = (float) getHeight() / (float) strip.getFrameHeight();
    const int glyphWidth = juce::jmax (1, juce::roundToInt ((float) strip.getFrameWidth() * scale));
    int x = getWidth();

    for (int i = text.length(); --i >= 0 && x > -glyphWidth;)
    {
        const int index = charset.indexOfChar (text[i]);

        if (index < 0 || index >= strip.getFrameCount())
            continue;

        x -= glyphWidth;
        strip.drawFrame (g, index, { x, 0, glyphWidth, getHeight() });
    }
}

void NumericDisplay::mouseDown (const juce::MouseEvent& e)
{
    auto* p = getParameter();

    if (p == nullptr || e.mods.isPopupMenu() || e.mods.isShiftDown())
        return;

    dragging = true;
    dragValue = p->getNormalisedValue();
    lastDragPosition = e.position;
    beginGesture();
    notifyDragStarted();
}

void NumericDisplay::mouseDrag (const juce::MouseEvent& e)
{
    auto* p = getParameter();

    if (! dragging || p == nullptr)
        return;

    const float dy = lastDragPosition.y - e.position.y;
    lastDragPosition = e.position;
    const bool fine = e.mods.isCommandDown() || e.mods.isAltDown();
    dragValue = juce::jlimit (0.0f, 1.0f, dragValue + dy / ImgKnob::pixelsPerRange * (fine ? ImgKnob::fineFactor : 1.0f));

    const float before = p->getNormalisedValue();
    setParameterNormalised (dragValue);

    if (p->getNormalisedValue() != before)
    {
        updateFromParameter();
        notifyValueChanged();
    }
}

void NumericDisplay::mouseUp (const juce::MouseEvent&)
{
    if (! dragging)
        return;

    dragging = false;
    endGesture();
    notifyDragEnded();
}
