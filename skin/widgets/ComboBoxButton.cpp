#include "skin/widgets/ComboBoxButton.h"
#include "skin/DefaultLookAndFeel.h"

ComboBoxButton::ComboBoxButton (const juce::String& name)
    : juce::Button (name)
{
    setWantsKeyboardFocus (false);
    menu.addListener (this);
}

ComboBoxButton::~ComboBoxButton()
{
    menu.removeListener (this);
    removeAllParameters();
}

void ComboBoxButton::setParameter (Parameter* parameter)
{
    removeAllParameters();
    menu.clear();
    setButtonText ({});

    if (parameter == nullptr)
        return;

    const auto names = parameter->getItemNames();

    for (int i = 0; i < names.size(); ++i)
        menu.addItem (i, names[i]);

    addParameter (parameter);
}

bool ComboBoxButton::acceptsParameter (Parameter* parameter)
{
    return parameter != nullptr && ! parameter->getItemNames().isEmpty();
}

void ComboBoxButton::parameterValueChanged (Parameter* parameter)
{
    if (parameter == nullptr)
        return;

    const int index = parameter->getIntValue();
    auto* item = menu.findItem (index);
    setButtonText (item != nullptr ? item->text : juce::String ("---"));
    menu.setItemTicked (index, true, true);
}

void ComboBoxButton::clicked()
{
    if (getNumParameters() == 0)
        return;

    open = true;
    menu.show (this, {}, {}, PopupMenuEx::placeBelow);
    repaint();
}

void ComboBoxButton::menuItemChosen (PopupMenuEx* m, int itemId, bool)
{
    if (m != &menu)
        return;

    open = false;

    if (auto* p = getParameter (0))
    {
        beginChangeGesture (p);
        setIntValue (itemId, p);
        endChangeGesture (p);
        parameterValueChanged (p);
    }

    repaint();
}

void ComboBoxButton::menuDismissed (PopupMenuEx* m)
{
    if (m != &menu)
        return;

    open = false;
    repaint();
}

void ComboBoxButton::paintButton (juce::Graphics& g, bool isMouseOverButton, bool)
{
    const auto bounds = getLocalBounds().toFloat();
    const auto fill = isMouseOverButton ? juce::Colour (0xFFEEEEEE) : juce::Colour (0xFFE3E3E3);
    fillRoundedWithColour (g, bounds.reduced (1.0f), fill, 1.5f);
    g.setColour (open ? juce::Colour (0xFFFF4500).withAlpha (0.75f) : juce::Colours::white);
    g.drawRoundedRectangle (bounds, 1.5f, 1.0f);

    auto font = juce::Font (14.0f);

    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        font = lf->getPrimaryFont();

    g.setColour (isEnabled() ? juce::Colours::black : juce::Colours::grey);
    g.setFont (font);
    g.drawText (getButtonText(), 4, 0, juce::jmax (0, getWidth() - 18), getHeight(),
                juce::Justification::centredLeft, true);

    const float x0 = (float) (getWidth() - 4) - 3.5f;
    const float cy = (float) getHeight() / 2.0f;
    juce::Path arrow;
    arrow.addTriangle (x0 - 3.0f, cy - 3.0f, x0 + 3.0f, cy - 3.0f, x0, cy + 3.0f);
    g.fillPath (arrow);
}
