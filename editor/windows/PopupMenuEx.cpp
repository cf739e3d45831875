#include "editor/windows/PopupMenuEx.h"
#include "skin/DefaultLookAndFeel.h"

PopupMenuEx::PopupMenuEx (const juce::String& n) : name (n) {}

PopupMenuEx::PopupMenuEx (const PopupMenuEx& other)
{
    *this = other;
}

PopupMenuEx& PopupMenuEx::operator= (const PopupMenuEx& other)
{
    if (&other == this)
        return *this;

    name = other.name;
    tickStyle = other.tickStyle;
    tickOnRight = other.tickOnRight;

    items.clear();

    for (auto* item : other.items)
    {
        auto* copy = items.add (new Item (*item));
        copy->owner = this;
    }

    itemsChanged();
    return *this;
}

PopupMenuEx::~PopupMenuEx()
{
    cancelPendingUpdate();
    popup.reset();
}

void PopupMenuEx::addItem (int id, const juce::String& text, bool ticked, bool enabled)
{
    auto* item = items.add (new Item());
    item->owner = this;
    item->id = id;
    item->text = text;
    item->alternativeText = text;
    item->ticked = ticked;
    item->enabled = enabled;
    itemsChanged();
}

void PopupMenuEx::clear()
{
    items.clear();
    itemsChanged();
}

void PopupMenuEx::itemsChanged()
{
    if (popup != nullptr)
        if (auto* w = popup->getWindow())
            w->itemsChanged();
}

PopupMenuEx::Item* PopupMenuEx::findItem (int id) const
{
    for (auto* item : items)
        if (item->id == id)
            return item;

    return nullptr;
}

void PopupMenuEx::setItemTicked (int id, bool ticked, bool clearOthers)
{
    for (auto* item : items)
    {
        if (item->id == id)
            item->ticked = ticked;
        else if (clearOthers)
            item->ticked = false;
    }

    repaintPopup();
}

void PopupMenuEx::addListener (Listener* listener)
{
    listeners.add (listener);
}

void PopupMenuEx::removeListener (Listener* listener)
{
    listeners.remove (listener);
}

juce::String PopupMenuEx::getTargetComponentName() const
{
    return target != nullptr ? target->getName() : juce::String();
}

juce::Rectangle<int> PopupMenuEx::getTargetArea() const
{
    if (target == nullptr || popup == nullptr)
        return {};

    const auto area = targetSize.x >= 1 && targetSize.y >= 1
        ? juce::Rectangle<int> (targetPosition.x, targetPosition.y, targetSize.x, targetSize.y)
        : target->getLocalBounds();
    return popup->getLocalArea (target.getComponent(), area);
}

void PopupMenuEx::show (juce::Component* newTarget, juce::Point<int> position, juce::Point<int> size, int newPlacement)
{
    if (newTarget == nullptr)
        return;

    if (popup == nullptr)
        popup = std::make_unique<PopupMenuComponent> (*this);
    else
        popup->hide();   // so that the layer opens its window again

    target = newTarget;
    targetPosition = position;
    targetSize = size;
    placement = newPlacement;
    choicePending = dismissalPending = false;

    newTarget->addChildComponent (popup.get(), -1);
    popup->showAt (newTarget, {});
}

void PopupMenuEx::itemPressed (const Item& item)
{
    choicePending = true;
    chosenId = item.id;
    chosenTicked = item.ticked;
    triggerAsyncUpdate();
}

void PopupMenuEx::dismissPressed()
{
    dismissalPending = true;
    triggerAsyncUpdate();
}

void PopupMenuEx::handleAsyncUpdate()
{
    if (choicePending)
    {
        choicePending = false;
        dismissalPending = false;
        notifyItemChosen();
    }
    else if (dismissalPending)
    {
        dismissalPending = false;
        notifyDismissed();
    }
}

void PopupMenuEx::closePopup()
{
    if (popup != nullptr)
    {
        popup->hide();
        popup.reset();
    }
}

void PopupMenuEx::notifyItemChosen()
{
    closePopup();
    const auto id = chosenId;
    const auto ticked = chosenTicked;

    listeners.call ([&] (Listener& l) { l.menuItemChosen (this, id, ticked); });
}

void PopupMenuEx::notifyDismissed()
{
    closePopup();

    listeners.call ([this] (Listener& l) { l.menuDismissed (this); });
}

void PopupMenuEx::repaintPopup()
{
    if (popup != nullptr)
        popup->repaint();
}

//==============================================================================
PopupMenuEx::PopupMenuComponent::PopupMenuComponent (PopupMenuEx& m)
    : ModalComponent ("PopupMenu"), menu (m)
{
}

PopupMenuEx::PopupMenuComponent::~PopupMenuComponent()
{
    windows.clear();
}

void PopupMenuEx::PopupMenuComponent::updatePosition()
{
    if (isInCoveringWindow())
        setBounds (getCoveringWindow().getLocalBounds());
}

void PopupMenuEx::PopupMenuComponent::visibilityChanged()
{
    if (isVisible())
        openWindow();
}

void PopupMenuEx::PopupMenuComponent::openWindow()
{
    windows.clear();
    targetArea = menu.getTargetArea();
    placement = menu.placement;

    auto* window = windows.add (new Window (*this, menu));
    window->updateSize();
    window->place (targetArea, placement, { getWidth(), getHeight() });
    addAndMakeVisible (window);
}

void PopupMenuEx::PopupMenuComponent::mouseDown (const juce::MouseEvent& e)
{
    // Presses inside a window are the window's; this is a press on the layer around it.
    if (e.eventComponent == this)
        menu.dismissPressed();
}

//==============================================================================
PopupMenuEx::Window::Window (PopupMenuComponent& l, PopupMenuEx& m)
    : menu (m), font (l.getLookAndFeel().getPopupMenuFont())
{
}

int PopupMenuEx::Window::getRowAt (int y) const
{
    const int row = (int) std::floor ((float) (y - 6) / (float) rowHeight);
    return row >= 0 && row < menu.getNumItems() ? row : -1;
}

void PopupMenuEx::Window::updateSize()
{
    int widest = 0;

    for (int i = 0; i < menu.getNumItems(); ++i)
        widest = juce::jmax (widest, font.getStringWidth (menu.getItem (i)->text));

    setSize (36 + widest, rowHeight * menu.getNumItems() + 8);
}

void PopupMenuEx::Window::place (juce::Rectangle<int> area, int menuPlacement, juce::Point<int> layerSize)
{
    const int w = getWidth(), h = getHeight();
    int x = 0, y0 = 0;

    if (menuPlacement == placeBelow)
    {
        y0 = area.getBottom();
        x = juce::jmax (area.getX(), 0);

        if (x + w > layerSize.x)
            x = layerSize.x - w;
    }
    else if (menuPlacement == placeRight)
    {
        y0 = area.getY();
        x = area.getRight();

        if (x + w > layerSize.x)
            x = area.getX() - w;
    }

    const int y = y0 + h > layerSize.y ? y0 + 24 - h : y0;
    setTopLeftPosition (x, y);
}

void PopupMenuEx::Window::paint (juce::Graphics& g)
{
    const int w = getWidth();
    const auto bounds = getLocalBounds().toFloat();

    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        lf->drawRoundedBox (g, bounds, juce::Colour (0xFFE3E3E3), juce::Colours::black, 1.5f, 1.0f);
    }
    else
    {
        g.setColour (juce::Colour (0xFFE3E3E3));
        g.fillRoundedRectangle (bounds, 1.5f);
        g.setColour (juce::Colours::black);
        g.drawRoundedRectangle (bounds.reduced (0.5f), 1.5f, 1.0f);
    }

    g.setFont (font);

    for (int i = 0; i < menu.getNumItems(); ++i)
    {
        auto* item = menu.getItem (i);
        const int rowY = 9 + rowHeight * i;

        if (item == hoveredItem || item == lastHoveredItem)
            fillRoundedWithColour (g, juce::Rectangle<int> (1, rowY - 5, w - 2, rowHeight),
                                   juce::Colour (0xFFADADAD), 1.5f);

        g.setColour (item->enabled ? juce::Colours::black : juce::Colour (0xFF808080));

        if (item->ticked)
        {
            const int tickX = menu.getTickOnRight() == 1 ? w - 12 : 7;
            const juce::Rectangle<float> tick ((float) tickX, (float) rowY, 5.0f, 5.0f);

            if (menu.getTickStyle() == 0)
                g.fillRect (tick);
            else
                g.fillEllipse (tick);
        }

        const int textX = menu.getTickOnRight() == 1 ? 6 : 22;
        g.drawText (item->text, textX, rowY - 6, w - 12, rowHeight, juce::Justification::centredLeft, false);
    }
}

void PopupMenuEx::Window::itemsChanged()
{
    // The hovered items may be gone.
    hoveredItem = lastHoveredItem = nullptr;
    updateSize();
    repaint();
}

void PopupMenuEx::Window::lookAndFeelChanged()
{
    font = getLookAndFeel().getPopupMenuFont();
    updateSize();
    repaint();
}

void PopupMenuEx::Window::hover (int y)
{
    const int row = getRowAt (y);
    auto* item = row >= 0 ? menu.getItem (row) : nullptr;

    if (item != hoveredItem || item != lastHoveredItem)
    {
        hoveredItem = lastHoveredItem = item;
        repaint();
    }
}

void PopupMenuEx::Window::mouseMove (const juce::MouseEvent& e)
{
    hover (e.y);
}

void PopupMenuEx::Window::mouseDrag (const juce::MouseEvent& e)
{
    hover (e.y);
}

void PopupMenuEx::Window::mouseExit (const juce::MouseEvent&)
{
    if (hoveredItem != nullptr)
    {
        hoveredItem = nullptr;
        repaint();
    }
}

void PopupMenuEx::Window::mouseDown (const juce::MouseEvent& e)
{
    const int row = getRowAt (e.y);

    if (row < 0)
        return;

    if (auto* item = menu.getItem (row); item != nullptr && item->enabled)
        menu.itemPressed (*item);
}
