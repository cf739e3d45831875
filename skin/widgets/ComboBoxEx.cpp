#include "skin/widgets/ComboBoxEx.h"
#include "skin/DefaultLookAndFeel.h"

ComboBoxEx::ComboBoxEx (const juce::String& name)
    : juce::Component (name)
{
    menu.addListener (this);
    updateText();
}

ComboBoxEx::~ComboBoxEx()
{
    menu.removeListener (this);

    if (sharedMenu != nullptr)
        sharedMenu->removeListener (this);

    listeners.clear();
}

void ComboBoxEx::setSelectedId (int id, bool notify)
{
    if (id == selectedId)
        return;

    selectedId = id;

    if (notify)
        listeners.call ([this] (Listener& l) { l.comboBoxExChanged (this); });

    // A value that came from the parameter is not sent back to it.
    if (auto* p = getParameter (0); p != nullptr && p->getIntValue() != id)
        setIntValue (id, p);

    updateText();
}

void ComboBoxEx::setMenu (const PopupMenuEx& source, bool skipIfSameName)
{
    if (&source == &menu || (skipIfSameName && source.getName() == menu.getName()))
        return;

    menu = source;
    updateText();
}

void ComboBoxEx::setSharedMenu (PopupMenuEx* shared)
{
    if (sharedMenu == shared)
        return;

    if (sharedMenu != nullptr)
        sharedMenu->removeListener (this);

    sharedMenu = shared;

    if (sharedMenu != nullptr)
        sharedMenu->addListener (this);

    updateText();
}

void ComboBoxEx::updateText()
{
    auto& m = getMenuInUse();
    auto* item = m.findItem (selectedId);
    const auto newText = item != nullptr ? item->text : juce::String ("---");

    if (newText != text)
    {
        text = newText;
        repaint();
    }

    const bool italic = item == nullptr || ! item->enabled;

    if (italic != font.isItalic())
    {
        font.setItalic (italic);
        repaint();
    }

    m.setItemTicked (selectedId, true, true);
}

void ComboBoxEx::addListener (Listener* listener)
{
    listeners.add (listener);
}

void ComboBoxEx::removeListener (Listener* listener)
{
    listeners.remove (listener);
}

void ComboBoxEx::mouseDown (const juce::MouseEvent&)
{
    updateText();
    getMenuInUse().show (this, {}, {}, PopupMenuEx::placeBelow);
    open = true;
    repaint();
}

void ComboBoxEx::menuItemChosen (PopupMenuEx* m, int itemId, bool)
{
    if (m == nullptr || m->getTargetComponentName() != getName())
        return;

    if (m == &menu || m == sharedMenu)
        setSelectedId (itemId, true);

    open = false;
    repaint();
}

void ComboBoxEx::menuDismissed (PopupMenuEx* m)
{
    if (m == nullptr || m->getTargetComponentName() != getName())
        return;

    open = false;
    repaint();
}

void ComboBoxEx::parameterValueChanged (Parameter* parameter)
{
    if (parameter != nullptr)
        setSelectedId (parameter->getIntValue(), false);
}

void ComboBoxEx::resized()
{
    const float x0 = (float) (getWidth() - 4) - 3.5f;
    const float cy = (float) getHeight() / 2.0f;
    arrow.clear();
    arrow.startNewSubPath (x0 - 3.0f, cy - 3.0f);
    arrow.lineTo (x0 + 3.0f, cy - 3.0f);
    arrow.lineTo (x0, cy + 3.0f);
    arrow.closeSubPath();
}

void ComboBoxEx::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    fillRoundedWithColour (g, bounds.reduced (1.0f), juce::Colour (0xFFE3E3E3), 1.5f);
    g.setColour (open ? juce::Colour (0xFFFF4500).withAlpha (0.75f) : juce::Colours::white);
    g.drawRoundedRectangle (bounds, 1.5f, 1.0f);

    g.setColour (juce::Colours::black);
    g.setFont (font);
    g.drawText (text, 4, 0, getWidth(), getHeight(), juce::Justification::centredLeft, false);

    g.setColour (juce::Colour::greyLevel (0.75f));
    const float separatorX = (float) (getWidth() - 13);
    g.drawLine (separatorX, bounds.getY() + 2.0f, separatorX, bounds.getBottom() - 2.0f);

    g.setColour (juce::Colours::black);
    g.fillPath (arrow);
}
