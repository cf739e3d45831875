#pragma once

#include "skin/LabelContainer.h"
#include <bitset>

/** Container of type "LinearScale": a row or column of ticks and value texts along one side
    of a slider, an optional caption below and an optional background behind the widget.
*/
class LinearScaleContainer : public ContainedComponent::Container
{
public:
    LinearScaleContainer (const juce::ValueTree& element, juce::Component& widget);
    ~LinearScaleContainer() override;

    juce::BorderSize<int> getContentOffset() const override;
    void updateLayout() override;
    void paintDecoration (juce::Graphics& g) override;
    void updateDecorationVisibility() override;

    static constexpr int maxTicks = 32;

    int getTickCount() const noexcept { return tickCount; }
    float getTickLength() const noexcept { return anyLong ? 12.0f : 9.0f; }
    const juce::Font& getValuesFont() const noexcept { return valuesFont; }
    juce::Rectangle<float> getScaleArea() const noexcept { return scaleArea; }
    juce::Rectangle<float> getValuesArea() const noexcept { return valuesArea; }
    juce::Rectangle<float> getCaptionArea() const noexcept { return captionArea; }
    juce::Label& getCaption() noexcept { return caption.getLabel(); }

private:
    juce::Rectangle<float> getWidgetArea() const;

    juce::BorderSize<int> contentOffset;
    juce::Colour txtCol { 0xFF000000 };
    int position = juce::Justification::bottom;
    juce::BorderSize<int> padding;
    juce::StringArray values;
    float valuesWidth = 0.0f;
    juce::Rectangle<float> valuesArea, scaleArea, captionArea;
    std::bitset<maxTicks> ticks;
    int tickCount = 0;
    bool anyLong = false;
    juce::BorderSize<int> bkgInset;
    bool bkgState = false;
    juce::Colour bkgCol { 0x00000000 };
    LabelContainer::Caption caption;
    juce::Font valuesFont;
    juce::Point<float> widgetOrigin;   // the widget's top-left inside the container

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LinearScaleContainer)
};
