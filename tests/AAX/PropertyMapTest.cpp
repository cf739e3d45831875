// Property maps over hosts with and without the newer versions: pointer properties kept
// by the library, the channel-format guard, and what reaches the host.

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VCollection.h"
#include "AAX_VPropertyMap.h"
#include "BalancedHost.h"
#include "StandInHost.h"
#include "StandInPropertyMap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace
{
    class PropertyMaps : public BalancedHost
    {
    protected:
        void TearDown() override
        {
            map.reset();
            BalancedHost::TearDown();
        }

        AAX_VPropertyMap& Make()
        {
            map.reset (AAX_VPropertyMap::Create (host.HostUnknown()));
            return *map;
        }

        const StandInPropertyMap::Contents& HostContents() const { return host.Made<StandInPropertyMap>().back()->Held(); }

        std::unique_ptr<AAX_VPropertyMap> map;
    };

    int processProc = 0;
}

TEST_F (PropertyMaps, ValuesGoToTheHost)
{
    AAX_VPropertyMap& properties = Make();
    EXPECT_EQ (0, properties.AddProperty (AAX_eProperty_ProductID, 42));

    AAX_CPropertyValue value = 0;
    EXPECT_NE (0, properties.GetProperty (AAX_eProperty_ProductID, &value));
    EXPECT_EQ (42, value);
    EXPECT_EQ (42, HostContents().values.at (AAX_eProperty_ProductID));

    EXPECT_EQ (0, properties.RemoveProperty (AAX_eProperty_ProductID));
    EXPECT_EQ (0, properties.GetProperty (AAX_eProperty_ProductID, &value));
}

TEST_F (PropertyMaps, TheHostIsHandedTheNewestVersion)
{
    AAX_VPropertyMap& properties = Make();
    EXPECT_EQ (static_cast<IACFUnknown*> (static_cast<AAX_IACFPropertyMap_V3*> (host.Made<StandInPropertyMap>()[0])), properties.GetIUnknown());

    host.Refuse (IID_IAAXPropertyMapV3);
    host.Refuse (IID_IAAXPropertyMapV2);
    EXPECT_NE (nullptr, Make().GetIUnknown());

    host.Refuse (IID_IAAXPropertyMapV1);
    EXPECT_EQ (nullptr, Make().GetIUnknown());
}

TEST_F (PropertyMaps, PointerPropertiesReachANewerHost)
{
    AAX_VPropertyMap& properties = Make();
    EXPECT_EQ (0, properties.AddPointerProperty (AAX_eProperty_NativeProcessProc, &processProc));
    EXPECT_EQ (&processProc, HostContents().pointers.at (AAX_eProperty_NativeProcessProc));

    const void* pointer = nullptr;
    EXPECT_NE (0, properties.GetPointerProperty (AAX_eProperty_NativeProcessProc, &pointer));
    EXPECT_EQ (&processProc, pointer);
}

TEST_F (PropertyMaps, OlderHostsLeaveProcedurePointersToTheLibrary)
{
    host.Refuse (IID_IAAXPropertyMapV3);
    AAX_VPropertyMap& properties = Make();

    EXPECT_EQ (0, properties.AddPointerProperty (AAX_eProperty_NativeProcessProc, &processProc));
    const void* pointer = nullptr;
    EXPECT_NE (0, properties.GetPointerProperty (AAX_eProperty_NativeProcessProc, &pointer));
    EXPECT_EQ (&processProc, pointer);
    EXPECT_TRUE (HostContents().pointers.empty());

    EXPECT_EQ (-20009, properties.AddPointerProperty (static_cast<AAX_EProperty> (43), &processProc));
    EXPECT_EQ (0, properties.GetPointerProperty (static_cast<AAX_EProperty> (43), &pointer));
    EXPECT_EQ (0, properties.GetPointerProperty (AAX_eProperty_NativeProcessProc, nullptr));

    // A later pointer replaces the earlier one.
    int other = 0;
    properties.AddPointerProperty (AAX_eProperty_NativeProcessProc, &other);
    properties.GetPointerProperty (AAX_eProperty_NativeProcessProc, &pointer);
    EXPECT_EQ (&other, pointer);
}

TEST_F (PropertyMaps, AStoredTextOutlivesTheCallersText)
{
    host.Refuse (IID_IAAXPropertyMapV3);
    AAX_VPropertyMap& properties = Make();

    {
        const std::string temporary = std::string ("Grindel") + "_TI.dll";
        EXPECT_EQ (0, properties.AddPointerProperty (AAX_eProperty_TIDLLFileName, temporary.c_str()));
    }

    std::string reuse (64, 'x');   // likely to take the freed storage
    const void* pointer = nullptr;
    ASSERT_NE (0, properties.GetPointerProperty (AAX_eProperty_TIDLLFileName, &pointer));
    EXPECT_STREQ ("Grindel_TI.dll", static_cast<const char*> (pointer));

    // A pointer given later replaces the stored text.
    properties.AddPointerProperty (AAX_eProperty_TIDLLFileName, static_cast<const void*> (&processProc));
    properties.GetPointerProperty (AAX_eProperty_TIDLLFileName, &pointer);
    EXPECT_EQ (&processProc, pointer);
}

TEST_F (PropertyMaps, WideChannelFormatsNeedADescriptionHost)
{
    host.Refuse (IID_IAAXDescriptionHostV1);
    AAX_VPropertyMap& properties = Make();

    EXPECT_EQ (-20039, properties.AddProperty (AAX_eProperty_InputStemFormat, 0xD0001));
    EXPECT_EQ (-20039, properties.AddProperty (AAX_eProperty_OutputStemFormat, AAX_eStemFormat_Ambi_1_ACN));
    EXPECT_FALSE (HostContents().Has (AAX_eProperty_InputStemFormat));
    EXPECT_FALSE (HostContents().Has (AAX_eProperty_OutputStemFormat));

    EXPECT_EQ (0, properties.AddProperty (AAX_eProperty_InputStemFormat, static_cast<AAX_CPropertyValue> (0xFFFF0000u)));
    EXPECT_EQ (0, properties.AddProperty (AAX_eProperty_OutputStemFormat, static_cast<AAX_CPropertyValue> (0xFF9C0000u)));
    EXPECT_EQ (0, properties.AddProperty (AAX_eProperty_OutputStemFormat, AAX_eStemFormat_7_1_DTS));
    EXPECT_EQ (0, properties.AddProperty (AAX_eProperty_ProductID, 0xD0001));
}

TEST_F (PropertyMaps, TheDescriptionHostLiftsTheGuard)
{
    AAX_VPropertyMap& properties = Make();
    EXPECT_EQ (0, properties.AddProperty (AAX_eProperty_InputStemFormat, AAX_eStemFormat_7_1_2));
    EXPECT_EQ (AAX_eStemFormat_7_1_2, HostContents().values.at (AAX_eProperty_InputStemFormat));
}

TEST_F (PropertyMaps, WithoutTheHostObjectEveryVersionAnswersItsMissingResult)
{
    host.Refuse (IID_IAAXPropertyMapV1);
    AAX_VPropertyMap& properties = Make();

    AAX_CPropertyValue value = 5;
    EXPECT_EQ (0, properties.GetProperty (AAX_eProperty_ProductID, &value));
    EXPECT_EQ (-20004, properties.AddProperty (AAX_eProperty_ProductID, 1));
    EXPECT_EQ (-20004, properties.RemoveProperty (AAX_eProperty_ProductID));
    EXPECT_EQ (-20009, properties.AddPropertyWithIDArray (AAX_eProperty_ProductID, nullptr, 0));

    const AAX_SPlugInIdentifierTriad* ids = nullptr;
    uint32_t count = 0;
    EXPECT_EQ (0, properties.GetPropertyWithIDArray (AAX_eProperty_ProductID, &ids, &count));
}

TEST_F (PropertyMaps, IdentifierArraysUseTheSecondVersion)
{
    AAX_VPropertyMap& properties = Make();
    const AAX_SPlugInIdentifierTriad triads[] = { { 1, 2, 3 }, { 4, 5, 6 } };
    EXPECT_EQ (0, properties.AddPropertyWithIDArray (AAX_eProperty_PlugInID_Native, triads, 2));

    const AAX_SPlugInIdentifierTriad* ids = nullptr;
    uint32_t count = 0;
    ASSERT_NE (0, properties.GetPropertyWithIDArray (AAX_eProperty_PlugInID_Native, &ids, &count));
    ASSERT_EQ (2u, count);
    EXPECT_EQ (6u, ids[1].mPlugInID);
}
