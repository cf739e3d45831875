#include "StandInController.h"
#include "StandInAutomationDelegate.h"
#include "StandInComponentFactory.h"
#include "StandInHost.h"
#include "StandInPageTable.h"
#include "StandInTransport.h"

#include "AAX_Errors.h"
#include "AAX_IString.h"
#include "AAX_UIDs.h"

#include <stdexcept>

namespace
{

    template <typename T>
    AAX_Result answer (T* out, T value)
    {
        if (out == nullptr)
            return AAX_ERROR_NULL_ARGUMENT;

        *out = value;
        return AAX_SUCCESS;
    }
}

StandInController::StandInController (StandInHost& host)
    : StandInObject ("controller"), mHost (host)
{
}

ACFRESULT StandInController::QueryInterface (const acfIID& iid, void** ppOut)
{
    if (mThrowOnQuery)
        throw std::runtime_error ("stand-in controller query failed");

    if (ppOut != nullptr && mHost.Offers (iid))
    {
        if (iid == IID_IAAXAutomationDelegateV1)
            return mHost.Automation().QueryInterface (iid, ppOut);

        if (iid == IID_IAAXTransportV1 || iid == IID_IAAXTransportV2)
            return mHost.Transport().QueryInterface (iid, ppOut);

        if (iid == IID_IACFComponentFactory)
            return mHost.Factory().QueryInterface (iid, ppOut);

        if (mEffect != nullptr && (iid == IID_IAAXEffectParametersV1 || iid == IID_IAAXEffectParametersV2 || iid == IID_IAAXEffectParametersV3 || iid == IID_IAAXEffectParametersV4))
            return mEffect->QueryInterface (iid, ppOut);
    }

    void* own = nullptr;

    if (iid == IID_IACFUnknown || iid == IID_IAAXControllerV1 || iid == IID_IAAXControllerV2 || iid == IID_IAAXControllerV3)
        own = static_cast<AAX_IACFController_V3*> (this);
    else if (iid == IID_IAAXPageTableControllerV1 || iid == IID_IAAXPageTableControllerV2)
        own = static_cast<AAX_IACFPageTableController_V2*> (this);

    return Answer (mHost.Offers (iid), own, ppOut);
}

acfUInt32 StandInController::AddRef() { return CountAddRef(); }
acfUInt32 StandInController::Release() { return CountRelease(); }

void StandInController::Call (const std::string& line) const
{
    const_cast<StandInController*> (this)->NoteCall (line.c_str());
    mCalls.push_back (line);
}

AAX_Result StandInController::GetEffectID (AAX_IString* outEffectID) const
{
    Call ("GetEffectID");

    if (outEffectID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    outEffectID->Set ("stand-in effect");
    return AAX_SUCCESS;
}

AAX_Result StandInController::GetSampleRate (AAX_CSampleRate* outSampleRate) const
{
    Call ("GetSampleRate");
    return answer (outSampleRate, sampleRate);
}
AAX_Result StandInController::GetInputStemFormat (AAX_EStemFormat* outStemFormat) const
{
    Call ("GetInputStemFormat");
    return answer (outStemFormat, inputStemFormat);
}
AAX_Result StandInController::GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const
{
    Call ("GetOutputStemFormat");
    return answer (outStemFormat, outputStemFormat);
}

AAX_Result StandInController::GetSignalLatency (int32_t* outSamples) const
{
    Call ("GetSignalLatency");
    return answer (outSamples, mLatencies.empty() ? 0 : mLatencies.back());
}

AAX_Result StandInController::GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) const
{
    Call ("GetCycleCount " + std::to_string (inWhichCycleCount));
    return answer (outNumCycles, 0);
}

AAX_Result StandInController::GetTODLocation (AAX_CTimeOfDay* outTODLocation) const
{
    Call ("GetTODLocation");
    return answer (outTODLocation, AAX_CTimeOfDay (0));
}

AAX_Result StandInController::SetSignalLatency (int32_t inNumSamples)
{
    Call ("SetSignalLatency " + std::to_string (inNumSamples));
    mLatencies.push_back (inNumSamples);
    return AAX_SUCCESS;
}

AAX_Result StandInController::SetCycleCount (AAX_EProperty*, AAX_CPropertyValue*, int32_t inNumValues)
{
    Call ("SetCycleCount " + std::to_string (inNumValues));
    return AAX_SUCCESS;
}

AAX_Result StandInController::PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload, uint32_t inPayloadSize)
{
    Call ("PostPacket " + std::to_string (inFieldIndex));

    if (inPayload == nullptr && inPayloadSize != 0)
        return AAX_ERROR_NULL_ARGUMENT;

    if (postPacketResult != AAX_SUCCESS)
        return postPacketResult;

    const auto* bytes = static_cast<const uint8_t*> (inPayload);
    mPackets[inFieldIndex].emplace_back (bytes, bytes + inPayloadSize);
    return AAX_SUCCESS;
}

AAX_Result StandInController::GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) const
{
    Call ("GetCurrentMeterValue " + std::to_string (inMeterID));
    return answer (outMeterValue, 0.0f);
}

AAX_Result StandInController::GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) const
{
    Call ("GetMeterPeakValue " + std::to_string (inMeterID));
    return answer (outMeterPeakValue, 0.0f);
}

AAX_Result StandInController::ClearMeterPeakValue (AAX_CTypeID inMeterID) const
{
    Call ("ClearMeterPeakValue " + std::to_string (inMeterID));
    return AAX_SUCCESS;
}

AAX_Result StandInController::GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) const
{
    Call ("GetMeterClipped " + std::to_string (inMeterID));
    return answer (outClipped, AAX_CBoolean (0));
}

AAX_Result StandInController::ClearMeterClipped (AAX_CTypeID inMeterID) const
{
    Call ("ClearMeterClipped " + std::to_string (inMeterID));
    return AAX_SUCCESS;
}
AAX_Result StandInController::GetMeterCount (uint32_t* outMeterCount) const
{
    Call ("GetMeterCount");
    return answer (outMeterCount, 0u);
}

AAX_Result StandInController::GetHostName (AAX_IString* outHostName) const
{
    Call ("GetHostName");

    if (outHostName == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    outHostName->Set (hostName.c_str());
    return AAX_SUCCESS;
}

AAX_Result StandInController::SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize)
{
    Call ("SendNotification " + std::to_string (inNotificationType));

    if (inNotificationData == nullptr && inNotificationDataSize != 0)
        return AAX_ERROR_NULL_ARGUMENT;

    const auto* bytes = static_cast<const uint8_t*> (inNotificationData);
    mNotifications.push_back ({ inNotificationType, std::vector<uint8_t> (bytes, bytes + inNotificationDataSize) });
    return AAX_SUCCESS;
}

AAX_Result StandInController::GetHybridSignalLatency (int32_t* outSamples) const
{
    Call ("GetHybridSignalLatency");
    return answer (outSamples, 0);
}
AAX_Result StandInController::GetCurrentAutomationTimestamp (AAX_CTimeOfDay* outTimestamp) const
{
    Call ("GetCurrentAutomationTimestamp");
    return answer (outTimestamp, AAX_CTimeOfDay (1234));
}
AAX_Result StandInController::GetHostVersion (uint32_t* outVersion) const
{
    Call ("GetHostVersion");
    return answer (outVersion, 0x00010000u);
}
AAX_Result StandInController::GetPlugInTargetPlatform (int32_t* outTargetPlatform) const
{
    Call ("GetPlugInTargetPlatform");
    return answer (outTargetPlatform, 0);
}
AAX_Result StandInController::GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const
{
    Call ("GetIsAudioSuite");
    return answer (outIsAudioSuite, isAudioSuite);
}

AAX_Result StandInController::FillTable (const std::string& request, IACFUnknown* ioPageTable) const
{
    Call (request);

    if (pageTableResult != 0)
        return pageTableResult;

    auto* table = dynamic_cast<StandInPageTable*> (ioPageTable);

    if (table == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    table->filledBy = request;
    table->InsertPage (0);
    return AAX_SUCCESS;
}

AAX_Result StandInController::CopyTableForEffect (AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
                                                  uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const
{
    return FillTable ("CopyTableForEffect " + std::to_string (inManufacturerID) + " " + std::to_string (inProductID) + " "
                          + std::to_string (inPlugInID) + " " + std::to_string (inTableType) + " " + std::to_string (inTablePageSize),
                      ioPageTable);
}

AAX_Result StandInController::CopyTableOfLayoutForEffect (const char* inEffectID, const char* inLayoutName,
                                                          uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const
{
    return FillTable ("CopyTableOfLayoutForEffect " + Text (inEffectID) + " " + Text (inLayoutName) + " "
                          + std::to_string (inTableType) + " " + std::to_string (inTablePageSize),
                      ioPageTable);
}

AAX_Result StandInController::CopyTableForEffectFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding,
                                                          AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
                                                          uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const
{
    return FillTable ("CopyTableForEffectFromFile " + Text (inPageTableFilePath) + " " + std::to_string (inFilePathEncoding) + " "
                          + std::to_string (inManufacturerID) + " " + std::to_string (inProductID) + " " + std::to_string (inPlugInID) + " "
                          + std::to_string (inTableType) + " " + std::to_string (inTablePageSize),
                      ioPageTable);
}

AAX_Result StandInController::CopyTableOfLayoutFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding, const char* inLayoutName,
                                                         uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const
{
    return FillTable ("CopyTableOfLayoutFromFile " + Text (inPageTableFilePath) + " " + std::to_string (inFilePathEncoding) + " "
                          + Text (inLayoutName) + " " + std::to_string (inTableType) + " " + std::to_string (inTablePageSize),
                      ioPageTable);
}
