// Component descriptors: field registrations, process procedures on hosts with and
// without the third versions, and duplicated property maps.

#include "AAX_Errors.h"
#include "AAX_IPropertyMap.h"
#include "AAX_UIDs.h"
#include "AAX_VComponentDescriptor.h"
#include "HostSession.h"
#include "StandInComponentDescriptor.h"
#include "StandInPropertyMap.h"

#include <gtest/gtest.h>

namespace
{
    struct Context
    {
        float* const* inputs;
    };

    void AAX_CALLBACK process (Context* const[], const void*) {}
    int32_t AAX_CALLBACK initialise (const Context*, AAX_EComponentInstanceInitAction) { return 0; }
    int32_t AAX_CALLBACK background() { return 0; }

    const void* address (void (*f) (Context* const[], const void*)) { return reinterpret_cast<const void*> (f); }

    class ComponentDescriptors : public ::testing::Test
    {
    protected:
        // The older host of every test but the last ones: no third versions.
        void OlderHost()
        {
            session.host.Refuse (IID_IAAXComponentDescriptorV3);
            session.host.Refuse (IID_IAAXPropertyMapV3);
        }

        AAX_VComponentDescriptor& Make()
        {
            descriptor = std::make_unique<AAX_VComponentDescriptor> (session.host.HostUnknown());
            return *descriptor;
        }

        // A native process procedure's map: property 13 and the procedure pointers.
        AAX_IPropertyMap& NativeMap (AAX_VComponentDescriptor& component)
        {
            AAX_IPropertyMap& map = *component.NewPropertyMap();
            map.AddProperty (AAX_eProperty_PlugInID_Native, 'Grs1');
            map.AddPointerProperty (AAX_eProperty_NativeProcessProc, address (process));
            map.AddPointerProperty (AAX_eProperty_NativeInstanceInitProc, reinterpret_cast<const void*> (&initialise));
            return map;
        }

        const StandInComponentDescriptor& HostDescriptor() { return *session.host.Made<StandInComponentDescriptor>().back(); }

        void TearDown() override { descriptor.reset(); }

        HostSession session;
        std::unique_ptr<AAX_VComponentDescriptor> descriptor;
    };
}

TEST_F (ComponentDescriptors, FieldRegistrationsReachTheHostInOrder)
{
    AAX_VComponentDescriptor& component = Make();
    const AAX_CTypeID meters[] = { 'Metr', 'Metr' + 1 };

    EXPECT_EQ (0, component.AddAudioIn (0));
    EXPECT_EQ (0, component.AddAudioOut (1));
    EXPECT_EQ (0, component.AddAudioBufferLength (2));
    EXPECT_EQ (0, component.AddSampleRate (3));
    EXPECT_EQ (0, component.AddClock (4));
    EXPECT_EQ (0, component.AddSideChainIn (5));
    EXPECT_EQ (0, component.AddMeters (6, meters, 2));
    EXPECT_EQ (0, component.AddMIDINode (7, AAX_eMIDINodeType_LocalOutput, "Out", 0xffff));
    EXPECT_EQ (0, component.AddAuxOutputStem (0, AAX_eStemFormat_Stereo, "Aux"));
    EXPECT_EQ (0, component.AddTemporaryData (8, 64));
    EXPECT_EQ (0, component.AddPrivateData (9, 24));
    EXPECT_EQ (0, component.AddDmaInstance (10, 1));
    EXPECT_EQ (0, component.AddDataInPort (11, 4));
    EXPECT_EQ (0, component.AddReservedField (12, 3));

    const std::vector<std::string> expected {
        "audio in 0", "audio out 1", "buffer length 2", "sample rate 3", "clock 4", "side chain 5",
        "meters 6 " + std::to_string ('Metr') + " " + std::to_string ('Metr' + 1), "midi node 7 1 Out 65535",
        "aux output 0 " + std::to_string (AAX_eStemFormat_Stereo) + " Aux", "temporary data 8 64", "private data 9 24 0",
        "dma 10 1", "data in 11 4", "reserved 12 3"
    };
    EXPECT_EQ (expected, HostDescriptor().Fields());

    EXPECT_EQ (0, component.Clear());
    EXPECT_TRUE (HostDescriptor().Fields().empty());
}

TEST_F (ComponentDescriptors, MissingVersionsAnswerTheirCodes)
{
    session.host.Refuse (IID_IAAXComponentDescriptorV2);
    AAX_VComponentDescriptor& secondMissing = Make();
    EXPECT_EQ (0, secondMissing.AddAudioIn (0));
    EXPECT_EQ (-20009, secondMissing.AddTemporaryData (1, 4));

    session.host.Refuse (IID_IAAXComponentDescriptorV1);
    AAX_VComponentDescriptor& noneAtAll = Make();
    EXPECT_EQ (-20004, noneAtAll.AddAudioIn (0));
    EXPECT_EQ (-20004, noneAtAll.AddPrivateData (1, 4));
    EXPECT_EQ (-20004, noneAtAll.AddProcessProc_Native (process));
    EXPECT_EQ (-20004, noneAtAll.AddProcessProcs (noneAtAll.NewPropertyMap()));
}

TEST_F (ComponentDescriptors, TypedNativeProcedureTravelsWithItsMap)
{
    AAX_VComponentDescriptor& component = Make();
    AAX_IPropertyMap& map = *component.NewPropertyMap();
    map.AddProperty (AAX_eProperty_PlugInID_Native, 'Grs1');

    AAX_CTypeID id = 0;
    EXPECT_EQ (0, component.AddProcessProc_Native (process, &map, initialise, background, &id));

    ASSERT_EQ (1u, HostDescriptor().ProcessProcs().size());
    const auto& proc = HostDescriptor().ProcessProcs()[0];
    EXPECT_EQ (address (process), proc.processProc);
    EXPECT_EQ (reinterpret_cast<const void*> (&initialise), proc.instanceInitProc);
    EXPECT_EQ (reinterpret_cast<const void*> (&background), proc.backgroundProc);
    EXPECT_EQ ('Grs1', proc.properties.values.at (AAX_eProperty_PlugInID_Native));
    EXPECT_EQ (proc.id, id);
}

TEST_F (ComponentDescriptors, OlderHostsGetOneNativeProcedure)
{
    OlderHost();
    AAX_VComponentDescriptor& component = Make();
    AAX_IPropertyMap& map = NativeMap (component);

    AAX_CTypeID ids[2] = { 99, 99 };
    EXPECT_EQ (0, component.AddProcessProcs (&map, ids, 2));

    ASSERT_EQ (1u, HostDescriptor().ProcessProcs().size());
    const auto& proc = HostDescriptor().ProcessProcs()[0];
    EXPECT_TRUE (proc.native);
    EXPECT_EQ (address (process), proc.processProc);
    EXPECT_EQ (reinterpret_cast<const void*> (&initialise), proc.instanceInitProc);
    EXPECT_EQ (nullptr, proc.backgroundProc);
    EXPECT_EQ (proc.id, ids[0]);
    EXPECT_EQ (0u, ids[1]);
}

TEST_F (ComponentDescriptors, AnIdArrayWithoutRoomForTheTerminatorOverflows)
{
    OlderHost();
    AAX_VComponentDescriptor& component = Make();
    AAX_CTypeID ids[1] = { 99 };
    EXPECT_EQ (-20046, component.AddProcessProcs (&NativeMap (component), ids, 1));
    EXPECT_EQ (99u, ids[0]);
}

TEST_F (ComponentDescriptors, TheBufferLengthStaysOutOfTheRegisteredMap)
{
    OlderHost();
    AAX_VComponentDescriptor& component = Make();
    AAX_IPropertyMap& map = NativeMap (component);
    map.AddProperty (AAX_eProperty_NativeAudioBufferLength, AAX_eAudioBufferLength_64);
    map.AddProperty (AAX_eProperty_CanBypass, 1);

    EXPECT_EQ (0, component.AddProcessProcs (&map));

    const auto& registered = HostDescriptor().ProcessProcs().at (0).properties;
    EXPECT_FALSE (registered.Has (AAX_eProperty_NativeAudioBufferLength));
    EXPECT_EQ (1, registered.values.at (AAX_eProperty_CanBypass));
    EXPECT_EQ ('Grs1', registered.values.at (AAX_eProperty_PlugInID_Native));

    AAX_CPropertyValue length = 0;
    EXPECT_NE (0, map.GetProperty (AAX_eProperty_NativeAudioBufferLength, &length));
    EXPECT_EQ (AAX_eAudioBufferLength_64, length);
    EXPECT_TRUE (session.Asserts().empty());
}

TEST_F (ComponentDescriptors, AMissingProcedureIsTracedAndRegisteredAsNull)
{
    OlderHost();
    AAX_VComponentDescriptor& component = Make();
    AAX_IPropertyMap& map = *component.NewPropertyMap();
    map.AddProperty (AAX_eProperty_PlugInID_AudioSuite, 1);

    EXPECT_EQ (0, component.AddProcessProcs (&map));
    ASSERT_EQ (1u, HostDescriptor().ProcessProcs().size());
    EXPECT_EQ (nullptr, HostDescriptor().ProcessProcs()[0].processProc);

    ASSERT_EQ (1u, session.Traces().size());
    EXPECT_EQ (0x8000000, session.Traces()[0].priority);
    EXPECT_EQ ("AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_NativeProcessProc",
               session.Traces()[0].text);
}

TEST_F (ComponentDescriptors, TIProceduresFollowTheNativeOneWithTheGivenMap)
{
    OlderHost();
    AAX_VComponentDescriptor& component = Make();
    AAX_IPropertyMap& map = NativeMap (component);
    map.AddProperty (AAX_eProperty_PlugInID_TI, 'Grt1');
    map.AddProperty (AAX_eProperty_NativeAudioBufferLength, AAX_eAudioBufferLength_32);
    map.AddPointerProperty (AAX_eProperty_TIDLLFileName, std::string ("Grindel.dll").c_str());

    AAX_CTypeID ids[3] = {};
    EXPECT_EQ (0, component.AddProcessProcs (&map, ids, 3));

    ASSERT_EQ (2u, HostDescriptor().ProcessProcs().size());
    const auto& ti = HostDescriptor().ProcessProcs()[1];
    EXPECT_FALSE (ti.native);
    EXPECT_EQ ("Grindel.dll", ti.dllName);
    EXPECT_EQ ("(null)", ti.processSymbol);
    EXPECT_TRUE (ti.properties.Has (AAX_eProperty_NativeAudioBufferLength));
    EXPECT_EQ (ti.id, ids[1]);
    EXPECT_EQ (0u, ids[2]);

    ASSERT_EQ (1u, session.Traces().size());
    EXPECT_EQ ("AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_TIProcessProc",
               session.Traces()[0].text);
}

TEST_F (ComponentDescriptors, ManualRegistrationNeedsAMapAndTheHostObject)
{
    OlderHost();
    AAX_VComponentDescriptor& component = Make();
    EXPECT_EQ (-20004, component.AddProcessProcs (nullptr));
    EXPECT_TRUE (HostDescriptor().ProcessProcs().empty());
}

TEST_F (ComponentDescriptors, NewerHostsRegisterEveryProcedureThemselves)
{
    AAX_VComponentDescriptor& component = Make();
    AAX_IPropertyMap& map = NativeMap (component);

    AAX_CTypeID ids[2] = {};
    EXPECT_EQ (0, component.AddProcessProcs (&map, ids, 2));
    ASSERT_EQ (1u, HostDescriptor().ProcessProcs().size());
    EXPECT_EQ (address (process), HostDescriptor().ProcessProcs()[0].processProc);
    EXPECT_EQ (HostDescriptor().ProcessProcs()[0].id, ids[0]);
}

TEST_F (ComponentDescriptors, DuplicateCopiesValuesAndPointers)
{
    OlderHost();
    AAX_VComponentDescriptor& component = Make();
    AAX_IPropertyMap& source = NativeMap (component);
    source.AddProperty (AAX_eProperty_MaxProp, 9);
    source.AddProperty (static_cast<AAX_EProperty> (402), 1);   // beyond the copied range

    AAX_IPropertyMap* copy = component.DuplicatePropertyMap (&source);
    ASSERT_NE (nullptr, copy);
    ASSERT_NE (&source, copy);

    AAX_CPropertyValue value = 0;
    EXPECT_NE (0, copy->GetProperty (AAX_eProperty_PlugInID_Native, &value));
    EXPECT_NE (0, copy->GetProperty (AAX_eProperty_MaxProp, &value));
    EXPECT_EQ (0, copy->GetProperty (static_cast<AAX_EProperty> (402), &value));

    const void* pointer = nullptr;
    EXPECT_NE (0, copy->GetPointerProperty (AAX_eProperty_NativeProcessProc, &pointer));
    EXPECT_EQ (address (process), pointer);
}
