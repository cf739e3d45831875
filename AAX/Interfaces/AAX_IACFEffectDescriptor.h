#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

// The host's effect descriptor in its two versions; the second carries the first's
// operations.

class AAX_IACFEffectDescriptor : public IACFUnknown
{
public:
    virtual AAX_Result AddComponent (IACFUnknown* inComponentDescriptor) = 0;                                                 // 4th
    virtual AAX_Result AddName (const char* inPlugInName) = 0;                                                                // 5th
    virtual AAX_Result AddCategory (uint32_t inCategory) = 0;                                                                 // 6th
    virtual AAX_Result AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID) = 0;                          // 7th
    virtual AAX_Result AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID) = 0;                                             // 8th
    virtual AAX_Result SetProperties (IACFUnknown* inProperties) = 0;                                                         // 9th
    virtual AAX_Result AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo) = 0;                            // 10th
    virtual AAX_Result AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName, IACFUnknown* inProperties) = 0;   // 11th
};

class AAX_IACFEffectDescriptor_V2 : public AAX_IACFEffectDescriptor
{
public:
    virtual AAX_Result AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask) = 0;   // 12th
};
