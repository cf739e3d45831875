#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

// The host window that holds an effect's editor, in its two versions.

class AAX_IACFViewContainer : public IACFUnknown
{
public:
    virtual int32_t GetType() = 0;                                                                    // 4th
    virtual void* GetPtr() = 0;                                                                       // 5th
    virtual AAX_Result GetModifiers (uint32_t* outModifiers) = 0;                                     // 6th
    virtual AAX_Result SetViewSize (AAX_Point* inSize) = 0;                                           // 7th
    virtual AAX_Result HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers) = 0;   // 8th
    virtual AAX_Result HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers) = 0;   // 9th
    virtual AAX_Result HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers) = 0;     // 10th
};

class AAX_IACFViewContainer_V2 : public AAX_IACFViewContainer
{
public:
    virtual AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers) = 0;   // 11th
    virtual AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers) = 0;   // 12th
    virtual AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers) = 0;     // 13th
};
