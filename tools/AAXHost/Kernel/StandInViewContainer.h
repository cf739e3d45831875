#pragma once

#include "AAX_IACFViewContainer.h"
#include "StandInObject.h"

#include <string>
#include <vector>

class StandInHost;

// The host window for an editor in both versions: its kind, native view and modifier
// keys as the test sets them; it records size requests (which it can refuse) and
// mouse events on parameters.
class StandInViewContainer : public AAX_IACFViewContainer_V2, public StandInObject
{
public:
    explicit StandInViewContainer (StandInHost& host);

    IACFUnknown* Unknown() { return static_cast<AAX_IACFViewContainer*> (this); }

    int32_t type = 0;
    void* view = nullptr;
    uint32_t modifiers = 0;
    bool refuseSizes = false;

    const std::vector<AAX_Point>& SizeRequests() const { return mSizeRequests; }
    const std::vector<std::string>& MouseEvents() const { return mMouseEvents; }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    int32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers (uint32_t* outModifiers) override;
    AAX_Result SetViewSize (AAX_Point* inSize) override;
    AAX_Result HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers) override;
    AAX_Result HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers) override;
    AAX_Result HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers) override;
    AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers) override;
    AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers) override;
    AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers) override;

private:
    AAX_Result Mouse (const char* operation, const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers);

    StandInHost& mHost;
    std::vector<AAX_Point> mSizeRequests;
    std::vector<std::string> mMouseEvents;
};
