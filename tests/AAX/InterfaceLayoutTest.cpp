// The host-side interfaces against the host's numbering: identifiers in text form and
// the position of every operation in the interface's operation table (1 = first
// IACFUnknown operation). Positions are read from member-function pointers as the
// Itanium C++ ABI encodes them (the ABI of the product platform).

#include "AAX.h"
#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IACFCollection.h"
#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IACFController.h"
#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"
#include "AAX_IACFDescriptionHost.h"
#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IACFFeatureInfo.h"
#include "AAX_IACFHostServices.h"
#include "AAX_IACFPageTable.h"
#include "AAX_IACFPageTableController.h"
#include "AAX_IACFPropertyMap.h"
#include "AAX_IACFTransport.h"
#include "AAX_IACFViewContainer.h"
#include "AAX_UIDs.h"
#include "IACFComponentFactory.h"
#include "IACFUnknown.h"
#include "StandInUID.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace
{
    template <typename Method>
    int OperationNumber (Method method)
    {
        struct Representation
        {
            uintptr_t ptr;
            ptrdiff_t adj;
        };

        static_assert (sizeof (Method) == sizeof (Representation));
        Representation r;
        std::memcpy (&r, &method, sizeof (r));

#if defined(__aarch64__) || defined(__arm__)
        if ((r.adj & 1) == 0)
            return -1;
        return static_cast<int> (r.ptr / sizeof (void*)) + 1;
#else
        if ((r.ptr & 1) == 0)
            return -1;
        return static_cast<int> ((r.ptr - 1) / sizeof (void*)) + 1;
#endif
    }
}

#if defined(__GNUC__) && ! defined(_MSC_VER)
#define ITANIUM_LAYOUT 1
#else
#define ITANIUM_LAYOUT 0
#endif

TEST (InterfaceLayout, IdentifiersMatchTheirTextForm)
{
    EXPECT_EQ ("00000000-0000-0000-C000-000000000046", StandInUID::ToText (IID_IACFUnknown));
    EXPECT_EQ ("382B6A96-7FD0-11D6-BCFE-00306542A024", StandInUID::ToText (IID_IACFComponentFactory));
    EXPECT_EQ ("00EEF015-7FD0-11D6-8485-00306542A024", StandInUID::ToText (IID_IACFPluginDefinition));
    EXPECT_EQ ("88882C2D-EBBC-42EF-C0AB-8981B0BD0CCA", StandInUID::ToText (CLSID_AAXHostServices));
    EXPECT_EQ ("96D42C2D-EBBC-41EF-B0AB-9991A0ED0CCA", StandInUID::ToText (IID_IAAXHostServicesV1));
    EXPECT_EQ ("A207EE9E-B442-11E4-A71E-12E3F512A338", StandInUID::ToText (IID_IAAXHostServicesV2));
    EXPECT_EQ ("12BEA399-9A4F-4353-8098-3916FA71898D", StandInUID::ToText (IID_IAAXHostServicesV3));
    EXPECT_EQ ("9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E", StandInUID::ToText (IID_IAAXAutomationDelegateV1));
    EXPECT_EQ ("89882C2D-77BC-42EF-707B-7981B7BD0CCA", StandInUID::ToText (CLSID_AAXCollection));
    EXPECT_EQ ("96D42C2D-EBBC-41DF-B1AB-9991A2EE0CCA", StandInUID::ToText (IID_IAAXCollectionV1));
    EXPECT_EQ ("89872C2D-75BC-423F-401B-F9A1BAAD0CCA", StandInUID::ToText (CLSID_AAXEffectDescriptor));
    EXPECT_EQ ("96D42C2D-EBBC-41EF-D1CB-499442E40FDA", StandInUID::ToText (IID_IAAXEffectDescriptorV1));
    EXPECT_EQ ("41ECCC52-416B-4072-84BD-40B05210A74C", StandInUID::ToText (IID_IAAXEffectDescriptorV2));
    EXPECT_EQ ("E5BC71DF-4C1F-4CC4-814A-5A7DD0E70EF5", StandInUID::ToText (IID_IAAXDescriptionHostV1));
    EXPECT_EQ ("E51741F1-7FCF-11D6-AAC3-00306542A024", StandInUID::ToText (IID_IACFDefinition));
    EXPECT_EQ ("24545609-A7C4-44D4-ABB8-CF13EA9D0BDF", StandInUID::ToText (IID_IAAXFeatureInfoV1));
    EXPECT_EQ ("94872C3D-95BC-413D-D0DB-D9B12AAD0CCA", StandInUID::ToText (CLSID_AAXComponentDescriptor));
    EXPECT_EQ ("96E42C2D-E2BC-51EF-61C7-48994AEB0CDA", StandInUID::ToText (IID_IAAXComponentDescriptorV1));
    EXPECT_EQ ("1895259E-AAA9-4F0F-A985-149837B76F89", StandInUID::ToText (IID_IAAXComponentDescriptorV2));
    EXPECT_EQ ("979CFCD4-2BCB-43AE-9CD0-2D0ECD2ADCD5", StandInUID::ToText (IID_IAAXComponentDescriptorV3));
    EXPECT_EQ ("A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA", StandInUID::ToText (CLSID_AAXPropertyMap));
    EXPECT_EQ ("96EE2C2D-EECC-5EFF-E2D7-E849E3E2EEEE", StandInUID::ToText (IID_IAAXPropertyMapV1));
    EXPECT_EQ ("7177DF80-7C9C-11E2-B92A-0800200C9A66", StandInUID::ToText (IID_IAAXPropertyMapV2));
    EXPECT_EQ ("6D4AB208-D34B-4368-B4F1-58BC243F45C9", StandInUID::ToText (IID_IAAXPropertyMapV3));
    EXPECT_EQ ("9D5E3E3D-52DC-5EFB-2018-DE1DE2E63F4E", StandInUID::ToText (IID_IAAXControllerV1));
    EXPECT_EQ ("4C59AA0E-D7C0-4205-8B6C-32468D42D202", StandInUID::ToText (IID_IAAXControllerV2));
    EXPECT_EQ ("DD6F168C-DA86-44F8-B864-D6CD221926E7", StandInUID::ToText (IID_IAAXControllerV3));
    EXPECT_EQ ("2E9D35FB-BACC-4B2C-B5D7-C6E851F569BD", StandInUID::ToText (IID_IAAXPageTableControllerV1));
    EXPECT_EQ ("06C6B83E-9D87-4938-8A38-F8E45B10A24A", StandInUID::ToText (IID_IAAXPageTableControllerV2));
    EXPECT_EQ ("DBC22879-A24E-4AC6-9721-938B72D8E81B", StandInUID::ToText (CLSID_AAXPageTable));
    EXPECT_EQ ("33C9E5BE-1CE3-4085-91A7-09D6F8EE4B64", StandInUID::ToText (IID_IAAXPageTableV1));
    EXPECT_EQ ("D0F25D1B-9C5B-4D2E-8F1F-45BC934732F7", StandInUID::ToText (IID_IAAXPageTableV2));
    EXPECT_EQ ("22DA0BBC-D550-4D5E-8CC6-734483B8837F", StandInUID::ToText (IID_IAAXViewContainerV1));
    EXPECT_EQ ("9143A0BE-7A79-4D02-AE25-AADBA76A50B2", StandInUID::ToText (IID_IAAXViewContainerV2));
    EXPECT_EQ ("5CEE4EF4-6337-4359-B63B-FE58DC36543A", StandInUID::ToText (IID_IAAXTransportV1));
    EXPECT_EQ ("203CBD9F-982C-4FE6-A827-07480257AEC3", StandInUID::ToText (IID_IAAXTransportV2));
    EXPECT_EQ ("964E333D-334C-533F-C2C7-3834C3C23E3E", StandInUID::ToText (IID_IAAXEffectParametersV1));
    EXPECT_EQ ("F1F47D06-308F-4CC5-9C7C-50A83F8AB813", StandInUID::ToText (IID_IAAXEffectParametersV2));
    EXPECT_EQ ("D2540E9D-9163-42BB-A6FD-81E10EA32498", StandInUID::ToText (IID_IAAXEffectParametersV3));
    EXPECT_EQ ("2E485536-31A3-4697-9C16-E59BF6B28A41", StandInUID::ToText (IID_IAAXEffectParametersV4));
    EXPECT_EQ ("964E323D-424C-5E1A-2227-282423222E1E", StandInUID::ToText (IID_IAAXEffectGUIV1));
}

TEST (InterfaceLayout, OperationPositions)
{
    if (! ITANIUM_LAYOUT)
        GTEST_SKIP() << "operation positions are read through the Itanium ABI";

    EXPECT_EQ (1, OperationNumber (&IACFUnknown::QueryInterface));
    EXPECT_EQ (2, OperationNumber (&IACFUnknown::AddRef));
    EXPECT_EQ (3, OperationNumber (&IACFUnknown::Release));
    EXPECT_EQ (4, OperationNumber (&IACFComponentFactory::CreateInstance));

    EXPECT_EQ (5, OperationNumber (&AAX_IACFHostServices::Trace));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFHostServices_V2::StackTrace));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFHostServices_V3::HandleAssertFailure));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFAutomationDelegate::RegisterParameter));
    EXPECT_EQ (5, OperationNumber (&AAX_IACFAutomationDelegate::UnregisterParameter));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFAutomationDelegate::PostSetValueRequest));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFAutomationDelegate::PostCurrentValue));
    EXPECT_EQ (8, OperationNumber (&AAX_IACFAutomationDelegate::PostTouchRequest));
    EXPECT_EQ (9, OperationNumber (&AAX_IACFAutomationDelegate::PostReleaseRequest));
    EXPECT_EQ (10, OperationNumber (&AAX_IACFAutomationDelegate::GetTouchState));

    EXPECT_EQ (8, OperationNumber (&AAX_IACFCollection::AddEffect));
    EXPECT_EQ (9, OperationNumber (&AAX_IACFCollection::SetManufacturerName));
    EXPECT_EQ (10, OperationNumber (&AAX_IACFCollection::AddPackageName));
    EXPECT_EQ (11, OperationNumber (&AAX_IACFCollection::SetPackageVersion));
    EXPECT_EQ (12, OperationNumber (&AAX_IACFCollection::SetProperties));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFEffectDescriptor::AddComponent));
    EXPECT_EQ (5, OperationNumber (&AAX_IACFEffectDescriptor::AddName));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFEffectDescriptor::AddCategory));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFEffectDescriptor::AddCategoryBypassParameter));
    EXPECT_EQ (8, OperationNumber (&AAX_IACFEffectDescriptor::AddProcPtr));
    EXPECT_EQ (9, OperationNumber (&AAX_IACFEffectDescriptor::SetProperties));
    EXPECT_EQ (10, OperationNumber (&AAX_IACFEffectDescriptor::AddResourceInfo));
    EXPECT_EQ (11, OperationNumber (&AAX_IACFEffectDescriptor::AddMeterDescription));
    EXPECT_EQ (12, OperationNumber (&AAX_IACFEffectDescriptor_V2::AddControlMIDINode));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFDescriptionHost::AcquireFeatureProperties));
    EXPECT_EQ (4, OperationNumber (&AAX_IACFFeatureInfo::SupportLevel));
    EXPECT_EQ (5, OperationNumber (&AAX_IACFFeatureInfo::AcquireProperties));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFComponentDescriptor::Clear));
    EXPECT_EQ (5, OperationNumber (&AAX_IACFComponentDescriptor::AddReservedField));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFComponentDescriptor::AddAudioIn));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFComponentDescriptor::AddAudioOut));
    EXPECT_EQ (8, OperationNumber (&AAX_IACFComponentDescriptor::AddAudioBufferLength));
    EXPECT_EQ (9, OperationNumber (&AAX_IACFComponentDescriptor::AddSampleRate));
    EXPECT_EQ (10, OperationNumber (&AAX_IACFComponentDescriptor::AddClock));
    EXPECT_EQ (11, OperationNumber (&AAX_IACFComponentDescriptor::AddSideChainIn));
    EXPECT_EQ (12, OperationNumber (&AAX_IACFComponentDescriptor::AddMeters));
    EXPECT_EQ (13, OperationNumber (&AAX_IACFComponentDescriptor::AddMIDINode));
    EXPECT_EQ (14, OperationNumber (&AAX_IACFComponentDescriptor::AddAuxOutputStem));
    EXPECT_EQ (15, OperationNumber (&AAX_IACFComponentDescriptor::AddPrivateData));
    EXPECT_EQ (16, OperationNumber (&AAX_IACFComponentDescriptor::AddDataInPort));
    EXPECT_EQ (17, OperationNumber (&AAX_IACFComponentDescriptor::AddProcessProcNative));
    EXPECT_EQ (18, OperationNumber (&AAX_IACFComponentDescriptor::AddProcessProcTI));
    EXPECT_EQ (19, OperationNumber (&AAX_IACFComponentDescriptor::AddDmaInstance));
    EXPECT_EQ (20, OperationNumber (&AAX_IACFComponentDescriptor_V2::AddTemporaryData));
    EXPECT_EQ (21, OperationNumber (&AAX_IACFComponentDescriptor_V3::AddProcessProcs));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFPropertyMap::GetProperty));
    EXPECT_EQ (5, OperationNumber (&AAX_IACFPropertyMap::AddProperty));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFPropertyMap::RemoveProperty));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFPropertyMap_V2::AddPropertyWithIDArray));
    EXPECT_EQ (8, OperationNumber (&AAX_IACFPropertyMap_V2::GetPropertyWithIDArray));
    EXPECT_EQ (9, OperationNumber (&AAX_IACFPropertyMap_V3::GetPointerProperty));
    EXPECT_EQ (10, OperationNumber (&AAX_IACFPropertyMap_V3::AddPointerProperty));

    EXPECT_EQ (5, OperationNumber (&AAX_IACFController::GetSampleRate));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFController::GetInputStemFormat));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFController::GetOutputStemFormat));
    EXPECT_EQ (11, OperationNumber (&AAX_IACFController::SetSignalLatency));
    EXPECT_EQ (13, OperationNumber (&AAX_IACFController::PostPacket));
    EXPECT_EQ (16, OperationNumber (&AAX_IACFController::ClearMeterPeakValue));
    EXPECT_EQ (17, OperationNumber (&AAX_IACFController::GetMeterClipped));
    EXPECT_EQ (18, OperationNumber (&AAX_IACFController::ClearMeterClipped));
    EXPECT_EQ (19, OperationNumber (&AAX_IACFController::GetMeterCount));
    EXPECT_EQ (20, OperationNumber (&AAX_IACFController::GetHostName));
    EXPECT_EQ (21, OperationNumber (&AAX_IACFController_V2::SendNotification));
    EXPECT_EQ (23, OperationNumber (&AAX_IACFController_V2::GetCurrentAutomationTimestamp));
    EXPECT_EQ (24, OperationNumber (&AAX_IACFController_V2::GetHostVersion));
    EXPECT_EQ (25, OperationNumber (&AAX_IACFController_V3::GetPlugInTargetPlatform));
    EXPECT_EQ (26, OperationNumber (&AAX_IACFController_V3::GetIsAudioSuite));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFPageTableController::CopyTableForEffect));
    EXPECT_EQ (5, OperationNumber (&AAX_IACFPageTableController::CopyTableOfLayoutForEffect));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFPageTableController_V2::CopyTableForEffectFromFile));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFPageTableController_V2::CopyTableOfLayoutFromFile));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFPageTable::Clear));
    EXPECT_EQ (12, OperationNumber (&AAX_IACFPageTable::MapParameterID));
    EXPECT_EQ (13, OperationNumber (&AAX_IACFPageTable_V2::GetNumParametersWithNameVariations));
    EXPECT_EQ (20, OperationNumber (&AAX_IACFPageTable_V2::SetParameterNameVariation));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFViewContainer::GetType));
    EXPECT_EQ (5, OperationNumber (&AAX_IACFViewContainer::GetPtr));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFViewContainer::GetModifiers));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFViewContainer::SetViewSize));
    EXPECT_EQ (10, OperationNumber (&AAX_IACFViewContainer::HandleParameterMouseUp));
    EXPECT_EQ (11, OperationNumber (&AAX_IACFViewContainer_V2::HandleMultipleParametersMouseDown));
    EXPECT_EQ (13, OperationNumber (&AAX_IACFViewContainer_V2::HandleMultipleParametersMouseUp));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFTransport::GetCurrentTempo));
    EXPECT_EQ (5, OperationNumber (&AAX_IACFTransport::GetCurrentMeter));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFTransport::IsTransportPlaying));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFTransport::GetCurrentTickPosition));
    EXPECT_EQ (8, OperationNumber (&AAX_IACFTransport::GetCurrentLoopPosition));
    EXPECT_EQ (9, OperationNumber (&AAX_IACFTransport::GetCurrentNativeSampleLocation));
    EXPECT_EQ (10, OperationNumber (&AAX_IACFTransport::GetCustomTickPosition));
    EXPECT_EQ (11, OperationNumber (&AAX_IACFTransport::GetBarBeatPosition));
    EXPECT_EQ (14, OperationNumber (&AAX_IACFTransport_V2::GetTimelineSelectionStartPosition));
    EXPECT_EQ (15, OperationNumber (&AAX_IACFTransport_V2::GetTimeCodeInfo));
    EXPECT_EQ (17, OperationNumber (&AAX_IACFTransport_V2::IsMetronomeEnabled));

    using V1 = AAX_IACFEffectParameters;
    EXPECT_EQ (4, OperationNumber (&V1::Initialize));
    EXPECT_EQ (5, OperationNumber (&V1::Uninitialize));
    EXPECT_EQ (6, OperationNumber (&V1::NotificationReceived));
    EXPECT_EQ (7, OperationNumber (&V1::GetNumberOfParameters));
    EXPECT_EQ (8, OperationNumber (&V1::GetMasterBypassParameter));
    EXPECT_EQ (9, OperationNumber (&V1::GetParameterIsAutomatable));
    EXPECT_EQ (10, OperationNumber (&V1::GetParameterNumberOfSteps));
    EXPECT_EQ (11, OperationNumber (&V1::GetParameterName));
    EXPECT_EQ (12, OperationNumber (&V1::GetParameterNameOfLength));
    EXPECT_EQ (13, OperationNumber (&V1::GetParameterDefaultNormalizedValue));
    EXPECT_EQ (14, OperationNumber (&V1::SetParameterDefaultNormalizedValue));
    EXPECT_EQ (15, OperationNumber (&V1::GetParameterType));
    EXPECT_EQ (16, OperationNumber (&V1::GetParameterOrientation));
    EXPECT_EQ (17, OperationNumber (&V1::GetParameter));
    EXPECT_EQ (18, OperationNumber (&V1::GetParameterIndex));
    EXPECT_EQ (19, OperationNumber (&V1::GetParameterIDFromIndex));
    EXPECT_EQ (20, OperationNumber (&V1::GetParameterValueInfo));
    EXPECT_EQ (21, OperationNumber (&V1::GetParameterValueFromString));
    EXPECT_EQ (22, OperationNumber (&V1::GetParameterStringFromValue));
    EXPECT_EQ (23, OperationNumber (&V1::GetParameterValueString));
    EXPECT_EQ (24, OperationNumber (&V1::GetParameterNormalizedValue));
    EXPECT_EQ (25, OperationNumber (&V1::SetParameterNormalizedValue));
    EXPECT_EQ (26, OperationNumber (&V1::SetParameterNormalizedRelative));
    EXPECT_EQ (27, OperationNumber (&V1::TouchParameter));
    EXPECT_EQ (28, OperationNumber (&V1::ReleaseParameter));
    EXPECT_EQ (29, OperationNumber (&V1::UpdateParameterTouch));
    EXPECT_EQ (30, OperationNumber (&V1::UpdateParameterNormalizedValue));
    EXPECT_EQ (31, OperationNumber (&V1::UpdateParameterNormalizedRelative));
    EXPECT_EQ (32, OperationNumber (&V1::GenerateCoefficients));
    EXPECT_EQ (33, OperationNumber (&V1::ResetFieldData));
    EXPECT_EQ (34, OperationNumber (&V1::GetNumberOfChunks));
    EXPECT_EQ (35, OperationNumber (&V1::GetChunkIDFromIndex));
    EXPECT_EQ (36, OperationNumber (&V1::GetChunkSize));
    EXPECT_EQ (37, OperationNumber (&V1::GetChunk));
    EXPECT_EQ (38, OperationNumber (&V1::SetChunk));
    EXPECT_EQ (39, OperationNumber (&V1::CompareActiveChunk));
    EXPECT_EQ (40, OperationNumber (&V1::GetNumberOfChanges));

    EXPECT_EQ (41, OperationNumber (&AAX_IACFEffectParameters_V2::ReservedOperation41));
    EXPECT_EQ (42, OperationNumber (&AAX_IACFEffectParameters_V2::GetCurveData));
    EXPECT_EQ (43, OperationNumber (&AAX_IACFEffectParameters_V2::ReservedOperation43));
    EXPECT_EQ (45, OperationNumber (&AAX_IACFEffectParameters_V2::ReservedOperation45));
    EXPECT_EQ (46, OperationNumber (&AAX_IACFEffectParameters_V3::ReservedOperation46));
    EXPECT_EQ (48, OperationNumber (&AAX_IACFEffectParameters_V3::ReservedOperation48));
    EXPECT_EQ (49, OperationNumber (&AAX_IACFEffectParameters_V4::GetCurveDataMeterIds));
    EXPECT_EQ (50, OperationNumber (&AAX_IACFEffectParameters_V4::GetCurveDataDisplayRange));
    EXPECT_EQ (51, OperationNumber (&AAX_IACFEffectParameters_V4::UpdatePageTable));

    EXPECT_EQ (4, OperationNumber (&AAX_IACFEffectGUI::Initialize));
    EXPECT_EQ (5, OperationNumber (&AAX_IACFEffectGUI::Uninitialize));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFEffectGUI::NotificationReceived));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFEffectGUI::SetViewContainer));
    EXPECT_EQ (8, OperationNumber (&AAX_IACFEffectGUI::GetViewSize));
    EXPECT_EQ (9, OperationNumber (&AAX_IACFEffectGUI::ReservedOperation9));
    EXPECT_EQ (10, OperationNumber (&AAX_IACFEffectGUI::ReservedOperation10));
    EXPECT_EQ (11, OperationNumber (&AAX_IACFEffectGUI::ParameterUpdated));
    EXPECT_EQ (12, OperationNumber (&AAX_IACFEffectGUI::ReservedOperation12));
    EXPECT_EQ (13, OperationNumber (&AAX_IACFEffectGUI::SetControlHighlightInfo));
}

TEST (InterfaceLayout, ChunkRecordHeaderHasNoPadding)
{
    static_assert (offsetof (AAX_SPlugInChunk, fVersion) == 4);
    static_assert (offsetof (AAX_SPlugInChunk, fChunkID) == 20);
    static_assert (offsetof (AAX_SPlugInChunk, fName) == 24);
    static_assert (offsetof (AAX_SPlugInChunk, fData) == 56);
    SUCCEED();
}
