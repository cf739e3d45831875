#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

class AAX_IPageTable;
class AAX_IString;

// The effect's view of the host's controller: sample rate, channel formats, latency,
// coefficient packets, notifications, meters and page tables. Queries that the host
// cannot answer leave their out-values neutral (0, false, no stem format).
class AAX_IController
{
public:
    virtual ~AAX_IController() = default;

    virtual AAX_Result GetEffectID (AAX_IString* outEffectID) const = 0;                                                                         // 1
    virtual AAX_Result GetSampleRate (AAX_CSampleRate* outSampleRate) const = 0;                                                                 // 2
    virtual AAX_Result GetInputStemFormat (AAX_EStemFormat* outStemFormat) const = 0;                                                            // 3
    virtual AAX_Result GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const = 0;                                                           // 4
    virtual AAX_Result GetSignalLatency (int32_t* outSamples) const = 0;                                                                         // 5
    virtual AAX_Result GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) const = 0;                              // 6
    virtual AAX_Result GetTODLocation (AAX_CTimeOfDay* outTODLocation) const = 0;                                                                // 7
    virtual AAX_Result SetSignalLatency (int32_t inNumSamples) = 0;                                                                              // 8
    virtual AAX_Result SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues, int32_t inNumValues) = 0;                 // 9
    virtual AAX_Result PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload, uint32_t inPayloadSize) = 0;                             // 10
    virtual AAX_Result SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) = 0;   // 11
    virtual AAX_Result SendNotification (AAX_CTypeID inNotificationType) = 0;                                                                    // 12
    virtual AAX_Result GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) const = 0;                                             // 13
    virtual AAX_Result GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) const = 0;                                            // 14
    virtual AAX_Result ClearMeterPeakValue (AAX_CTypeID inMeterID) const = 0;                                                                    // 15
    virtual AAX_Result GetMeterCount (uint32_t* outMeterCount) const = 0;                                                                        // 16
    virtual AAX_Result GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) const = 0;                                              // 17
    virtual AAX_Result ClearMeterClipped (AAX_CTypeID inMeterID) const = 0;                                                                      // 18
    virtual AAX_Result GetHostName (AAX_IString* outHostName) const = 0;                                                                         // 19
    virtual AAX_Result GetHybridSignalLatency (int32_t* outSamples) const = 0;                                                                   // 20
    virtual AAX_Result GetCurrentAutomationTimestamp (AAX_CTimeOfDay* outTimestamp) const = 0;                                                   // 21
    virtual AAX_Result GetHostVersion (uint32_t* outVersion) const = 0;                                                                          // 22
    virtual AAX_Result GetPlugInTargetPlatform (int32_t* outTargetPlatform) const = 0;                                                           // 23
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const = 0;                                                                // 24

    // New page tables, owned by the caller; null when the host cannot make one.
    virtual AAX_IPageTable* CreateTableCopyForEffect (AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID,
                                                      AAX_CPropertyValue inPlugInID, uint32_t inTableType, int32_t inTablePageSize) const = 0;   // 25
    virtual AAX_IPageTable* CreateTableCopyForLayout (const char* inEffectID, const char* inLayoutName,
                                                      uint32_t inTableType, int32_t inTablePageSize) const = 0;   // 26
    virtual AAX_IPageTable* CreateTableCopyForEffectFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding,
                                                              AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID,
                                                              AAX_CPropertyValue inPlugInID, uint32_t inTableType, int32_t inTablePageSize) const = 0;   // 27
    virtual AAX_IPageTable* CreateTableCopyForLayoutFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding,
                                                              const char* inLayoutName, uint32_t inTableType, int32_t inTablePageSize) const = 0;   // 28
};
