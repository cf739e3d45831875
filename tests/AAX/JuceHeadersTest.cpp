// The headers JUCE's AAX wrapper includes, all in one translation unit, in its order,
// and with JUCE's #define of Component in force, so that none of them may use the name.

#define Component JuceComponentMacro

#include "AAX_Version.h"
#include "AAX_ICollection.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "AAX_CEffectParameters.h"
#include "AAX_Errors.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CEffectGUI.h"
#include "AAX_IViewContainer.h"
#include "AAX_ITransport.h"
#include "AAX_IMIDINode.h"
#include "AAX_UtilsNative.h"
#include "AAX_Enums.h"
#include "AAX_IDescriptionHost.h"
#include "AAX_IFeatureInfo.h"
#include "AAX_UIDs.h"
#include "AAX_Exception.h"
#include "AAX_Assert.h"

#undef Component

#include "AAX_IController.h"
#include "AAX_IPageTable.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

static_assert (AAX_SDK_CURRENT_REVISION >= AAX_SDK_2p3p0_REVISION, "the wrapper needs the 2.3.0 revision");
static_assert (AAX_SDK_2p3p1_REVISION <= AAX_SDK_CURRENT_REVISION, "the wrapper includes the exception headers from 2.3.1");

// Names and shapes the wrapper relies on.
static_assert (std::is_enum_v<AAX_EFrameRate>, "the wrapper takes the frame rate's underlying type");
static_assert (sizeof (AAX_EProcessingState) == 4 && sizeof (AAX_ESupportLevel) == sizeof (AAX_CPropertyValue));
static_assert (AAX_STEM_FORMAT_INDEX (AAX_eStemFormat_7_1_DTS) == 12 && AAX_STEM_FORMAT_INDEX (AAX_eStemFormat_None) < 0);
static_assert (AAX_STEM_FORMAT_CHANNEL_COUNT (AAX_eStemFormat_Ambi_3_ACN) == 16);
static_assert ((1 << AAX_eAudioBufferLength_Max) == 1024);
static_assert ((AAX_eModifiers_Shift & 1) != 0 && (AAX_eModifiers_Alt & 4) != 0);
static_assert (kAAX_ProcPtrID_Create_EffectParameters == 0 && kAAX_ProcPtrID_Create_EffectGUI == 1);

namespace
{
    struct WrapperContext
    {
        float* const* inputChannels;
        float* const* outputChannels;
        int32_t* bufferSize;
    };

    void AAX_CALLBACK wrapperProcess (WrapperContext* const[], const void* const) {}

    enum WrapperFields
    {
        inputChannels = AAX_FIELD_INDEX (WrapperContext, inputChannels),
        outputChannels = AAX_FIELD_INDEX (WrapperContext, outputChannels),
        bufferSize = AAX_FIELD_INDEX (WrapperContext, bufferSize)
    };

    // The calls the wrapper makes, spelled as it spells them; compiled, never run.
    [[maybe_unused]] void describeAsTheWrapperDoes (AAX_ICollection* collection, AAX_IComponentDescriptor& desc,
                                                    AAX_IViewContainer* vc, const AAX_ITransport& transport, AAX_IController* controller)
    {
        if (const auto* hostDescription = collection->DescriptionHost())
            delete hostDescription->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat);

        desc.AddAudioIn (inputChannels);
        desc.AddAudioBufferLength (bufferSize);
        desc.AddDataInPort (outputChannels, sizeof (int32_t));
        desc.AddPrivateData (3, sizeof (uintptr_t));
        desc.AddProcessProc_Native (wrapperProcess, desc.NewPropertyMap());
        desc.AddAuxOutputStem (0, static_cast<int32_t> (AAX_eStemFormat_Stereo), "Aux");

        uint32_t mods = 0;
        vc->GetModifiers (&mods);
        AAX_Result (AAX_IViewContainer::*method) (AAX_CParamID, uint32_t) = &AAX_IViewContainer::HandleParameterMouseDrag;
        (vc->*method) ("Gain", mods);
        AAX_Point size { 1.0f, 2.0f };
        vc->SetViewSize (size);

        int64_t samples = 0, ticks = 0;
        int32_t bars = 0, beats = 0, offset = 0;
        AAX_EFrameRate frameRate;
        transport.GetTimelineSelectionStartPosition (&samples);
        transport.GetCurrentNativeSampleLocation (&samples);
        transport.GetCustomTickPosition (&ticks, samples);
        transport.GetBarBeatPosition (&bars, &beats, &ticks, samples);
        transport.GetTimeCodeInfo (&frameRate, &offset);

        AAX_CBoolean res;
        controller->GetIsAudioSuite (&res);
        AAX_EStemFormat format = AAX_eStemFormat_None;
        controller->GetInputStemFormat (&format);
        controller->SetSignalLatency (0);
    }
}

namespace
{
    // The effect and GUI classes as the wrapper derives them: every override it makes,
    // spelled and qualified as it spells them, and the base members it reaches.
    class WrapperProcessor : public AAX_CEffectParameters
    {
    public:
        WrapperProcessor() { AAX_CEffectParameters::GetNumberOfChunks (&chunkIndex); }
        ~WrapperProcessor() override = default;

        static AAX_CEffectParameters* AAX_CALLBACK Create() { return new WrapperProcessor(); }

        AAX_Result Uninitialize() override { return AAX_CEffectParameters::Uninitialize(); }

        AAX_Result EffectInit() override
        {
            AAX_CSampleRate rate = 0;
            Controller()->GetSampleRate (&rate);
            auto* parameter = new AAX_CParameter<float> ("Gain", AAX_CString ("Gain"), 0.5f, AAX_CLinearTaperDelegate<float, 0>(),
                                                         AAX_CNumberDisplayDelegate<float, 3>(), true);
            parameter->AddShortenedName ("Gn");
            parameter->SetType (AAX_eParameterType_Continuous);
            mParameterManager.AddParameter (parameter);
            mPacketDispatcher.RegisterPacket ("Gain", 3);
            return AAX_SUCCESS;
        }

        AAX_Result GetNumberOfChunks (int32_t* numChunks) const override
        {
            *numChunks = chunkIndex + 1;
            return AAX_SUCCESS;
        }
        AAX_Result GetChunkIDFromIndex (int32_t index, AAX_CTypeID* chunkID) const override { return AAX_CEffectParameters::GetChunkIDFromIndex (index, chunkID); }
        AAX_Result GetChunkSize (AAX_CTypeID chunkID, uint32_t* oSize) const override { return AAX_CEffectParameters::GetChunkSize (chunkID, oSize); }
        AAX_Result GetChunk (AAX_CTypeID chunkID, AAX_SPlugInChunk* oChunk) const override { return AAX_CEffectParameters::GetChunk (chunkID, oChunk); }
        AAX_Result SetChunk (AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) override { return AAX_CEffectParameters::SetChunk (chunkID, chunk); }
        AAX_Result ResetFieldData (AAX_CFieldIndex, void*, uint32_t) const override { return AAX_SUCCESS; }

        AAX_Result GetNumberOfChanges (int32_t* numChanges) const override
        {
            const auto result = AAX_CEffectParameters::GetNumberOfChanges (numChanges);
            *numChanges += 0;
            return result;
        }

        AAX_Result UpdateParameterNormalizedValue (AAX_CParamID paramID, double value, AAX_EUpdateSource source) override
        {
            return AAX_CEffectParameters::UpdateParameterNormalizedValue (paramID, value, source);
        }

        AAX_Result GetParameterValueFromString (AAX_CParamID paramID, double* result, const AAX_IString& text) const override
        {
            return AAX_CEffectParameters::GetParameterValueFromString (paramID, result, text);
        }

        AAX_Result GetParameterStringFromValue (AAX_CParamID, double, AAX_IString* result, int32_t) const override
        {
            result->Set ("");
            return AAX_SUCCESS;
        }
        AAX_Result GetParameterNormalizedValue (AAX_CParamID, double* result) const override
        {
            *result = 0.0;
            return AAX_SUCCESS;
        }

        AAX_Result SetParameterNormalizedValue (AAX_CParamID paramID, double newValue) override
        {
            if (auto* p = mParameterManager.GetParameterByID (paramID))
                p->SetValueWithFloat ((float) newValue);
            return AAX_SUCCESS;
        }

        AAX_Result SetParameterNormalizedRelative (AAX_CParamID, double) override { return AAX_SUCCESS; }
        AAX_Result GetParameterNameOfLength (AAX_CParamID, AAX_IString* result, int32_t) const override
        {
            result->Set ("");
            return AAX_SUCCESS;
        }
        AAX_Result GetParameterName (AAX_CParamID, AAX_IString* result) const override
        {
            result->Set ("");
            return AAX_SUCCESS;
        }
        AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID, double* result) const override
        {
            *result = 0.0;
            return AAX_SUCCESS;
        }

        AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) override
        {
            ++mNumPlugInChanges;
            return AAX_CEffectParameters::NotificationReceived (type, data, size);
        }

        AAX_Result GetCurveData (AAX_CTypeID, const float*, uint32_t, float*) const override { return AAX_ERROR_UNIMPLEMENTED; }
        AAX_Result GetCurveDataMeterIds (AAX_CTypeID, uint32_t*, uint32_t*) const override { return AAX_ERROR_UNIMPLEMENTED; }
        AAX_Result GetCurveDataDisplayRange (AAX_CTypeID, float*, float*, float*, float*) const override { return AAX_ERROR_UNIMPLEMENTED; }

        bool isInAudioSuite()
        {
            AAX_CBoolean res;
            Controller()->GetIsAudioSuite (&res);
            return res > 0;
        }

        void readTransport() const
        {
            const AAX_ITransport& transport = *Transport();
            double bpm = 0.0;
            transport.GetCurrentTempo (&bpm);
        }

        void process (AAX_IMIDINode* midiNodeIn, AAX_IMIDINode* midiNodeOut)
        {
            auto* midiStream = midiNodeIn->GetNodeBuffer();

            for (uint32_t i = 0; i < midiStream->mBufferSize; ++i)
            {
                auto& m = midiStream->mBuffer[i];
                consume (m.mData, (int) m.mLength, (int) m.mTimestamp);
            }

            AAX_CMidiPacket packet;
            packet.mIsImmediate = false;
            packet.mTimestamp = 0;
            packet.mLength = 3;
            memcpy (packet.mData, "abc", 3);
            midiNodeOut->PostMIDIPacket (&packet);
        }

        void consume (const void*, int, int) {}

        int32_t chunkIndex = 0;
    };

    class WrapperGUI : public AAX_CEffectGUI
    {
    public:
        WrapperGUI() = default;
        ~WrapperGUI() override { DeleteViewContainer(); }

        static AAX_IEffectGUI* AAX_CALLBACK Create() { return new WrapperGUI(); }

        void CreateViewContents() override
        {
            if (auto* params = dynamic_cast<WrapperProcessor*> (GetEffectParameters()))
                params->chunkIndex = 0;
        }

        void CreateViewContainer() override
        {
            CreateViewContents();

            if (void* nativeViewToAttachTo = GetViewContainerPtr())
                if (GetViewContainerType() == AAX_eViewContainer_Type_HWND)
                    attached = nativeViewToAttachTo;
        }

        void DeleteViewContainer() override { attached = nullptr; }

        AAX_Result GetViewSize (AAX_Point* viewSize) const override
        {
            *viewSize = { 1.0f, 2.0f };
            return AAX_SUCCESS;
        }
        AAX_Result ParameterUpdated (AAX_CParamID) override { return AAX_SUCCESS; }
        AAX_Result SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor) override { return AAX_SUCCESS; }

        int modifiers() const
        {
            uint32_t mods = 0;

            if (auto* viewContainer = GetViewContainer())
                const_cast<AAX_IViewContainer*> (viewContainer)->GetModifiers (&mods);

            if (auto* params = dynamic_cast<const WrapperProcessor*> (GetEffectParameters()))
                mods += (uint32_t) params->chunkIndex;

            return (int) mods;
        }

        void resizeHost()
        {
            AAX_Point newSize { 1.0f, 2.0f };
            GetViewContainer()->SetViewSize (newSize);
        }

        void* attached = nullptr;
    };

    [[maybe_unused]] void registerAsTheWrapperDoes (AAX_IEffectDescriptor& descriptor)
    {
        descriptor.AddProcPtr ((void*) WrapperGUI::Create, kAAX_ProcPtrID_Create_EffectGUI);
        descriptor.AddProcPtr ((void*) WrapperProcessor::Create, kAAX_ProcPtrID_Create_EffectParameters);
    }
}

TEST (JuceHeaders, TheWrappersClassesDeriveFromTheBases)
{
    static_assert (std::is_base_of_v<AAX_IACFEffectParameters_V4, WrapperProcessor>);
    static_assert (std::is_base_of_v<AAX_IACFEffectGUI, WrapperGUI>);

    // Made and dropped without a host, as a host might after a failed start.
    auto* effect = WrapperProcessor::Create();
    effect->AddRef();
    EXPECT_EQ (0u, effect->Release());

    auto* gui = WrapperGUI::Create();
    gui->AddRef();
    EXPECT_EQ (0u, gui->Release());
    EXPECT_EQ (0u, CACFUnknown::GetActiveObjectCount());
}
