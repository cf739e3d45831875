#pragma once

#include "skin/widgets/ComboBoxEx.h"
#include "skin/widgets/ModulationSlider.h"

class ModulationMatrix;
class Skin;

/** The modulation matrix ("ModulationMatrix"): rows of source, destination and amount. Its
    timer shows each row's current modulation (the source's value from the plug-in's matrix
    model) on the row's amount ruler. Message thread only. */
class ModulationMatrixComponent : public juce::Component,
                                  private juce::Timer
{
public:
    /** One routing row: a source box, a destination box and the amount ruler. */
    class Row : public juce::Component,
                public ComboBoxEx::Listener,
                private juce::Slider::Listener
    {
    public:
        static constexpr int noSource = -1;

        Row (const juce::StringArray& sourceNames, const juce::StringArray& destinationNames);
        ~Row() override;

        /** The chosen source, 0..8, or noSource. */
        int getSourceIndex() const noexcept { return sourceIndex; }
        int getDestinationIndex() const noexcept { return destinationIndex; }
        float getAmount() const noexcept { return amount; }

        ComboBoxEx& getSourceBox() noexcept { return sourceBox; }
        ComboBoxEx& getDestinationBox() noexcept { return destinationBox; }
        ModulationSlider& getSlider() noexcept { return slider; }

        void comboBoxExChanged (ComboBoxEx* box) override;
        void resized() override;

    private:
        void sliderValueChanged (juce::Slider* changed) override;

        ComboBoxEx sourceBox { "Source" }, destinationBox { "Destination" };
        ModulationSlider slider;
        int sourceIndex = noSource, destinationIndex = -1;
        float amount = 0.0f;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Row)
    };

    static constexpr int refreshIntervalMs = 40;
    static constexpr int rowHeight = 40;

    /** model: where the source values come from (null: the rulers show no modulation). */
    ModulationMatrixComponent (const juce::String& name, ModulationMatrix* model, int numRows,
                               const juce::StringArray& destinationNames);
    /** Reads "name", "x", "y", "w", "h", "rows" (1 to 32, 1 when missing) and "destinations"
        (";"-separated); the model is the skin's plug-in's. */
    ModulationMatrixComponent (const juce::ValueTree& element, Skin& skin);
    ~ModulationMatrixComponent() override;

    int getNumRows() const noexcept { return rows.size(); }
    Row* getRow (int index) const noexcept { return rows[index]; }

    /** Message thread, every 40 ms while the widget has a model. */
    void timerCallback() override;
    void resized() override;

private:
    ModulationMatrix* model;
    juce::OwnedArray<Row> rows;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModulationMatrixComponent)
};
