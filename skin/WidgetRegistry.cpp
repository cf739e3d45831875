#include "skin/WidgetRegistry.h"

WidgetRegistry::WidgetRegistry() = default;

WidgetRegistry::~WidgetRegistry() = default;

void WidgetRegistry::add (const juce::Identifier& type, Factory factory)
{
    // A second row would never be reached: a mistake in the table.
    jassert (find (type) == nullptr && factory != nullptr);
    rows.push_back ({ type, std::move (factory) });
}

const WidgetRegistry::Row* WidgetRegistry::find (const juce::Identifier& type) const
{
    for (const auto& row : rows)
        if (row.type == type)
            return &row;

    return nullptr;
}

std::unique_ptr<juce::Component> WidgetRegistry::create (const juce::ValueTree& element) const
{
    if (! element.isValid())
        return nullptr;

    const auto* row = find (element.getType());
    return row != nullptr ? row->factory (element) : nullptr;
}
