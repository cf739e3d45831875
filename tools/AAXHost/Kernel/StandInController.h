#pragma once

#include "AAX_IACFController.h"
#include "AAX_IACFPageTableController.h"
#include "StandInObject.h"

#include <map>
#include <string>
#include <vector>

class StandInHost;

// The controller object the host hands to an effect: the controller in all three
// versions and the page-table service in both. It also answers for the host's
// automation delegate, transport and component factory. Records latencies, packets per
// port, notifications and page-table requests.
class StandInController : public AAX_IACFController_V3, public AAX_IACFPageTableController_V2, public StandInObject
{
public:
    struct Notification
    {
        AAX_CTypeID type;
        std::vector<uint8_t> data;
    };

    explicit StandInController (StandInHost& host);

    IACFUnknown* Unknown() { return static_cast<AAX_IACFController*> (this); }

    // Makes every query throw, as a misbehaving host might.
    void ThrowOnQuery (bool shouldThrow) { mThrowOnQuery = shouldThrow; }

    AAX_CSampleRate sampleRate = 48000.0f;
    AAX_EStemFormat inputStemFormat = AAX_eStemFormat_Stereo;
    AAX_EStemFormat outputStemFormat = AAX_eStemFormat_Stereo;
    AAX_CBoolean isAudioSuite = 0;
    std::string hostName = "Stand-in host";
    AAX_Result pageTableResult = 0;    // what the page-table service answers
    AAX_Result postPacketResult = 0;   // what PostPacket answers; a failed post records nothing

    // The effect object of this controller: a query for the effect-parameters interface
    // goes to it, as a GUI finds its effect that way. Not counted; null answers nothing.
    void SetEffect (IACFUnknown* effect) { mEffect = effect; }

    const std::vector<int32_t>& Latencies() const { return mLatencies; }
    const std::map<int32_t, std::vector<std::vector<uint8_t>>>& Packets() const { return mPackets; }
    const std::vector<Notification>& Notifications() const { return mNotifications; }
    const std::vector<std::string>& Calls() const { return mCalls; }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    AAX_Result GetEffectID (AAX_IString* outEffectID) const override;
    AAX_Result GetSampleRate (AAX_CSampleRate* outSampleRate) const override;
    AAX_Result GetInputStemFormat (AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetSignalLatency (int32_t* outSamples) const override;
    AAX_Result GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) const override;
    AAX_Result GetTODLocation (AAX_CTimeOfDay* outTODLocation) const override;
    AAX_Result SetSignalLatency (int32_t inNumSamples) override;
    AAX_Result SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues, int32_t inNumValues) override;
    AAX_Result PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload, uint32_t inPayloadSize) override;
    AAX_Result GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) const override;
    AAX_Result GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) const override;
    AAX_Result ClearMeterPeakValue (AAX_CTypeID inMeterID) const override;
    AAX_Result GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) const override;
    AAX_Result ClearMeterClipped (AAX_CTypeID inMeterID) const override;
    AAX_Result GetMeterCount (uint32_t* outMeterCount) const override;
    AAX_Result GetHostName (AAX_IString* outHostName) const override;
    AAX_Result SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) override;
    AAX_Result GetHybridSignalLatency (int32_t* outSamples) const override;
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTimeOfDay* outTimestamp) const override;
    AAX_Result GetHostVersion (uint32_t* outVersion) const override;
    AAX_Result GetPlugInTargetPlatform (int32_t* outTargetPlatform) const override;
    AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const override;

    AAX_Result CopyTableForEffect (AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
                                   uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const override;
    AAX_Result CopyTableOfLayoutForEffect (const char* inEffectID, const char* inLayoutName,
                                           uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const override;
    AAX_Result CopyTableForEffectFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding,
                                           AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
                                           uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const override;
    AAX_Result CopyTableOfLayoutFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding, const char* inLayoutName,
                                          uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const override;

private:
    // Queries are const to the library; the record is the stand-in's own business.
    void Call (const std::string& line) const;
    AAX_Result FillTable (const std::string& request, IACFUnknown* ioPageTable) const;

    StandInHost& mHost;
    IACFUnknown* mEffect = nullptr;
    bool mThrowOnQuery = false;
    std::vector<int32_t> mLatencies;
    std::map<int32_t, std::vector<std::vector<uint8_t>>> mPackets;
    std::vector<Notification> mNotifications;
    mutable std::vector<std::string> mCalls;
};
