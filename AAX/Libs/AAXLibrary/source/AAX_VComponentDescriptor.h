#pragma once

#include "AAX_CHostReference.h"
#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IComponentDescriptor.h"

#include <memory>
#include <vector>

class AAX_VPropertyMap;

// Any thread: takes no lock and allocates; lives within one registration, never shared.
// Wraps a host component descriptor. Hosts without the third version get the process
// procedures registered one by one from the map's properties.
class AAX_VComponentDescriptor : public AAX_IComponentDescriptor
{
public:
    // Creates the host's descriptor through its factory; throws ACF_E_POINTER when the
    // factory query succeeds without an object.
    explicit AAX_VComponentDescriptor (IACFUnknown* inHostUnknown);
    ~AAX_VComponentDescriptor() override;

    AAX_VComponentDescriptor (const AAX_VComponentDescriptor&) = delete;
    AAX_VComponentDescriptor& operator= (const AAX_VComponentDescriptor&) = delete;

    AAX_Result Clear() override;
    AAX_Result AddAudioIn (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddAudioOut (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddSampleRate (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddClock (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddSideChainIn (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount) override;
    AAX_Result AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType, const char inNodeName[], uint32_t inChannelMask) override;
    AAX_Result AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat, const char inNameUTF8[]) override;
    AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) override;
    AAX_Result AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize, uint32_t inOptions = 0) override;
    AAX_Result AddDmaInstance (AAX_CFieldIndex inFieldIndex, int32_t inDmaMode) override;
    AAX_Result AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize) override;
    AAX_Result AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType) override;

    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* inPropertyMap) override;

    AAX_Result AddProcessProcNative (AAX_CProcessProc inProcessProc, AAX_IPropertyMap* inProperties,
                                     AAX_CInstanceInitProc inInstanceInitProc, AAX_CBackgroundProc inBackgroundProc,
                                     AAX_CTypeID* outProcID) override;
    AAX_Result AddProcessProcTI (const char inDLLFileNameUTF8[], const char inProcessProcSymbol[], AAX_IPropertyMap* inProperties,
                                 const char inInstanceInitProcSymbol[], const char inBackgroundProcSymbol[],
                                 AAX_CTypeID* outProcID) override;
    AAX_Result AddProcessProcs (AAX_IPropertyMap* inProperties, AAX_CTypeID* outProcIDs = nullptr, int32_t inProcIDsSize = 0) override;

    // The host interface handed to the effect descriptor's AddComponent.
    IACFUnknown* GetIUnknown() const { return mIACFComponentDescriptor.Get(); }

private:
    AAX_Result ManuallyAddProcessProcs (AAX_IPropertyMap* inProperties, AAX_CTypeID* outProcIDs, int32_t inProcIDsSize);

    AAX_CHostReference<IACFUnknown> mHostUnknown;
    AAX_CHostReference<AAX_IACFComponentDescriptor> mIACFComponentDescriptor;
    AAX_CHostReference<AAX_IACFComponentDescriptor_V2> mIACFComponentDescriptorV2;
    AAX_CHostReference<AAX_IACFComponentDescriptor_V3> mIACFComponentDescriptorV3;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
