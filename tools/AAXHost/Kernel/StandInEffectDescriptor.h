#pragma once

#include "AAX_IACFEffectDescriptor.h"
#include "StandInObject.h"
#include "StandInPropertyMap.h"

#include <string>
#include <vector>

class StandInComponentDescriptor;
class StandInHost;

// The host's effect descriptor in both versions; records every registration, with a
// copy of each property map handed over.
class StandInEffectDescriptor : public AAX_IACFEffectDescriptor_V2, public StandInObject
{
public:
    struct Meter
    {
        AAX_CTypeID id;
        std::string name;
        StandInPropertyMap::Contents properties;
    };

    struct ProcPtr
    {
        void* proc;
        AAX_CProcPtrID id;
    };

    explicit StandInEffectDescriptor (StandInHost& host);

    const std::vector<std::string>& Names() const { return mNames; }
    const std::vector<uint32_t>& Categories() const { return mCategories; }
    const std::vector<ProcPtr>& ProcPtrs() const { return mProcPtrs; }
    const std::vector<Meter>& Meters() const { return mMeters; }
    const std::vector<StandInComponentDescriptor*>& Components() const { return mComponents; }
    const std::vector<StandInPropertyMap::Contents>& PropertySets() const { return mPropertySets; }
    const std::vector<std::string>& Log() const { return mLog; }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    AAX_Result AddComponent (IACFUnknown* inComponentDescriptor) override;
    AAX_Result AddName (const char* inPlugInName) override;
    AAX_Result AddCategory (uint32_t inCategory) override;
    AAX_Result AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID) override;
    AAX_Result AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID) override;
    AAX_Result SetProperties (IACFUnknown* inProperties) override;
    AAX_Result AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo) override;
    AAX_Result AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName, IACFUnknown* inProperties) override;
    AAX_Result AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask) override;

private:
    StandInHost& mHost;
    std::vector<std::string> mNames;
    std::vector<uint32_t> mCategories;
    std::vector<ProcPtr> mProcPtrs;
    std::vector<Meter> mMeters;
    std::vector<StandInComponentDescriptor*> mComponents;
    std::vector<StandInPropertyMap::Contents> mPropertySets;
    std::vector<std::string> mLog;
};
