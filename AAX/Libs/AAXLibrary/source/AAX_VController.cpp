#include "AAX_VController.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_Neutral.h"
#include "AAX_UIDs.h"
#include "AAX_VPageTable.h"

AAX_VController::AAX_VController (IACFUnknown* pUnknown)
{
    if (pUnknown == nullptr)
        return;

    mIController.Reset (static_cast<AAX_IACFController*> (AAX_QueryHostInterface (pUnknown, IID_IAAXControllerV1)));
    mIControllerV2.Reset (static_cast<AAX_IACFController_V2*> (AAX_QueryHostInterface (pUnknown, IID_IAAXControllerV2)));
    mIControllerV3.Reset (static_cast<AAX_IACFController_V3*> (AAX_QueryHostInterface (pUnknown, IID_IAAXControllerV3)));
    mIPageTableController.Reset (static_cast<AAX_IACFPageTableController*> (AAX_QueryHostInterface (pUnknown, IID_IAAXPageTableControllerV1)));
    mIPageTableControllerV2.Reset (static_cast<AAX_IACFPageTableController_V2*> (AAX_QueryHostInterface (pUnknown, IID_IAAXPageTableControllerV2)));
    mComponentFactory.Reset (static_cast<IACFComponentFactory*> (AAX_QueryHostInterface (pUnknown, IID_IACFComponentFactory)));
}

AAX_VController::~AAX_VController()
{
    mComponentFactory.Reset();
    mIPageTableControllerV2.Reset();
    mIPageTableController.Reset();
    mIControllerV3.Reset();
    mIControllerV2.Reset();
    mIController.Reset();
}

// Forwards to the version's interface; without it, neutral out-values and the code.
#define AAX_FORWARD(member, missing, call, ...) \
    if (! member)                               \
    {                                           \
        AAX_SetNeutral (__VA_ARGS__);           \
        return missing;                         \
    }                                           \
    return member->call

#define AAX_FORWARD_V1(call, ...) AAX_FORWARD (mIController, AAX_ERROR_NULL_OBJECT, call, __VA_ARGS__)
#define AAX_FORWARD_V2(call, ...) AAX_FORWARD (mIControllerV2, AAX_ERROR_UNIMPLEMENTED, call, __VA_ARGS__)
#define AAX_FORWARD_V3(call, ...) AAX_FORWARD (mIControllerV3, AAX_ERROR_UNIMPLEMENTED, call, __VA_ARGS__)

namespace
{
    // No out-value to clear.
    int* const kNone = nullptr;
}

AAX_Result AAX_VController::GetEffectID (AAX_IString* outEffectID) const { AAX_FORWARD_V1 (GetEffectID (outEffectID), kNone); }
AAX_Result AAX_VController::GetSampleRate (AAX_CSampleRate* outSampleRate) const { AAX_FORWARD_V1 (GetSampleRate (outSampleRate), outSampleRate); }

AAX_Result AAX_VController::GetInputStemFormat (AAX_EStemFormat* outStemFormat) const
{
    if (! mIController)
    {
        if (outStemFormat != nullptr)
            *outStemFormat = AAX_eStemFormat_None;
        return AAX_ERROR_NULL_OBJECT;
    }

    return mIController->GetInputStemFormat (outStemFormat);
}

AAX_Result AAX_VController::GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const
{
    if (! mIController)
    {
        if (outStemFormat != nullptr)
            *outStemFormat = AAX_eStemFormat_None;
        return AAX_ERROR_NULL_OBJECT;
    }

    return mIController->GetOutputStemFormat (outStemFormat);
}

AAX_Result AAX_VController::GetSignalLatency (int32_t* outSamples) const { AAX_FORWARD_V1 (GetSignalLatency (outSamples), outSamples); }

AAX_Result AAX_VController::GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) const
{
    AAX_FORWARD_V1 (GetCycleCount (inWhichCycleCount, outNumCycles), outNumCycles);
}

AAX_Result AAX_VController::GetTODLocation (AAX_CTimeOfDay* outTODLocation) const { AAX_FORWARD_V1 (GetTODLocation (outTODLocation), outTODLocation); }
AAX_Result AAX_VController::SetSignalLatency (int32_t inNumSamples) { AAX_FORWARD_V1 (SetSignalLatency (inNumSamples), kNone); }

AAX_Result AAX_VController::SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues, int32_t inNumValues)
{
    AAX_FORWARD_V1 (SetCycleCount (inWhichCycleCounts, inValues, inNumValues), kNone);
}

AAX_Result AAX_VController::PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload, uint32_t inPayloadSize)
{
    AAX_FORWARD_V1 (PostPacket (inFieldIndex, inPayload, inPayloadSize), kNone);
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize)
{
    AAX_FORWARD_V2 (SendNotification (inNotificationType, inNotificationData, inNotificationDataSize), kNone);
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID inNotificationType)
{
    AAX_FORWARD_V2 (SendNotification (inNotificationType, nullptr, 0), kNone);
}

AAX_Result AAX_VController::GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) const
{
    AAX_FORWARD_V1 (GetCurrentMeterValue (inMeterID, outMeterValue), outMeterValue);
}

AAX_Result AAX_VController::GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) const
{
    AAX_FORWARD_V1 (GetMeterPeakValue (inMeterID, outMeterPeakValue), outMeterPeakValue);
}

AAX_Result AAX_VController::ClearMeterPeakValue (AAX_CTypeID inMeterID) const { AAX_FORWARD_V1 (ClearMeterPeakValue (inMeterID), kNone); }
AAX_Result AAX_VController::GetMeterCount (uint32_t* outMeterCount) const { AAX_FORWARD_V1 (GetMeterCount (outMeterCount), outMeterCount); }

AAX_Result AAX_VController::GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) const
{
    AAX_FORWARD_V1 (GetMeterClipped (inMeterID, outClipped), outClipped);
}

AAX_Result AAX_VController::ClearMeterClipped (AAX_CTypeID inMeterID) const { AAX_FORWARD_V1 (ClearMeterClipped (inMeterID), kNone); }
AAX_Result AAX_VController::GetHostName (AAX_IString* outHostName) const { AAX_FORWARD_V1 (GetHostName (outHostName), kNone); }
AAX_Result AAX_VController::GetHybridSignalLatency (int32_t* outSamples) const { AAX_FORWARD_V2 (GetHybridSignalLatency (outSamples), outSamples); }

AAX_Result AAX_VController::GetCurrentAutomationTimestamp (AAX_CTimeOfDay* outTimestamp) const
{
    AAX_FORWARD_V2 (GetCurrentAutomationTimestamp (outTimestamp), outTimestamp);
}

AAX_Result AAX_VController::GetHostVersion (uint32_t* outVersion) const { AAX_FORWARD_V2 (GetHostVersion (outVersion), outVersion); }
AAX_Result AAX_VController::GetPlugInTargetPlatform (int32_t* outTargetPlatform) const { AAX_FORWARD_V3 (GetPlugInTargetPlatform (outTargetPlatform), outTargetPlatform); }
AAX_Result AAX_VController::GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const { AAX_FORWARD_V3 (GetIsAudioSuite (outIsAudioSuite), outIsAudioSuite); }

#undef AAX_FORWARD_V3
#undef AAX_FORWARD_V2
#undef AAX_FORWARD_V1
#undef AAX_FORWARD

template <typename FillTable>
AAX_IPageTable* AAX_VController::CreatePageTable (bool inHasService, FillTable&& inFill) const
{
    if (! inHasService)
        return nullptr;

    AAX_CHostReference<IACFUnknown> table;
    table.Reset (static_cast<IACFUnknown*> (AAX_CreateHostComponent (mComponentFactory.Get(), CLSID_AAXPageTable, IID_IAAXPageTableV2)));

    if (inFill (table.Get()) != AAX_SUCCESS || ! table)
        return nullptr;

    return new AAX_VPageTable (table.Get());
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffect (AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID,
                                                           AAX_CPropertyValue inPlugInID, uint32_t inTableType, int32_t inTablePageSize) const
{
    return CreatePageTable (static_cast<bool> (mIPageTableController), [&] (IACFUnknown* table) {
        return mIPageTableController->CopyTableForEffect (inManufacturerID, inProductID, inPlugInID, inTableType, inTablePageSize, table);
    });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayout (const char* inEffectID, const char* inLayoutName,
                                                           uint32_t inTableType, int32_t inTablePageSize) const
{
    return CreatePageTable (static_cast<bool> (mIPageTableController), [&] (IACFUnknown* table) {
        return mIPageTableController->CopyTableOfLayoutForEffect (inEffectID, inLayoutName, inTableType, inTablePageSize, table);
    });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffectFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding,
                                                                   AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID,
                                                                   AAX_CPropertyValue inPlugInID, uint32_t inTableType, int32_t inTablePageSize) const
{
    return CreatePageTable (static_cast<bool> (mIPageTableControllerV2), [&] (IACFUnknown* table) {
        return mIPageTableControllerV2->CopyTableForEffectFromFile (inPageTableFilePath, inFilePathEncoding, inManufacturerID, inProductID,
                                                                    inPlugInID, inTableType, inTablePageSize, table);
    });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayoutFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding,
                                                                   const char* inLayoutName, uint32_t inTableType, int32_t inTablePageSize) const
{
    return CreatePageTable (static_cast<bool> (mIPageTableControllerV2), [&] (IACFUnknown* table) {
        return mIPageTableControllerV2->CopyTableOfLayoutFromFile (inPageTableFilePath, inFilePathEncoding, inLayoutName,
                                                                   inTableType, inTablePageSize, table);
    });
}
