#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Lays out its visible children one after another, as a row or a column, aligned on the cross
    axis, with a spacing between them, and sizes itself to fit them. It follows its children's
    size and visibility changes. */
class ComponentRow : public juce::Component,
                     private juce::ComponentListener
{
public:
    enum Alignment
    {
        start = 0,
        centre = 1,
        end = 2
    };

    ComponentRow (bool vertical = false, int alignment = start);
    ~ComponentRow() override;

    /** Adds a child (not owned), visible, at the end of the row. */
    void add (juce::Component* child);

    void setVertical (bool shouldBeVertical);
    void setAlignment (int newAlignment);
    void setSpacing (int pixels);

    bool isVertical() const noexcept { return vertical; }
    int getAlignment() const noexcept { return alignment; }
    int getSpacing() const noexcept { return spacing; }

    /** Lays the children out and fits the size to them. */
    void updateLayout();

    void childBoundsChanged (juce::Component* child) override;
    void childrenChanged() override;

private:
    void componentVisibilityChanged (juce::Component& component) override;
    void componentParentHierarchyChanged (juce::Component& component) override;
    void componentBeingDeleted (juce::Component& component) override;
    void listenToChildren();
    void layOut (juce::Component* excluded);

    bool vertical;
    int alignment;
    int spacing = 0;
    bool layingOut = false;
    juce::Array<juce::Component*> watched;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComponentRow)
};
