#include "skin/ComponentRow.h"

ComponentRow::ComponentRow (bool isVertical, int alignmentToUse)
    : vertical (isVertical), alignment (juce::jlimit (0, 2, alignmentToUse))
{
}

ComponentRow::~ComponentRow()
{
    for (auto* c : watched)
        c->removeComponentListener (this);
}

void ComponentRow::add (juce::Component* child)
{
    if (child != nullptr)
        addAndMakeVisible (child);
}

void ComponentRow::setVertical (bool shouldBeVertical)
{
    vertical = shouldBeVertical;
    updateLayout();
}

void ComponentRow::setAlignment (int newAlignment)
{
    alignment = juce::jlimit (0, 2, newAlignment);
    updateLayout();
}

void ComponentRow::setSpacing (int pixels)
{
    spacing = pixels;
    updateLayout();
}

void ComponentRow::updateLayout()
{
    layOut (nullptr);
}

void ComponentRow::layOut (juce::Component* excluded)
{
    if (layingOut)
        return;

    const juce::ScopedValueSetter<bool> guard (layingOut, true);

    juce::Array<juce::Component*> shown;

    for (auto* c : getChildren())
        if (c != excluded && c->isVisible())
            shown.add (c);

    int along = 0, across = 0;

    for (auto* c : shown)
    {
        along += vertical ? c->getHeight() : c->getWidth();
        across = juce::jmax (across, vertical ? c->getWidth() : c->getHeight());
    }

    if (shown.size() > 1)
        along += (shown.size() - 1) * spacing;

    int position = 0;

    for (auto* c : shown)
    {
        const int size = vertical ? c->getWidth() : c->getHeight();
        const int cross = alignment == centre ? (across - size) / 2 : alignment == end ? across - size
                                                                                       : 0;

        if (vertical)
            c->setTopLeftPosition (cross, position);
        else
            c->setTopLeftPosition (position, cross);

        position += (vertical ? c->getHeight() : c->getWidth()) + spacing;
    }

    setSize (juce::jmax (0, vertical ? across : along), juce::jmax (0, vertical ? along : across));
}

void ComponentRow::childBoundsChanged (juce::Component*)
{
    updateLayout();
}

void ComponentRow::childrenChanged()
{
    listenToChildren();
    updateLayout();
}

void ComponentRow::listenToChildren()
{
    for (auto* c : getChildren())
    {
        if (! watched.contains (c))
        {
            c->addComponentListener (this);
            watched.add (c);
        }
    }
}

void ComponentRow::componentVisibilityChanged (juce::Component& component)
{
    if (component.getParentComponent() == this)
        updateLayout();
}

void ComponentRow::componentParentHierarchyChanged (juce::Component& component)
{
    // The framework tells a parent of a removed child only while it is on screen.
    if (component.getParentComponent() != this)
    {
        component.removeComponentListener (this);
        watched.removeFirstMatchingValue (&component);
        updateLayout();
    }
}

void ComponentRow::componentBeingDeleted (juce::Component& component)
{
    component.removeComponentListener (this);
    watched.removeFirstMatchingValue (&component);

    // A deleted child leaves without telling its parent; it is still in the list now.
    if (component.getParentComponent() == this)
        layOut (&component);
}
