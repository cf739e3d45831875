#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

class AAX_IPropertyMap;

// Generic forms of a component's procedures, as they travel to the host.
typedef void (AAX_CALLBACK* AAX_CProcessProc) (void* const inInstancesBegin[], const void* inInstancesEnd);
typedef int32_t (AAX_CALLBACK* AAX_CInstanceInitProc) (const void* inInstanceContextPtr, AAX_EComponentInstanceInitAction inAction);
typedef int32_t (AAX_CALLBACK* AAX_CBackgroundProc)();

// One processing component of an effect: the fields of its process context, its meters
// and MIDI nodes, and its process procedures.
class AAX_IComponentDescriptor
{
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddAudioOut (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddSampleRate (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddClock (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddSideChainIn (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount) = 0;
    virtual AAX_Result AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType, const char inNodeName[], uint32_t inChannelMask) = 0;
    virtual AAX_Result AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat, const char inNameUTF8[]) = 0;
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) = 0;
    virtual AAX_Result AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize, uint32_t inOptions = 0) = 0;
    virtual AAX_Result AddDmaInstance (AAX_CFieldIndex inFieldIndex, int32_t inDmaMode) = 0;
    virtual AAX_Result AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize) = 0;
    virtual AAX_Result AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType) = 0;

    // Maps made here belong to this descriptor.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* inPropertyMap) = 0;

    virtual AAX_Result AddProcessProcNative (AAX_CProcessProc inProcessProc, AAX_IPropertyMap* inProperties,
                                             AAX_CInstanceInitProc inInstanceInitProc, AAX_CBackgroundProc inBackgroundProc,
                                             AAX_CTypeID* outProcID) = 0;
    virtual AAX_Result AddProcessProcTI (const char inDLLFileNameUTF8[], const char inProcessProcSymbol[], AAX_IPropertyMap* inProperties,
                                         const char inInstanceInitProcSymbol[], const char inBackgroundProcSymbol[],
                                         AAX_CTypeID* outProcID) = 0;

    // Registers every procedure the map describes. With outProcIDs, the ids are written
    // followed by one 0, which must fit in inProcIDsSize entries.
    virtual AAX_Result AddProcessProcs (AAX_IPropertyMap* inProperties, AAX_CTypeID* outProcIDs = nullptr, int32_t inProcIDsSize = 0) = 0;

    // The native process procedure with its typed context.
    template <typename aContextType>
    AAX_Result AddProcessProc_Native (void (AAX_CALLBACK* inProcessProc) (aContextType* const inInstancesBegin[], const void* inInstancesEnd),
                                      AAX_IPropertyMap* inProperties = nullptr,
                                      int32_t (AAX_CALLBACK* inInstanceInitProc) (const aContextType* inInstanceContextPtr, AAX_EComponentInstanceInitAction inAction) = nullptr,
                                      int32_t (AAX_CALLBACK* inBackgroundProc)() = nullptr,
                                      AAX_CTypeID* outProcID = nullptr)
    {
        return AddProcessProcNative (reinterpret_cast<AAX_CProcessProc> (inProcessProc), inProperties,
                                     reinterpret_cast<AAX_CInstanceInitProc> (inInstanceInitProc),
                                     inBackgroundProc, outProcID);
    }
};
