// The view-container and page-table wrappers over the stand-in host.

#include "AAX_CString.h"
#include "AAX_Enums.h"
#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VPageTable.h"
#include "AAX_VViewContainer.h"
#include "BalancedHost.h"
#include "StandInHost.h"
#include "StandInPageTable.h"
#include "StandInViewContainer.h"

#include <gtest/gtest.h>

using HostWindows = BalancedHost;

TEST_F (HostWindows, ViewContainerForwardsToTheHostWindow)
{
    int nativeView = 0;
    host.ViewContainer().type = AAX_eViewContainer_Type_HWND;
    host.ViewContainer().view = &nativeView;
    host.ViewContainer().modifiers = AAX_eModifiers_Shift | AAX_eModifiers_Alt;

    AAX_VViewContainer container (host.ViewContainerUnknown());
    EXPECT_EQ (AAX_eViewContainer_Type_HWND, container.GetType());
    EXPECT_EQ (&nativeView, container.GetPtr());

    uint32_t modifiers = 0;
    EXPECT_EQ (0, container.GetModifiers (&modifiers));
    EXPECT_EQ (5u, modifiers);

    AAX_Point size { 300.0f, 500.0f };
    EXPECT_EQ (0, container.SetViewSize (size));
    ASSERT_EQ (1u, host.ViewContainer().SizeRequests().size());
    EXPECT_EQ (300.0f, host.ViewContainer().SizeRequests()[0].vert);
    EXPECT_EQ (500.0f, host.ViewContainer().SizeRequests()[0].horz);

    host.ViewContainer().refuseSizes = true;
    EXPECT_NE (0, container.SetViewSize (size));

    const AAX_CParamID both[] = { "Gain", "Mix" };
    container.HandleParameterMouseDown ("Gain", 1);
    container.HandleParameterMouseDrag ("Gain", 1);
    container.HandleParameterMouseUp ("Gain", 0);
    container.HandleMultipleParametersMouseDown (both, 2, 4);
    EXPECT_EQ ((std::vector<std::string> { "down Gain 1", "drag Gain 1", "up Gain 0", "multiple down Gain Mix 4" }),
               host.ViewContainer().MouseEvents());
}

TEST_F (HostWindows, ViewContainerWithoutHostObjectAcceptsSizes)
{
    AAX_VViewContainer container (nullptr);
    uint32_t modifiers = 0;
    AAX_Point size { 1.0f, 2.0f };

    EXPECT_EQ (0, container.GetType());
    EXPECT_EQ (nullptr, container.GetPtr());
    EXPECT_EQ (0, container.SetViewSize (size));
    EXPECT_EQ (-20009, container.GetModifiers (&modifiers));
    EXPECT_EQ (-20009, container.HandleParameterMouseDown ("Gain", 0));
    EXPECT_EQ (-20009, container.HandleMultipleParametersMouseUp (nullptr, 0, 0));
}

TEST_F (HostWindows, ViewContainerWithOnlyTheFirstVersion)
{
    host.Refuse (IID_IAAXViewContainerV2);
    AAX_VViewContainer container (host.ViewContainerUnknown());
    EXPECT_EQ (0, container.HandleParameterMouseDown ("Gain", 0));
    EXPECT_EQ (-20009, container.HandleMultipleParametersMouseDrag (nullptr, 0, 0));
}

TEST_F (HostWindows, ADestroyedViewContainerHoldsNoReference)
{
    {
        AAX_VViewContainer container (host.ViewContainerUnknown());
        EXPECT_EQ (2, host.ViewContainer().References());
    }
    EXPECT_EQ (0, host.ViewContainer().References());
}

TEST_F (HostWindows, PageTableForwardsBothVersions)
{
    auto& table = host.Make<StandInPageTable> (host);
    AAX_VPageTable wrapper (static_cast<AAX_IACFPageTable*> (&table));
    EXPECT_TRUE (wrapper.HasInterface());

    EXPECT_EQ (0, wrapper.InsertPage (0));
    EXPECT_EQ (0, wrapper.MapParameterID ("Gain", 0, 3));

    int32_t count = 0;
    EXPECT_EQ (0, wrapper.GetNumMappedParameterIDs (0, &count));
    EXPECT_EQ (1, count);

    AAX_CString id;
    EXPECT_EQ (0, wrapper.GetMappedParameterID (0, 3, &id));
    EXPECT_EQ ("Gain", std::string (id.Get()));

    EXPECT_EQ (0, wrapper.SetParameterNameVariation ("Gain", "Gn", 2));
    AAX_CString name;
    EXPECT_EQ (0, wrapper.GetParameterNameVariationOfLength ("Gain", 2, &name));
    EXPECT_EQ ("Gn", std::string (name.Get()));

    AAX_CBoolean empty = 1;
    EXPECT_EQ (0, wrapper.Clear());
    EXPECT_EQ (0, wrapper.Empty (&empty));
    EXPECT_EQ (1, empty);
}

TEST_F (HostWindows, APageTableWhoseHostRefusesBothVersions)
{
    host.Refuse (IID_IAAXPageTableV1);
    host.Refuse (IID_IAAXPageTableV2);
    auto& table = host.Make<StandInPageTable> (host);
    AAX_VPageTable wrapper (static_cast<AAX_IACFPageTable*> (&table));

    int32_t pages = 0;
    AAX_CString text;
    EXPECT_FALSE (wrapper.HasInterface());
    EXPECT_EQ (-20009, wrapper.Clear());
    EXPECT_EQ (-20009, wrapper.GetNumPages (&pages));
    EXPECT_EQ (-20009, wrapper.MapParameterID ("Gain", 0, 0));
    EXPECT_EQ (-20009, wrapper.GetNumParametersWithNameVariations (&pages));
    EXPECT_EQ (-20009, wrapper.SetParameterNameVariation ("Gain", "G", 1));
    EXPECT_EQ (-20009, wrapper.GetNameVariationParameterIDAtIndex (0, &text));
}
