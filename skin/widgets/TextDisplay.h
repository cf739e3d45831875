#pragma once

#include "skin/BaseGFXController.h"
#include "skin/ContainedComponent.h"
#include "skin/GUIController.h"

/** Shows the bound parameter's value text (its name alone when the text is "@"), or its
    "text" when unbound, over an optional "gfx" background. With "editable" set a click opens
    an editor; the entered text goes to the parameter. Attributes: "justification",
    "txtCol", "bkgCol", "fontSize", "bold". */
class TextDisplay : public juce::Label,
                    public GUIController,
                    public BaseGFXController,
                    public ContainedComponent
{
public:
    static constexpr float defaultFontSize = 14.0f;

    TextDisplay (const juce::ValueTree& element, Skin& skin);
    ~TextDisplay() override;

    void updateFromParameter() override;
    void paint (juce::Graphics& g) override;

protected:
    void textWasEdited() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextDisplay)
};
