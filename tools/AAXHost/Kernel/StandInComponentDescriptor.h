#pragma once

#include "AAX_IACFComponentDescriptor.h"
#include "StandInObject.h"
#include "StandInPropertyMap.h"

#include <string>
#include <vector>

class StandInHost;

// The host's component descriptor in all three versions. Records every field
// registration as a line, and every process procedure with a copy of its map.
class StandInComponentDescriptor : public AAX_IACFComponentDescriptor_V3, public StandInObject
{
public:
    struct ProcessProc
    {
        bool native = true;
        const void* processProc = nullptr;
        const void* instanceInitProc = nullptr;
        const void* backgroundProc = nullptr;
        std::string dllName, processSymbol, instanceInitSymbol, backgroundSymbol;
        StandInPropertyMap::Contents properties;
        AAX_CTypeID id = 0;
    };

    explicit StandInComponentDescriptor (StandInHost& host);

    const std::vector<std::string>& Fields() const { return mFields; }
    const std::vector<ProcessProc>& ProcessProcs() const { return mProcessProcs; }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    AAX_Result Clear() override;
    AAX_Result AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType) override;
    AAX_Result AddAudioIn (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddAudioOut (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddSampleRate (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddClock (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddSideChainIn (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount) override;
    AAX_Result AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask) override;
    AAX_Result AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat, const char* inNameUTF8) override;
    AAX_Result AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize, uint32_t inOptions) override;
    AAX_Result AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize) override;
    AAX_Result AddProcessProcNative (void* inProcessProc, IACFUnknown* inProperties, void* inInstanceInitProc,
                                     void* inBackgroundProc, AAX_CTypeID* outProcID) override;
    AAX_Result AddProcessProcTI (const char* inDLLFileNameUTF8, const char* inProcessProcSymbol, IACFUnknown* inProperties,
                                 const char* inInstanceInitProcSymbol, const char* inBackgroundProcSymbol, AAX_CTypeID* outProcID) override;
    AAX_Result AddDmaInstance (AAX_CFieldIndex inFieldIndex, int32_t inDmaMode) override;
    AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) override;
    AAX_Result AddProcessProcs (IACFUnknown* inProperties, AAX_CTypeID* outProcIDs, int32_t inProcIDsSize) override;

private:
    AAX_CTypeID Register (ProcessProc proc, AAX_CTypeID* outProcID);

    StandInHost& mHost;
    std::vector<std::string> mFields;
    std::vector<ProcessProc> mProcessProcs;
};
