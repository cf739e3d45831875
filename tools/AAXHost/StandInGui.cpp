#include "StandInGui.h"
#include "StandInHost.h"
#include "StandInInstance.h"
#include "StandInSession.h"
#include "StandInViewContainer.h"
#include "StandInX11Display.h"

#include "AAX_Enums.h"
#include "AAX_Errors.h"
#include "AAX_UIDs.h"

StandInGui::StandInGui (StandInInstance& instance) : mInstance (instance) {}

StandInGui::~StandInGui()
{
    Close();
}

bool StandInGui::Open (bool withWindow, std::string& error)
{
    Close();

    auto& session = mInstance.Session();
    mGui = static_cast<AAX_IACFEffectGUI*> (session.CreateObject (kAAX_ProcPtrID_Create_EffectGUI, IID_IAAXEffectGUIV1, "GUI", error));

    if (mGui == nullptr)
        return false;

    if (const auto result = mGui->Initialize (&mInstance.Link()); result != AAX_SUCCESS)
    {
        error = "the GUI object refused to initialise (" + std::to_string (result) + ")";
        Close();
        return false;
    }

    auto& host = session.Host();
    mContainer = &host.Make<StandInViewContainer> (host);

    if (withWindow && StandInX11Display::Shared().IsOpen())
    {
        mWindow = StandInX11Display::Shared().CreateWindow (400, 300);
        mContainer->type = AAX_eViewContainer_Type_HWND;
        mContainer->view = reinterpret_cast<void*> (static_cast<uintptr_t> (mWindow));
    }
    else
    {
        mContainer->type = AAX_eViewContainer_Type_NULL;
        mContainer->view = nullptr;
    }

    mGui->SetViewContainer (mContainer->Unknown());
    return true;
}

bool StandInGui::ViewSize (int& width, int& height) const
{
    if (mGui == nullptr)
        return false;

    AAX_Point size { 0.0f, 0.0f };

    if (mGui->GetViewSize (&size) != AAX_SUCCESS)
        return false;

    width = static_cast<int> (size.horz);
    height = static_cast<int> (size.vert);
    return true;
}

void StandInGui::Close()
{
    if (mGui != nullptr)
    {
        mGui->SetViewContainer (nullptr);
        mGui->Uninitialize();
        mGui->Release();
        mGui = nullptr;
    }

    if (mWindow != 0)
        StandInX11Display::Shared().DestroyWindow (mWindow);

    mWindow = 0;
}

void StandInGui::ReleaseWithoutClosing()
{
    if (mGui != nullptr)
        mGui->Release();

    mGui = nullptr;
    Close();
}
