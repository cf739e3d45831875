#pragma once

#include "AAX_CHostReference.h"
#include "AAX_IACFController.h"
#include "AAX_IACFPageTableController.h"
#include "AAX_IController.h"
#include "IACFComponentFactory.h"

// Every operation: any thread; takes no lock, allocates nothing and calls the host's object synchronously.
// The page-table copies allocate their wrapper.
// Wraps the host's controller of one effect instance, its page-table service and its
// component factory. Without the version an operation needs it answers -20004 (first
// controller version) or -20009 (later ones) and leaves its out-values neutral; page
// tables then come back null.
class AAX_VController : public AAX_IController
{
public:
    explicit AAX_VController (IACFUnknown* pUnknown);
    ~AAX_VController() override;

    AAX_VController (const AAX_VController&) = delete;
    AAX_VController& operator= (const AAX_VController&) = delete;

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
    AAX_Result SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) override;
    AAX_Result SendNotification (AAX_CTypeID inNotificationType) override;
    AAX_Result GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) const override;
    AAX_Result GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) const override;
    AAX_Result ClearMeterPeakValue (AAX_CTypeID inMeterID) const override;
    AAX_Result GetMeterCount (uint32_t* outMeterCount) const override;
    AAX_Result GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) const override;
    AAX_Result ClearMeterClipped (AAX_CTypeID inMeterID) const override;
    AAX_Result GetHostName (AAX_IString* outHostName) const override;
    AAX_Result GetHybridSignalLatency (int32_t* outSamples) const override;
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTimeOfDay* outTimestamp) const override;
    AAX_Result GetHostVersion (uint32_t* outVersion) const override;
    AAX_Result GetPlugInTargetPlatform (int32_t* outTargetPlatform) const override;
    AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const override;

    AAX_IPageTable* CreateTableCopyForEffect (AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID,
                                              AAX_CPropertyValue inPlugInID, uint32_t inTableType, int32_t inTablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForLayout (const char* inEffectID, const char* inLayoutName,
                                              uint32_t inTableType, int32_t inTablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForEffectFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding,
                                                      AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID,
                                                      AAX_CPropertyValue inPlugInID, uint32_t inTableType, int32_t inTablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForLayoutFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding,
                                                      const char* inLayoutName, uint32_t inTableType, int32_t inTablePageSize) const override;

private:
    // Makes an empty host page table, lets the host fill it, and wraps it.
    template <typename FillTable>
    AAX_IPageTable* CreatePageTable (bool inHasService, FillTable&& inFill) const;

    AAX_CHostReference<AAX_IACFController> mIController;
    AAX_CHostReference<AAX_IACFController_V2> mIControllerV2;
    AAX_CHostReference<AAX_IACFController_V3> mIControllerV3;
    AAX_CHostReference<AAX_IACFPageTableController> mIPageTableController;
    AAX_CHostReference<AAX_IACFPageTableController_V2> mIPageTableControllerV2;
    AAX_CHostReference<IACFComponentFactory> mComponentFactory;
};
