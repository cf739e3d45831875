#include "AAX_VComponentDescriptor.h"
#include "AAX_Assert.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_UIDs.h"
#include "AAX_VPropertyMap.h"

namespace
{
    const char* const kSource = "AAX/Libs/AAXLibrary/source/AAX_VComponentDescriptor";

    IACFUnknown* unknownOf (const AAX_IPropertyMap* inProperties)
    {
        return inProperties != nullptr ? inProperties->GetIUnknown() : nullptr;
    }

    // Reads a pointer property, tracing its absence when asked to; null when absent.
    const void* pointerProperty (const AAX_IPropertyMap& inProperties, AAX_EProperty inProperty, const char* inMissingName = nullptr)
    {
        const void* value = nullptr;

        if (inProperties.GetPointerProperty (inProperty, &value) == 0)
        {
            if (inMissingName != nullptr)
                AAX_Trace (AAX_eTracePriority_Critical,
                           "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for %s", inMissingName);
            return nullptr;
        }

        return value;
    }

    bool hasProperty (const AAX_IPropertyMap& inProperties, AAX_EProperty inProperty)
    {
        AAX_CPropertyValue value = 0;
        return inProperties.GetProperty (inProperty, &value) != 0;
    }
}

AAX_VComponentDescriptor::AAX_VComponentDescriptor (IACFUnknown* inHostUnknown)
{
    mHostUnknown.Share (inHostUnknown);
    mIACFComponentDescriptor.Reset (static_cast<AAX_IACFComponentDescriptor*> (
        AAX_CreateHostComponent (inHostUnknown, CLSID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1)));
    mIACFComponentDescriptorV2.Reset (static_cast<AAX_IACFComponentDescriptor_V2*> (
        AAX_QueryHostInterface (mIACFComponentDescriptor.Get(), IID_IAAXComponentDescriptorV2)));
    mIACFComponentDescriptorV3.Reset (static_cast<AAX_IACFComponentDescriptor_V3*> (
        AAX_QueryHostInterface (mIACFComponentDescriptor.Get(), IID_IAAXComponentDescriptorV3)));
}

AAX_VComponentDescriptor::~AAX_VComponentDescriptor()
{
    mPropertyMaps.clear();
    mIACFComponentDescriptorV3.Reset();
    mIACFComponentDescriptorV2.Reset();
    mIACFComponentDescriptor.Reset();
    mHostUnknown.Reset();
}

#define AAX_FORWARD_V1(call) \
    return mIACFComponentDescriptor ? mIACFComponentDescriptor->call : AAX_ERROR_NULL_OBJECT

AAX_Result AAX_VComponentDescriptor::Clear()
{
    AAX_FORWARD_V1 (Clear());
}
AAX_Result AAX_VComponentDescriptor::AddAudioIn (AAX_CFieldIndex inFieldIndex) { AAX_FORWARD_V1 (AddAudioIn (inFieldIndex)); }
AAX_Result AAX_VComponentDescriptor::AddAudioOut (AAX_CFieldIndex inFieldIndex) { AAX_FORWARD_V1 (AddAudioOut (inFieldIndex)); }
AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) { AAX_FORWARD_V1 (AddAudioBufferLength (inFieldIndex)); }
AAX_Result AAX_VComponentDescriptor::AddSampleRate (AAX_CFieldIndex inFieldIndex) { AAX_FORWARD_V1 (AddSampleRate (inFieldIndex)); }
AAX_Result AAX_VComponentDescriptor::AddClock (AAX_CFieldIndex inFieldIndex) { AAX_FORWARD_V1 (AddClock (inFieldIndex)); }
AAX_Result AAX_VComponentDescriptor::AddSideChainIn (AAX_CFieldIndex inFieldIndex) { AAX_FORWARD_V1 (AddSideChainIn (inFieldIndex)); }

AAX_Result AAX_VComponentDescriptor::AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount)
{
    AAX_FORWARD_V1 (AddMeters (inFieldIndex, inMeterIDs, inMeterCount));
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType, const char inNodeName[], uint32_t inChannelMask)
{
    AAX_FORWARD_V1 (AddMIDINode (inFieldIndex, inNodeType, inNodeName, inChannelMask));
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat, const char inNameUTF8[])
{
    AAX_FORWARD_V1 (AddAuxOutputStem (inFieldIndex, inStemFormat, inNameUTF8));
}

AAX_Result AAX_VComponentDescriptor::AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize)
{
    return mIACFComponentDescriptorV2 ? mIACFComponentDescriptorV2->AddTemporaryData (inFieldIndex, inDataElementSize)
                                      : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize, uint32_t inOptions)
{
    AAX_FORWARD_V1 (AddPrivateData (inFieldIndex, inDataSize, inOptions));
}

AAX_Result AAX_VComponentDescriptor::AddDmaInstance (AAX_CFieldIndex inFieldIndex, int32_t inDmaMode)
{
    AAX_FORWARD_V1 (AddDmaInstance (inFieldIndex, inDmaMode));
}

AAX_Result AAX_VComponentDescriptor::AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize)
{
    AAX_FORWARD_V1 (AddDataInPort (inFieldIndex, inPacketSize));
}

AAX_Result AAX_VComponentDescriptor::AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType)
{
    AAX_FORWARD_V1 (AddReservedField (inFieldIndex, inFieldType));
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap()
{
    mPropertyMaps.emplace_back (AAX_VPropertyMap::Create (mHostUnknown.Get()));
    return mPropertyMaps.back().get();
}

AAX_IPropertyMap* AAX_VComponentDescriptor::DuplicatePropertyMap (AAX_IPropertyMap* inPropertyMap)
{
    AAX_IPropertyMap* copy = NewPropertyMap();

    if (inPropertyMap == nullptr)
        return copy;

    for (int32_t id = AAX_eProperty_MinProp; id <= AAX_eProperty_MaxProp; ++id)
    {
        const auto property = static_cast<AAX_EProperty> (id);
        AAX_CPropertyValue value = 0;
        const void* pointer = nullptr;

        if (inPropertyMap->GetProperty (property, &value) != 0)
            copy->AddProperty (property, value);
        else if (inPropertyMap->GetPointerProperty (property, &pointer) != 0)
            copy->AddPointerProperty (property, pointer);
    }

    return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProcNative (AAX_CProcessProc inProcessProc, AAX_IPropertyMap* inProperties,
                                                           AAX_CInstanceInitProc inInstanceInitProc, AAX_CBackgroundProc inBackgroundProc,
                                                           AAX_CTypeID* outProcID)
{
    AAX_FORWARD_V1 (AddProcessProcNative (reinterpret_cast<void*> (inProcessProc), unknownOf (inProperties),
                                          reinterpret_cast<void*> (inInstanceInitProc), reinterpret_cast<void*> (inBackgroundProc),
                                          outProcID));
}

AAX_Result AAX_VComponentDescriptor::AddProcessProcTI (const char inDLLFileNameUTF8[], const char inProcessProcSymbol[], AAX_IPropertyMap* inProperties,
                                                       const char inInstanceInitProcSymbol[], const char inBackgroundProcSymbol[],
                                                       AAX_CTypeID* outProcID)
{
    AAX_FORWARD_V1 (AddProcessProcTI (inDLLFileNameUTF8, inProcessProcSymbol, unknownOf (inProperties),
                                      inInstanceInitProcSymbol, inBackgroundProcSymbol, outProcID));
}

#undef AAX_FORWARD_V1

AAX_Result AAX_VComponentDescriptor::AddProcessProcs (AAX_IPropertyMap* inProperties, AAX_CTypeID* outProcIDs, int32_t inProcIDsSize)
{
    if (mIACFComponentDescriptorV3)
        return mIACFComponentDescriptorV3->AddProcessProcs (unknownOf (inProperties), outProcIDs, inProcIDsSize);

    return ManuallyAddProcessProcs (inProperties, outProcIDs, inProcIDsSize);
}

AAX_Result AAX_VComponentDescriptor::ManuallyAddProcessProcs (AAX_IPropertyMap* inProperties, AAX_CTypeID* outProcIDs, int32_t inProcIDsSize)
{
    if (inProperties == nullptr || ! mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;

    const bool hasNative = hasProperty (*inProperties, AAX_eProperty_PlugInID_Native);
    const bool hasAudioSuite = hasProperty (*inProperties, AAX_eProperty_PlugInID_AudioSuite);
    const bool hasTI = hasProperty (*inProperties, AAX_eProperty_PlugInID_TI);

    std::vector<AAX_CTypeID> ids;
    AAX_Result result = AAX_SUCCESS;

    if (hasNative || hasAudioSuite)
    {
        const void* processProc = pointerProperty (*inProperties, AAX_eProperty_NativeProcessProc, "AAX_eProperty_NativeProcessProc");
        const void* initProc = pointerProperty (*inProperties, AAX_eProperty_NativeInstanceInitProc);
        const void* backgroundProc = pointerProperty (*inProperties, AAX_eProperty_NativeBackgroundProc);

        // The buffer length travels with the procedure's registration, not in its map.
        AAX_IPropertyMap* nativeProperties = inProperties;

        if (hasProperty (*inProperties, AAX_eProperty_NativeAudioBufferLength))
        {
            AAX_IPropertyMap* copy = DuplicatePropertyMap (inProperties);

            if (copy != nullptr && copy->GetIUnknown() != nullptr)
            {
                AAX_CPropertyValue bufferLength = 0;
                const AAX_CBoolean gotPropertySuccess = copy->GetProperty (AAX_eProperty_NativeAudioBufferLength, &bufferLength);
                AAX_ASSERT_SOURCE (kSource, 0 != gotPropertySuccess);

                const AAX_Result removeNativeAudioBufferLengthResult = copy->RemoveProperty (AAX_eProperty_NativeAudioBufferLength);
                AAX_ASSERT_SOURCE (kSource, AAX_SUCCESS == removeNativeAudioBufferLengthResult);

                nativeProperties = copy;
            }
        }

        AAX_CTypeID id = 0;
        result = AddProcessProcNative (reinterpret_cast<AAX_CProcessProc> (const_cast<void*> (processProc)), nativeProperties,
                                       reinterpret_cast<AAX_CInstanceInitProc> (const_cast<void*> (initProc)),
                                       reinterpret_cast<AAX_CBackgroundProc> (const_cast<void*> (backgroundProc)), &id);

        if (result == AAX_SUCCESS)
            ids.push_back (id);
    }

    if (hasTI && result == AAX_SUCCESS)
    {
        const void* dllName = pointerProperty (*inProperties, AAX_eProperty_TIDLLFileName, "AAX_eProperty_TIDLLFileName");
        const void* processProc = pointerProperty (*inProperties, AAX_eProperty_TIProcessProc, "AAX_eProperty_TIProcessProc");
        const void* initProc = pointerProperty (*inProperties, AAX_eProperty_TIInstanceInitProc);
        const void* backgroundProc = pointerProperty (*inProperties, AAX_eProperty_TIBackgroundProc);

        AAX_CTypeID id = 0;
        result = AddProcessProcTI (static_cast<const char*> (dllName), static_cast<const char*> (processProc), inProperties,
                                   static_cast<const char*> (initProc), static_cast<const char*> (backgroundProc), &id);

        if (result == AAX_SUCCESS)
            ids.push_back (id);
    }

    if (outProcIDs != nullptr && result == AAX_SUCCESS)
    {
        if (static_cast<int64_t> (ids.size()) >= static_cast<int64_t> (inProcIDsSize))
            return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;

        for (size_t i = 0; i < ids.size(); ++i)
            outProcIDs[i] = ids[i];

        outProcIDs[ids.size()] = 0;
    }

    return result;
}
