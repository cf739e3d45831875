#include "TestEffectGUI.h"
#include "AAX_Errors.h"
#include "AAX_IViewContainer.h"

TestEffectGUI::~TestEffectGUI()
{
    DeleteViewContainer();
}

AAX_Result TestEffectGUI::GetViewSize (AAX_Point* oViewSize) const
{
    if (oViewSize == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oViewSize = size;
    return AAX_SUCCESS;
}

AAX_Result TestEffectGUI::ParameterUpdated (AAX_CParamID inParamID)
{
    updated.emplace_back (inParamID != nullptr ? inParamID : "(null)");
    return AAX_SUCCESS;
}

void TestEffectGUI::CreateViewContents()
{
    calls.emplace_back ("CreateViewContents");
}

void TestEffectGUI::CreateViewContainer()
{
    calls.emplace_back ("CreateViewContainer");
    viewPresent = true;

    // Asks the host for the editor's size, as an editor placed into the window does.
    if (auto* container = GetViewContainer())
        container->SetViewSize (size);
}

void TestEffectGUI::DeleteViewContainer()
{
    calls.emplace_back ("DeleteViewContainer");
    viewPresent = false;
}
