// The host-side interfaces against the host's numbering: identifiers in text form and
// the position of every operation in the interface's operation table (1 = first
// IACFUnknown operation). Positions are read from member-function pointers as the
// Itanium C++ ABI encodes them (the ABI of the product platform).

#include "AAX.h"
#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IACFHostServices.h"
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

       #if defined (__aarch64__) || defined (__arm__)
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

#if defined (__GNUC__) && ! defined (_MSC_VER)
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
}

TEST (InterfaceLayout, UnknownOperations)
{
    if (! ITANIUM_LAYOUT)
        GTEST_SKIP() << "operation positions are read through the Itanium ABI";

    EXPECT_EQ (1, OperationNumber (&IACFUnknown::QueryInterface));
    EXPECT_EQ (2, OperationNumber (&IACFUnknown::AddRef));
    EXPECT_EQ (3, OperationNumber (&IACFUnknown::Release));
    EXPECT_EQ (4, OperationNumber (&IACFComponentFactory::CreateInstance));
}

TEST (InterfaceLayout, HostServicesOperations)
{
    if (! ITANIUM_LAYOUT)
        GTEST_SKIP() << "operation positions are read through the Itanium ABI";

    EXPECT_EQ (5, OperationNumber (&AAX_IACFHostServices::Trace));
    EXPECT_EQ (6, OperationNumber (&AAX_IACFHostServices_V2::StackTrace));
    EXPECT_EQ (7, OperationNumber (&AAX_IACFHostServices_V3::HandleAssertFailure));
}

TEST (InterfaceLayout, AutomationOperations)
{
    if (! ITANIUM_LAYOUT)
        GTEST_SKIP() << "operation positions are read through the Itanium ABI";

    EXPECT_EQ (4,  OperationNumber (&AAX_IACFAutomationDelegate::RegisterParameter));
    EXPECT_EQ (5,  OperationNumber (&AAX_IACFAutomationDelegate::UnregisterParameter));
    EXPECT_EQ (6,  OperationNumber (&AAX_IACFAutomationDelegate::PostSetValueRequest));
    EXPECT_EQ (7,  OperationNumber (&AAX_IACFAutomationDelegate::PostCurrentValue));
    EXPECT_EQ (8,  OperationNumber (&AAX_IACFAutomationDelegate::PostTouchRequest));
    EXPECT_EQ (9,  OperationNumber (&AAX_IACFAutomationDelegate::PostReleaseRequest));
    EXPECT_EQ (10, OperationNumber (&AAX_IACFAutomationDelegate::GetTouchState));
}

TEST (InterfaceLayout, ChunkRecordHeaderHasNoPadding)
{
    static_assert (offsetof (AAX_SPlugInChunk, fVersion) == 4);
    static_assert (offsetof (AAX_SPlugInChunk, fChunkID) == 20);
    static_assert (offsetof (AAX_SPlugInChunk, fName) == 24);
    static_assert (offsetof (AAX_SPlugInChunk, fData) == 56);
    SUCCEED();
}
