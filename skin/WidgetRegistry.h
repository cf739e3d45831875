#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <functional>
#include <memory>
#include <vector>

/** The widget factory's table: one row for each element type of the GUI description, holding
    the function that builds that type's widget from its element. Message thread only. */
class WidgetRegistry
{
public:
    /** Builds a widget from its element; the caller owns the result. */
    using Factory = std::function<std::unique_ptr<juce::Component> (const juce::ValueTree& element)>;

    WidgetRegistry();
    ~WidgetRegistry();

    /** Adds the row of an element type; each type has one row. */
    void add (const juce::Identifier& type, Factory factory);

    /** The widget of the element's type; null for an invalid element or a type without a row. */
    std::unique_ptr<juce::Component> create (const juce::ValueTree& element) const;

private:
    struct Row
    {
        juce::Identifier type;
        Factory factory;
    };

    const Row* find (const juce::Identifier& type) const;

    std::vector<Row> rows;
};
