#pragma once

#include "AAX_CEffectGUI.h"

#include <string>
#include <vector>

// The tests' own GUI: records the calls the base makes into the derived class. Like
// JUCE's GUI, it removes its view in its own destructor.
class TestEffectGUI : public AAX_CEffectGUI
{
public:
    TestEffectGUI() = default;
    ~TestEffectGUI() override;

    static AAX_IEffectGUI* AAX_CALLBACK Create() { return new TestEffectGUI(); }

    AAX_Result GetViewSize (AAX_Point* oViewSize) const override;
    AAX_Result ParameterUpdated (AAX_CParamID inParamID) override;

    std::vector<std::string> calls;
    std::vector<std::string> updated;
    AAX_Point size { 300.0f, 400.0f };
    bool viewPresent = false;

protected:
    void CreateViewContents() override;
    void CreateViewContainer() override;
    void DeleteViewContainer() override;
};
