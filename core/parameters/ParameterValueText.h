#pragma once

#include <juce_core/juce_core.h>

/** One parameter value of a preset: the parameter's id and its value as exact text. */
struct ParameterValueText
{
    int id = -1;
    juce::String text;

    bool operator== (const ParameterValueText& other) const { return id == other.id && text == other.text; }
};
