#pragma once

#include <juce_core/juce_core.h>

/** One installed skin: its package name (the file name without extension), the label that
    pickers show and the editor width it is drawn for. */
struct SkinRecord
{
    juce::String name;
    juce::String label;
    int size = 0;

    bool operator== (const SkinRecord& other) const noexcept
    {
        return name == other.name && label == other.label && size == other.size;
    }

    bool operator!= (const SkinRecord& other) const noexcept { return ! operator== (other); }
};
