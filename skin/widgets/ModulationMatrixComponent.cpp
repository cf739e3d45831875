#include "skin/widgets/ModulationMatrixComponent.h"
#include "core/BasePlugin.h"
#include "core/ModulationMatrix.h"
#include "skin/Skin.h"
#include "skin/StandardWidgetBuilder.h"

namespace
{
    juce::StringArray sourceNames()
    {
        juce::StringArray names;

        for (int i = 1; i <= ModulationMatrix::numSources; ++i)
            names.add ("Source " + juce::String (i));

        return names;
    }

    void fill (ComboBoxEx& box, const juce::StringArray& names)
    {
        // Ids start at 1: the box shows "---" for none.
        for (int i = 0; i < names.size(); ++i)
            box.getMenu().addItem (i + 1, names[i]);

        box.updateText();
    }

    constexpr int maxRows = 32;
}

//==============================================================================
ModulationMatrixComponent::Row::Row (const juce::StringArray& sources, const juce::StringArray& destinations)
{
    fill (sourceBox, sources);
    fill (destinationBox, destinations);
    sourceBox.addListener (static_cast<ComboBoxEx::Listener*> (this));
    destinationBox.addListener (static_cast<ComboBoxEx::Listener*> (this));
    slider.addListener (this);
    addAndMakeVisible (sourceBox);
    addAndMakeVisible (destinationBox);
    addAndMakeVisible (slider);
}

ModulationMatrixComponent::Row::~Row()
{
    slider.removeListener (this);
    sourceBox.removeListener (static_cast<ComboBoxEx::Listener*> (this));
    destinationBox.removeListener (static_cast<ComboBoxEx::Listener*> (this));
}

void ModulationMatrixComponent::Row::comboBoxExChanged (ComboBoxEx* box)
{
    const int index = box->getSelectedId() - 1;

    if (box == &sourceBox)
    {
        sourceIndex = juce::isPositiveAndBelow (index, ModulationMatrix::numSources) ? index : noSource;

        // A row without a source applies nothing.
        if (sourceIndex == noSource)
            slider.setSourceValue (0.0f);
    }
    else if (box == &destinationBox)
    {
        destinationIndex = index;
    }
}

void ModulationMatrixComponent::Row::sliderValueChanged (juce::Slider*)
{
    amount = (float) slider.getValue();
}

void ModulationMatrixComponent::Row::resized()
{
    auto area = getLocalBounds();
    const int boxWidth = area.getWidth() / 4;
    sourceBox.setBounds (area.removeFromLeft (boxWidth).withSizeKeepingCentre (boxWidth - 4, 20));
    destinationBox.setBounds (area.removeFromLeft (boxWidth).withSizeKeepingCentre (boxWidth - 4, 20));
    slider.setBounds (area);
}

//==============================================================================
ModulationMatrixComponent::ModulationMatrixComponent (const juce::String& name, ModulationMatrix* m, int numRows,
                                                      const juce::StringArray& destinationNames)
    : juce::Component (name), model (m)
{
    const auto sources = sourceNames();

    for (int i = 0; i < juce::jlimit (1, maxRows, numRows); ++i)
        addAndMakeVisible (rows.add (std::make_unique<Row> (sources, destinationNames)));

    if (model != nullptr)
        startTimer (refreshIntervalMs);
}

ModulationMatrixComponent::ModulationMatrixComponent (const juce::ValueTree& element, Skin& skin)
    : ModulationMatrixComponent (element.getProperty ("name").toString(),
                                 skin.getPlugin() != nullptr ? skin.getPlugin()->getModulationMatrix() : nullptr,
                                 element.getProperty ("rows", 1),
                                 juce::StringArray::fromTokens (element.getProperty ("destinations").toString(), ";", {}))
{
    setBounds (readCoordinateAttribute (element, "x"), readCoordinateAttribute (element, "y"),
               readSizeAttribute (element, "w"), readSizeAttribute (element, "h"));
}

ModulationMatrixComponent::~ModulationMatrixComponent() = default;

void ModulationMatrixComponent::timerCallback()
{
    for (auto* row : rows)
    {
        const int source = row->getSourceIndex();

        if (juce::isPositiveAndBelow (source, ModulationMatrix::numSources))
            row->getSlider().setSourceValue (model->getSourceValue (source));
    }
}

void ModulationMatrixComponent::resized()
{
    auto area = getLocalBounds();

    for (auto* row : rows)
        row->setBounds (area.removeFromTop (rowHeight));
}
