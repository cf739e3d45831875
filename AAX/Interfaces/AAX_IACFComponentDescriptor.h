#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

// The host's component descriptor in its three versions; each carries the operations
// of the one before. The process procedures travel as plain pointers.

class AAX_IACFComponentDescriptor : public IACFUnknown
{
public:
    virtual AAX_Result Clear() = 0;                                                                                                                    // 4th
    virtual AAX_Result AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType) = 0;                                                      // 5th
    virtual AAX_Result AddAudioIn (AAX_CFieldIndex inFieldIndex) = 0;                                                                                  // 6th
    virtual AAX_Result AddAudioOut (AAX_CFieldIndex inFieldIndex) = 0;                                                                                 // 7th
    virtual AAX_Result AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) = 0;                                                                        // 8th
    virtual AAX_Result AddSampleRate (AAX_CFieldIndex inFieldIndex) = 0;                                                                               // 9th
    virtual AAX_Result AddClock (AAX_CFieldIndex inFieldIndex) = 0;                                                                                    // 10th
    virtual AAX_Result AddSideChainIn (AAX_CFieldIndex inFieldIndex) = 0;                                                                              // 11th
    virtual AAX_Result AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount) = 0;                             // 12th
    virtual AAX_Result AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask) = 0;   // 13th
    virtual AAX_Result AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat, const char* inNameUTF8) = 0;                              // 14th
    virtual AAX_Result AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize, uint32_t inOptions) = 0;                                      // 15th
    virtual AAX_Result AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize) = 0;                                                        // 16th
    virtual AAX_Result AddProcessProcNative (void* inProcessProc, IACFUnknown* inProperties,
                                             void* inInstanceInitProc, void* inBackgroundProc,
                                             AAX_CTypeID* outProcID) = 0;   // 17th
    virtual AAX_Result AddProcessProcTI (const char* inDLLFileNameUTF8, const char* inProcessProcSymbol, IACFUnknown* inProperties,
                                         const char* inInstanceInitProcSymbol, const char* inBackgroundProcSymbol,
                                         AAX_CTypeID* outProcID) = 0;                          // 18th
    virtual AAX_Result AddDmaInstance (AAX_CFieldIndex inFieldIndex, int32_t inDmaMode) = 0;   // 19th
};

class AAX_IACFComponentDescriptor_V2 : public AAX_IACFComponentDescriptor
{
public:
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) = 0;   // 20th
};

class AAX_IACFComponentDescriptor_V3 : public AAX_IACFComponentDescriptor_V2
{
public:
    // Registers every procedure the map describes; writes their ids and a terminating 0.
    virtual AAX_Result AddProcessProcs (IACFUnknown* inProperties, AAX_CTypeID* outProcIDs, int32_t inProcIDsSize) = 0;   // 21st
};
