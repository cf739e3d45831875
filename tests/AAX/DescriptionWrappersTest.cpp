// The collection, effect descriptor, description host and feature information over the
// stand-in host: forwarding, the answers for missing versions, and ownership.

#include "AAX_Errors.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IFeatureInfo.h"
#include "AAX_IPropertyMap.h"
#include "AAX_UIDs.h"
#include "AAX_VCollection.h"
#include "AAX_VEffectDescriptor.h"
#include "BalancedHost.h"
#include "StandInCollection.h"
#include "StandInComponentDescriptor.h"
#include "StandInDescriptionHost.h"
#include "StandInEffectDescriptor.h"
#include "StandInHost.h"
#include "StandInPropertyMap.h"

#include <gtest/gtest.h>

#include <memory>

using DescriptionWrappers = BalancedHost;

TEST_F (DescriptionWrappers, CollectionForwardsToItsHostObject)
{
    AAX_VCollection collection (host.HostUnknown());
    ASSERT_EQ (1u, host.Made<StandInCollection>().size());
    const StandInCollection& hostCollection = *host.Made<StandInCollection>()[0];

    EXPECT_EQ (0, collection.SetManufacturerName ("Orvik Audio"));
    EXPECT_EQ (0, collection.AddPackageName ("Grindel 2"));
    EXPECT_EQ (0, collection.SetPackageVersion (0x00020201));

    AAX_IPropertyMap* properties = collection.NewPropertyMap();
    properties->AddProperty (AAX_eProperty_ManufacturerID, 7);
    EXPECT_EQ (0, collection.SetProperties (properties));
    EXPECT_EQ (0, collection.SetProperties (nullptr));

    EXPECT_EQ ("Orvik Audio", hostCollection.Manufacturer());
    EXPECT_EQ (std::vector<std::string> { "Grindel 2" }, hostCollection.PackageNames());
    EXPECT_EQ (0x00020201u, hostCollection.PackageVersion());
    ASSERT_EQ (2u, hostCollection.PropertySets().size());
    EXPECT_EQ (7, hostCollection.PropertySets()[0].values.at (AAX_eProperty_ManufacturerID));
    EXPECT_TRUE (hostCollection.PropertySets()[1].values.empty());

    // An effect without a descriptor of the library never reaches the host.
    EXPECT_EQ (-20004, collection.AddEffect ("com.orvik.grindel2", nullptr));
    EXPECT_TRUE (hostCollection.Effects().empty());
    EXPECT_EQ (0, collection.AddEffect ("com.orvik.grindel2", collection.NewDescriptor()));
    EXPECT_EQ (1u, hostCollection.Effects().size());
}

TEST_F (DescriptionWrappers, ACollectionWithoutHostObjectAnswersNullObject)
{
    host.Refuse (IID_IAAXCollectionV1);
    AAX_VCollection collection (host.HostUnknown());

    EXPECT_EQ (nullptr, collection.GetIUnknown());
    EXPECT_EQ (-20004, collection.SetManufacturerName ("x"));
    EXPECT_EQ (-20004, collection.AddPackageName ("x"));
    EXPECT_EQ (-20004, collection.SetPackageVersion (1));
    EXPECT_EQ (-20004, collection.SetProperties (nullptr));
    EXPECT_EQ (-20004, collection.AddEffect ("x", collection.NewDescriptor()));
}

TEST_F (DescriptionWrappers, AFactoryAnswerWithoutObjectThrowsTheIntegerCode)
{
    host.AnswerFactoryQueryWithoutObject (true);

    try
    {
        AAX_VCollection collection (host.HostUnknown());
        FAIL() << "construction should throw";
    }
    catch (ACFRESULT code)
    {
        EXPECT_EQ (ACF_E_POINTER, code);
    }
}

TEST_F (DescriptionWrappers, DescriptionHostIsNullOnOlderHosts)
{
    host.Refuse (IID_IAAXDescriptionHostV1);
    host.Refuse (IID_IACFDefinition);
    AAX_VCollection collection (host.HostUnknown());
    const AAX_VCollection& readOnly = collection;

    EXPECT_EQ (nullptr, collection.DescriptionHost());
    EXPECT_EQ (nullptr, readOnly.DescriptionHost());
    EXPECT_EQ (nullptr, collection.HostDefinition());
}

TEST_F (DescriptionWrappers, FeatureInformationComesFromTheDescriptionHost)
{
    StandInPropertyMap::Contents levels;
    levels.values[AAX_eStemFormat_7_1_2] = AAX_eSupportLevel_Supported;
    host.DescriptionHost().SetFeature (AAXATTR_ClientFeature_StemFormat, AAX_eSupportLevel_ByProperty, levels);

    AAX_VCollection collection (host.HostUnknown());
    ASSERT_NE (nullptr, collection.DescriptionHost());
    EXPECT_EQ (host.DescriptionHost().DefinitionUnknown(), collection.HostDefinition());

    std::unique_ptr<const AAX_IFeatureInfo> info (collection.DescriptionHost()->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
    ASSERT_NE (nullptr, info);
    EXPECT_EQ (AAXATTR_ClientFeature_StemFormat, info->ID());

    AAX_ESupportLevel level = AAX_eSupportLevel_Uninitialized;
    EXPECT_EQ (0, info->SupportLevel (level));
    EXPECT_EQ (AAX_eSupportLevel_ByProperty, level);

    std::unique_ptr<const AAX_IPropertyMap> properties (info->AcquireProperties());
    ASSERT_NE (nullptr, properties);
    AAX_CPropertyValue value = 0;
    EXPECT_NE (0, properties->GetProperty (static_cast<AAX_EProperty> (AAX_eStemFormat_7_1_2), &value));
    EXPECT_EQ (AAX_eSupportLevel_Supported, value);
    EXPECT_EQ (0, properties->GetProperty (static_cast<AAX_EProperty> (AAX_eStemFormat_Ambi_1_ACN), &value));

    // An unknown feature gives no information at all.
    const AAX_Feature_UID unknown = { 1, 2, 3, { 4, 5, 6, 7, 8, 9, 10, 11 } };
    EXPECT_EQ (nullptr, collection.DescriptionHost()->AcquireFeatureProperties (unknown));
}

TEST_F (DescriptionWrappers, FeatureInformationWithoutPropertiesOrInterface)
{
    host.DescriptionHost().SetFeature (AAXATTR_ClientFeature_StemFormat, AAX_eSupportLevel_Supported);
    AAX_VCollection collection (host.HostUnknown());

    std::unique_ptr<const AAX_IFeatureInfo> info (collection.DescriptionHost()->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
    ASSERT_NE (nullptr, info);
    EXPECT_EQ (nullptr, info->AcquireProperties());

    host.Refuse (IID_IAAXFeatureInfoV1);
    std::unique_ptr<const AAX_IFeatureInfo> without (collection.DescriptionHost()->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
    ASSERT_NE (nullptr, without);
    AAX_ESupportLevel level = AAX_eSupportLevel_Disabled;
    EXPECT_EQ (-20004, without->SupportLevel (level));
    EXPECT_EQ (nullptr, without->AcquireProperties());
}

TEST_F (DescriptionWrappers, EffectDescriptorForwardsEveryRegistration)
{
    AAX_VCollection collection (host.HostUnknown());
    AAX_IEffectDescriptor& effect = *collection.NewDescriptor();
    const StandInEffectDescriptor& hostEffect = *host.Made<StandInEffectDescriptor>()[0];

    int gui = 0;
    EXPECT_EQ (0, effect.AddName ("Grindel 2"));
    EXPECT_EQ (0, effect.AddCategory (64));
    EXPECT_EQ (0, effect.AddCategoryBypassParameter (64, "MasterBypassID"));
    EXPECT_EQ (0, effect.AddProcPtr (&gui, kAAX_ProcPtrID_Create_EffectGUI));
    EXPECT_EQ (0, effect.AddResourceInfo (AAX_eResourceType_PageTable, "Grindel.xml"));
    EXPECT_EQ (0, effect.AddControlMIDINode ('Mctl', AAX_eMIDINodeType_Global, "Control", 1));
    EXPECT_EQ (0, effect.AddMeterDescription ('Metr', "Input", nullptr));

    AAX_IPropertyMap* properties = effect.NewPropertyMap();
    properties->AddProperty (AAX_eProperty_ProductID, 3);
    EXPECT_EQ (0, effect.SetProperties (properties));

    EXPECT_EQ (std::vector<std::string> { "Grindel 2" }, hostEffect.Names());
    EXPECT_EQ (&gui, hostEffect.ProcPtrs().at (0).proc);
    EXPECT_EQ (3, hostEffect.PropertySets().at (0).values.at (AAX_eProperty_ProductID));
    EXPECT_EQ (1u, hostEffect.Meters().size());
    EXPECT_EQ ((std::vector<std::string> { "category bypass 64 MasterBypassID", "resource 1 Grindel.xml",
                                           "control midi node " + std::to_string ('Mctl') + " 2 Control 1" }),
               hostEffect.Log());
}

TEST_F (DescriptionWrappers, EffectDescriptorAnswersForMissingVersions)
{
    host.Refuse (IID_IAAXEffectDescriptorV2);
    AAX_VEffectDescriptor secondMissing (host.HostUnknown());
    EXPECT_EQ (0, secondMissing.AddName ("x"));
    EXPECT_EQ (-20009, secondMissing.AddControlMIDINode (1, AAX_eMIDINodeType_Global, "x", 1));

    host.Refuse (IID_IAAXEffectDescriptorV1);
    AAX_VEffectDescriptor bothMissing (host.HostUnknown());
    EXPECT_EQ (-20004, bothMissing.AddName ("x"));
    EXPECT_EQ (-20004, bothMissing.AddCategory (1));
    EXPECT_EQ (-20004, bothMissing.AddProcPtr (nullptr, 0));
    EXPECT_EQ (-20004, bothMissing.SetProperties (nullptr));
    EXPECT_EQ (-20004, bothMissing.AddMeterDescription (1, "x", nullptr));
    EXPECT_EQ (-20004, bothMissing.AddComponent (bothMissing.NewComponentDescriptor()));
}

TEST_F (DescriptionWrappers, AddComponentHandsOverTheDescriptorsHostObject)
{
    AAX_VEffectDescriptor effect (host.HostUnknown());
    EXPECT_EQ (0, effect.AddComponent (effect.NewComponentDescriptor()));
    ASSERT_EQ (1u, host.Made<StandInEffectDescriptor>()[0]->Components().size());
    EXPECT_EQ (host.Made<StandInComponentDescriptor>()[0], host.Made<StandInEffectDescriptor>()[0]->Components()[0]);

    // The host refuses what carries no host object.
    EXPECT_EQ (AAX_ERROR_NULL_COMPONENT, effect.AddComponent (nullptr));
}

TEST_F (DescriptionWrappers, DestroyingTheCollectionReleasesEverythingMadeThroughIt)
{
    {
        AAX_VCollection collection (host.HostUnknown());
        AAX_IEffectDescriptor* effect = collection.NewDescriptor();
        AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
        component->NewPropertyMap();
        component->DuplicatePropertyMap (component->NewPropertyMap());
        effect->NewPropertyMap();
        collection.NewPropertyMap();

        EXPECT_GT (host.OutstandingReferences(), 0);
    }

    EXPECT_EQ (1u, host.Made<StandInCollection>().size());
    EXPECT_EQ (1u, host.Made<StandInEffectDescriptor>().size());
    EXPECT_EQ (1u, host.Made<StandInComponentDescriptor>().size());
    EXPECT_EQ (5u, host.Made<StandInPropertyMap>().size());
    EXPECT_EQ (0, host.OutstandingReferences());
}
