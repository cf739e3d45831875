#pragma once

#include "skin/LabelContainer.h"
#include <bitset>

/** Container of type "CircularScale": tick marks and value texts on an arc around a knob, and
    an optional caption below.
    Attributes of the "Container" element: "scale" (one character per tick, "-" for a long
    tick; at most 32), "values" (";"-separated texts), "txtCol" (default black), "label"
    (caption lines), "startAngle" and "endAngle" (degrees clockwise from the top; defaults
    -135 and 135), "gap" (pixels between knob and ticks, default 2).
*/
class CircularScaleContainer : public ContainedComponent::Container
{
public:
    CircularScaleContainer (const juce::ValueTree& element, juce::Component& widget);
    ~CircularScaleContainer() override;

    juce::BorderSize<int> getContentOffset() const override;
    void updateLayout() override;
    void paintDecoration (juce::Graphics& g) override;
    void updateDecorationVisibility() override;

    static constexpr int maxTicks = 32;
    static constexpr float longTick = 6.0f, shortTick = 4.0f;

    /** Angle in radians (clockwise from the top) of mark i of n. */
    float getMarkAngle (int index, int count) const noexcept;

private:
    float getInnerRadius() const noexcept;
    juce::Point<float> getCentre() const noexcept;
    juce::Rectangle<float> getValueArea (int index, int count) const;

    LabelContainer::Caption caption;
    juce::BorderSize<int> contentOffset;
    juce::Rectangle<int> knobArea;   // the widget inside the container
    juce::StringArray values;
    juce::Font valuesFont;
    float valuesWidth = 0.0f;
    std::bitset<maxTicks> ticks;
    int tickCount = 0;
    bool anyLong = false;
    juce::Colour txtCol { 0xFF000000 };
    float startAngle = 0.0f, endAngle = 0.0f;
    int gap = 2;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CircularScaleContainer)
};
