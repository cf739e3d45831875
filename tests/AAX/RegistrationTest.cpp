// ACFRegisterPlugin driven by the tests' own description routine, checked against what
// the stand-in host recorded, and every failure mapped to its code and trace line.

#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "AAX_ICollection.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IDescriptionHost.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IFeatureInfo.h"
#include "AAX_IPropertyMap.h"
#include "AAX_UIDs.h"
#include "BalancedHost.h"
#include "IACFPluginDefinition.h"
#include "ScriptedDescription.h"
#include "StandInCollection.h"
#include "StandInComponentDescriptor.h"
#include "StandInDescriptionHost.h"
#include "StandInEffectDescriptor.h"
#include "StandInHost.h"
#include "StandInHostServices.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

extern "C"
{
    ACFRESULT ACFRegisterPlugin (IACFUnknown*, IACFPluginDefinition**);
    ACFRESULT ACFCanUnloadNow();
    ACFRESULT ACFStartup (IACFUnknown*);
    ACFRESULT ACFShutdown();
}

namespace
{
    struct TestContext
    {
        float* const* inputs;
        float* const* outputs;
        int32_t* bufferLength;
        int32_t* bypass;
    };

    void AAX_CALLBACK processTest (TestContext* const[], const void*) {}
    void* createParameters() { return nullptr; }
    void* createGUI() { return nullptr; }

    const AAX_CTypeID kMeter = 'Metr';

    // One component, described the way the plug-in's wrapper describes one channel layout.
    AAX_Result describeComponent (AAX_IEffectDescriptor& effect, AAX_EStemFormat format, AAX_CPropertyValue plugInID)
    {
        AAX_IComponentDescriptor* component = effect.NewComponentDescriptor();

        if (component == nullptr)
            return AAX_ERROR_NULL_OBJECT;

        component->AddAudioIn (AAX_FIELD_INDEX (TestContext, inputs));
        component->AddAudioOut (AAX_FIELD_INDEX (TestContext, outputs));
        component->AddAudioBufferLength (AAX_FIELD_INDEX (TestContext, bufferLength));
        component->AddDataInPort (AAX_FIELD_INDEX (TestContext, bypass), sizeof (int32_t));
        component->AddMIDINode (4, AAX_eMIDINodeType_LocalInput, "Grindel", 0xffff);
        component->AddPrivateData (5, 16);
        component->AddMeters (6, &kMeter, 1);

        AAX_IPropertyMap* properties = component->NewPropertyMap();
        properties->AddProperty (AAX_eProperty_ManufacturerID, 'Orvk');
        properties->AddProperty (AAX_eProperty_InputStemFormat, format);
        properties->AddProperty (AAX_eProperty_OutputStemFormat, format);
        properties->AddProperty (AAX_eProperty_PlugInID_Native, plugInID);
        properties->AddProperty (AAX_eProperty_CanBypass, true);

        const AAX_Result added = component->AddProcessProc_Native (processTest, properties);

        if (added != AAX_SUCCESS)
            return added;

        return effect.AddComponent (component);
    }

    AAX_Result describeOneEffect (AAX_ICollection& collection)
    {
        std::unique_ptr<const AAX_IFeatureInfo> stemFormats;

        if (const auto* host = collection.DescriptionHost())
            stemFormats.reset (host->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));

        AAX_IEffectDescriptor* effect = collection.NewDescriptor();

        if (effect == nullptr)
            return AAX_ERROR_NULL_OBJECT;

        effect->AddName ("Grindel 2");
        effect->AddName ("Grindel");
        effect->AddCategory (64);

        AAX_IPropertyMap* meter = effect->NewPropertyMap();
        meter->AddProperty (AAX_eProperty_Meter_Type, AAX_eMeterType_Output);
        meter->AddProperty (AAX_eProperty_Meter_Orientation, AAX_eMeterOrientation_TopRight);
        effect->AddMeterDescription (kMeter, "Output", meter);

        effect->AddProcPtr (reinterpret_cast<void*> (&createGUI), kAAX_ProcPtrID_Create_EffectGUI);
        effect->AddProcPtr (reinterpret_cast<void*> (&createParameters), kAAX_ProcPtrID_Create_EffectParameters);

        AAX_ESupportLevel level = AAX_eSupportLevel_Uninitialized;
        const bool wideFormats = stemFormats != nullptr && stemFormats->SupportLevel (level) == AAX_SUCCESS
            && level == AAX_eSupportLevel_Supported;

        for (const auto& [format, plugInID] : { std::pair { AAX_eStemFormat_Mono, 'Grm1' }, std::pair { AAX_eStemFormat_Stereo, 'Grs1' } })
            if (const AAX_Result result = describeComponent (*effect, format, plugInID); result != AAX_SUCCESS)
                return result;

        if (wideFormats)
            describeComponent (*effect, AAX_eStemFormat_7_1_2, 'Gr12');

        collection.AddEffect ("com.orvik.grindel2", effect);
        collection.SetManufacturerName ("Orvik Audio");
        collection.AddPackageName ("Grindel 2 reverb");
        collection.AddPackageName ("Grindel 2");
        collection.SetPackageVersion (0x00020201);
        return AAX_SUCCESS;
    }

    class Registration : public BalancedHost
    {
    protected:
        void SetUp() override { ASSERT_EQ (0, ACFStartup (host.HostUnknown())); }

        void TearDown() override
        {
            ResetDescriptionScript();
            ACFShutdown();
            BalancedHost::TearDown();
            EXPECT_EQ (0, ACFCanUnloadNow());
        }

        // Registers, keeps the traces of registration and hands back the definition's
        // reference, as the host would.
        ACFRESULT Register (DescriptionScript script)
        {
            SetDescriptionScript (std::move (script));
            definition = reinterpret_cast<IACFPluginDefinition*> (&host);
            const ACFRESULT result = ACFRegisterPlugin (host.HostUnknown(), &definition);

            if (definition != nullptr)
                definition->Release();

            return result;
        }

        std::vector<std::string> CriticalTraces()
        {
            std::vector<std::string> lines;
            for (const auto& line : host.Services().Traces())
                if (line.priority == 0x8000000)
                    lines.push_back (line.text);
            return lines;
        }

        StandInCollection& OnlyCollection()
        {
            const auto collections = host.Made<StandInCollection>();
            EXPECT_EQ (1u, collections.size());
            return *collections.front();
        }

        IACFPluginDefinition* definition = nullptr;
    };
}

TEST_F (Registration, OneEffectWithTwoComponentsIsRecorded)
{
    ASSERT_EQ (0, Register (describeOneEffect));

    StandInCollection& collection = OnlyCollection();
    EXPECT_EQ (static_cast<IACFPluginDefinition*> (&collection), definition);
    EXPECT_EQ ("Orvik Audio", collection.Manufacturer());
    EXPECT_EQ ((std::vector<std::string> { "Grindel 2 reverb", "Grindel 2" }), collection.PackageNames());
    EXPECT_EQ (0x00020201u, collection.PackageVersion());

    ASSERT_EQ (1u, collection.Effects().size());
    EXPECT_EQ ("com.orvik.grindel2", collection.Effects()[0].id);

    const StandInEffectDescriptor& effect = *collection.Effects()[0].descriptor;
    EXPECT_EQ ((std::vector<std::string> { "Grindel 2", "Grindel" }), effect.Names());
    EXPECT_EQ (std::vector<uint32_t> { 64 }, effect.Categories());

    ASSERT_EQ (2u, effect.ProcPtrs().size());
    EXPECT_EQ (1u, effect.ProcPtrs()[0].id);
    EXPECT_EQ (reinterpret_cast<void*> (&createGUI), effect.ProcPtrs()[0].proc);
    EXPECT_EQ (0u, effect.ProcPtrs()[1].id);

    ASSERT_EQ (1u, effect.Meters().size());
    EXPECT_EQ (kMeter, effect.Meters()[0].id);
    EXPECT_EQ ("Output", effect.Meters()[0].name);
    EXPECT_EQ (AAX_eMeterType_Output, effect.Meters()[0].properties.values.at (AAX_eProperty_Meter_Type));

    ASSERT_EQ (2u, effect.Components().size());
    const std::vector<std::string> fields { "audio in 0", "audio out 1", "buffer length 2", "data in 3 4",
                                            "midi node 4 0 Grindel 65535", "private data 5 16 0", "meters 6 " + std::to_string (kMeter) };

    for (size_t i = 0; i < 2; ++i)
    {
        const StandInComponentDescriptor& component = *effect.Components()[i];
        EXPECT_EQ (fields, component.Fields());
        ASSERT_EQ (1u, component.ProcessProcs().size());

        const auto& proc = component.ProcessProcs()[0];
        EXPECT_TRUE (proc.native);
        EXPECT_EQ (reinterpret_cast<const void*> (&processTest), proc.processProc);
        EXPECT_EQ (i == 0 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo, proc.properties.values.at (AAX_eProperty_InputStemFormat));
        EXPECT_EQ (i == 0 ? 'Grm1' : 'Grs1', proc.properties.values.at (AAX_eProperty_PlugInID_Native));
    }

    // Every host object the wrappers made or asked for was released again; only the
    // host services of start-up are still held.
    EXPECT_EQ (host.Services().References(), host.OutstandingReferences());
    EXPECT_TRUE (host.Violations().empty());
    EXPECT_EQ (0, ACFCanUnloadNow());
}

TEST_F (Registration, HostFeaturesReachTheDescription)
{
    host.DescriptionHost().SetFeature (AAXATTR_ClientFeature_StemFormat, AAX_eSupportLevel_Supported);
    ASSERT_EQ (0, Register (describeOneEffect));
    EXPECT_EQ (3u, OnlyCollection().Effects()[0].descriptor->Components().size());
}

TEST_F (Registration, OlderHostsGetTheSameDescription)
{
    host.Refuse (IID_IAAXDescriptionHostV1);
    host.Refuse (IID_IAAXPropertyMapV3);
    host.Refuse (IID_IAAXComponentDescriptorV3);
    host.Refuse (IID_IAAXEffectDescriptorV2);

    ASSERT_EQ (0, Register (describeOneEffect));

    const auto& effect = *OnlyCollection().Effects()[0].descriptor;
    ASSERT_EQ (2u, effect.Components().size());
    EXPECT_EQ (1u, effect.Components()[1]->ProcessProcs().size());
    EXPECT_EQ (AAX_eStemFormat_Stereo, effect.Components()[1]->ProcessProcs()[0].properties.values.at (AAX_eProperty_OutputStemFormat));
}

TEST_F (Registration, ANonZeroDescriptionResultIsReturnedAndTraced)
{
    EXPECT_EQ (-20035, Register ([] (AAX_ICollection&) { return AAX_Result (AAX_ERROR_DUPLICATE_EFFECT_ID); }));
    EXPECT_EQ (nullptr, definition);
    EXPECT_EQ (std::vector<std::string> { "AAXRegisterPlugin exception caught: AAX_ERROR_DUPLICATE_EFFECT_ID (-20035)" }, CriticalTraces());
}

TEST_F (Registration, AResultErrorThrownInsideGivesItsCode)
{
    EXPECT_EQ (-20001, Register ([] (AAX_ICollection&) -> AAX_Result { throw AAX::Exception::ResultError (AAX_ERROR_INVALID_PARAMETER_ID); }));
    EXPECT_EQ (std::vector<std::string> { "AAXRegisterPlugin exception caught: AAX_ERROR_INVALID_PARAMETER_ID (-20001)" }, CriticalTraces());
}

TEST_F (Registration, AStandardExceptionGivesUnknownException)
{
    EXPECT_EQ (-20042, Register ([] (AAX_ICollection&) -> AAX_Result { throw std::runtime_error ("no buses"); }));
    EXPECT_EQ (std::vector<std::string> { "AAXRegisterPlugin exception caught: no buses" }, CriticalTraces());
}

TEST_F (Registration, AnExceptionOfTheLibrarysBaseGivesUnknownException)
{
    EXPECT_EQ (-20042, Register ([] (AAX_ICollection&) -> AAX_Result { throw AAX::Exception::Any ("bad layout", "describe", "12"); }));
    EXPECT_EQ (std::vector<std::string> { "AAXRegisterPlugin exception caught: bad layout func:describe line:12" }, CriticalTraces());
}

TEST_F (Registration, AnIntegerExceptionIsTracedAsUnknown)
{
    EXPECT_EQ (-20042, Register ([] (AAX_ICollection&) -> AAX_Result { throw 17; }));
    EXPECT_EQ (std::vector<std::string> { "AAXRegisterPlugin exception caught: unknown" }, CriticalTraces());
}

TEST_F (Registration, AMissingPluginDefinitionGivesNullObject)
{
    host.Refuse (IID_IACFPluginDefinition);
    EXPECT_EQ (-20004, Register (describeOneEffect));
    EXPECT_EQ (nullptr, definition);
    EXPECT_EQ (std::vector<std::string> { "AAXRegisterPlugin exception caught: AAX_ERROR_NULL_OBJECT (-20004)" }, CriticalTraces());
}

TEST_F (Registration, ACollectionTheHostCouldNotMakeIsNeverUsed)
{
    host.Refuse (IID_IAAXCollectionV1);
    EXPECT_EQ (-20004, Register (describeOneEffect));
    EXPECT_EQ (nullptr, definition);
}

TEST_F (Registration, AHostWithoutFactoryGivesNullObject)
{
    host.Refuse (IID_IACFComponentFactory);
    EXPECT_EQ (-20004, Register (describeOneEffect));
    EXPECT_TRUE (host.Made<StandInCollection>().empty());
}

TEST_F (Registration, AFactoryAnswerWithoutObjectGivesUnknownException)
{
    host.AnswerFactoryQueryWithoutObject (true);
    EXPECT_EQ (-20042, Register (describeOneEffect));
    EXPECT_EQ (std::vector<std::string> { "AAXRegisterPlugin exception caught: unknown" }, CriticalTraces());
}

TEST_F (Registration, ANullOutPointerStillRegistersAndReleasesTheDefinition)
{
    SetDescriptionScript (describeOneEffect);
    EXPECT_EQ (0, ACFRegisterPlugin (host.HostUnknown(), nullptr));
    EXPECT_EQ (1u, OnlyCollection().Effects().size());
}
