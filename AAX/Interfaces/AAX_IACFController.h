#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

class AAX_IString;

// The host's controller of one effect instance in its three versions; each carries the
// operations of the one before.

class AAX_IACFController : public IACFUnknown
{
public:
    virtual AAX_Result GetEffectID (AAX_IString* outEffectID) const = 0;                                                           // 4th
    virtual AAX_Result GetSampleRate (AAX_CSampleRate* outSampleRate) const = 0;                                                   // 5th
    virtual AAX_Result GetInputStemFormat (AAX_EStemFormat* outStemFormat) const = 0;                                              // 6th
    virtual AAX_Result GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const = 0;                                             // 7th
    virtual AAX_Result GetSignalLatency (int32_t* outSamples) const = 0;                                                           // 8th
    virtual AAX_Result GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) const = 0;                // 9th
    virtual AAX_Result GetTODLocation (AAX_CTimeOfDay* outTODLocation) const = 0;                                                  // 10th
    virtual AAX_Result SetSignalLatency (int32_t inNumSamples) = 0;                                                                // 11th
    virtual AAX_Result SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues, int32_t inNumValues) = 0;   // 12th
    virtual AAX_Result PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload, uint32_t inPayloadSize) = 0;               // 13th
    virtual AAX_Result GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) const = 0;                               // 14th
    virtual AAX_Result GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) const = 0;                              // 15th
    virtual AAX_Result ClearMeterPeakValue (AAX_CTypeID inMeterID) const = 0;                                                      // 16th
    virtual AAX_Result GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) const = 0;                                // 17th
    virtual AAX_Result ClearMeterClipped (AAX_CTypeID inMeterID) const = 0;                                                        // 18th
    virtual AAX_Result GetMeterCount (uint32_t* outMeterCount) const = 0;                                                          // 19th
    virtual AAX_Result GetHostName (AAX_IString* outHostName) const = 0;                                                           // 20th
};

class AAX_IACFController_V2 : public AAX_IACFController
{
public:
    virtual AAX_Result SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) = 0;   // 21st
    virtual AAX_Result GetHybridSignalLatency (int32_t* outSamples) const = 0;                                                                   // 22nd
    virtual AAX_Result GetCurrentAutomationTimestamp (AAX_CTimeOfDay* outTimestamp) const = 0;                                                   // 23rd
    virtual AAX_Result GetHostVersion (uint32_t* outVersion) const = 0;                                                                          // 24th
};

class AAX_IACFController_V3 : public AAX_IACFController_V2
{
public:
    virtual AAX_Result GetPlugInTargetPlatform (int32_t* outTargetPlatform) const = 0;   // 25th
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const = 0;        // 26th
};
