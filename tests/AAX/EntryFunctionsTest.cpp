// The exported entry functions and the host services, driven through the stand-in host.

#include "AAX_Assert.h"
#include "AAX_Errors.h"
#include "AAX_HostServices.h"
#include "AAX_IHostServices.h"
#include "AAX_UIDs.h"
#include "CACFUnknown.h"
#include "IACFComponentDefinition.h"
#include "StandInComponentFactory.h"
#include "StandInHost.h"
#include "StandInHostServices.h"
#include "StandInUID.h"

#include <gtest/gtest.h>

#include <string>

extern "C"
{
    ACFRESULT ACFRegisterComponent (IACFUnknown*, const acfCLSID&, IACFComponentDefinition**);
    ACFRESULT ACFGetClassFactory (IACFUnknown*, const acfCLSID&, const acfIID&, void**);
    ACFRESULT ACFCanUnloadNow();
    ACFRESULT ACFStartup (IACFUnknown*);
    ACFRESULT ACFShutdown();
    ACFRESULT ACFGetSDKVersion (acfUInt64*);
}

namespace
{
    const ACFRESULT kEscaped = static_cast<ACFRESULT> (0x8000FFFFu);

    class CountedThing : public IACFUnknown, public CACFUnknown
    {
    public:
        ACF_DECLARE_STANDARD_UNKNOWN()
    };

    class EntryFunctions : public ::testing::Test
    {
    protected:
        void TearDown() override
        {
            ACFShutdown();
        }

        StandInHost host;
    };
}

TEST_F (EntryFunctions, SDKVersionIs2p3WithItsRevision)
{
    acfUInt64 version = 0;
    EXPECT_EQ (0, ACFGetSDKVersion (&version));
    EXPECT_EQ (0x0000020300D5E5B4ull, version);
    EXPECT_EQ (ACF_E_POINTER, ACFGetSDKVersion (nullptr));
}

TEST_F (EntryFunctions, ClassFactoryIsUnimplementedAndComponentRegistrationEmpty)
{
    void* factory = &host;
    EXPECT_EQ (-20009, ACFGetClassFactory (host.HostUnknown(), CLSID_AAXHostServices, IID_IACFUnknown, &factory));
    EXPECT_EQ (nullptr, factory);

    IACFComponentDefinition* definition = reinterpret_cast<IACFComponentDefinition*> (&host);
    EXPECT_EQ (0, ACFRegisterComponent (host.HostUnknown(), CLSID_AAXHostServices, &definition));
    EXPECT_EQ (nullptr, definition);

    EXPECT_EQ (-20009, ACFGetClassFactory (nullptr, CLSID_AAXHostServices, IID_IACFUnknown, nullptr));
    EXPECT_EQ (0, ACFRegisterComponent (nullptr, CLSID_AAXHostServices, nullptr));
}

TEST_F (EntryFunctions, CanUnloadNowCountsLiveLibraryObjects)
{
    const ACFRESULT before = ACFCanUnloadNow();
    EXPECT_EQ (0, before);

    auto* first = new CountedThing;
    auto* second = new CountedThing;
    first->AddRef();
    second->AddRef();
    EXPECT_EQ (2, ACFCanUnloadNow());

    first->Release();
    EXPECT_EQ (1, ACFCanUnloadNow());
    second->Release();
    EXPECT_EQ (0, ACFCanUnloadNow());
}

TEST_F (EntryFunctions, StartupCreatesTheThreeServiceVersionsInOrder)
{
    EXPECT_EQ (0, ACFStartup (host.HostUnknown()));
    ASSERT_NE (nullptr, AAX_GetHostServices());

    const std::string cls = StandInUID::ToText (CLSID_AAXHostServices);
    const std::vector<std::string> expected {
        cls + " " + StandInUID::ToText (IID_IAAXHostServicesV1),
        cls + " " + StandInUID::ToText (IID_IAAXHostServicesV2),
        cls + " " + StandInUID::ToText (IID_IAAXHostServicesV3)
    };
    EXPECT_EQ (expected, host.Factory().Creations());

    // The factory is released at once; the three versions are held until shut-down.
    EXPECT_EQ (0, host.Factory().References());
    EXPECT_EQ (3, host.Services().References());

    EXPECT_EQ (0, ACFShutdown());
    EXPECT_EQ (nullptr, AAX_GetHostServices());
    EXPECT_TRUE (host.Balanced());
}

TEST_F (EntryFunctions, TracesAndAssertionsReachTheHost)
{
    ASSERT_EQ (0, ACFStartup (host.HostUnknown()));

    EXPECT_EQ (0, AAX_Trace (0x4000000, "value %d of %s", 3, "gain"));
    EXPECT_EQ (0, AAX_HandleAssertFailure ("AAX/Interfaces/AAX_CParameter", 42, "0 < numSteps", 1));
    EXPECT_EQ (0, AAX_GetHostServices()->StackTrace (1, 2, "stack"));

    ASSERT_EQ (1u, host.Services().Traces().size());
    EXPECT_EQ (0x4000000, host.Services().Traces()[0].priority);
    EXPECT_EQ ("value 3 of gain", host.Services().Traces()[0].text);

    ASSERT_EQ (1u, host.Services().AssertFailures().size());
    const auto& failure = host.Services().AssertFailures()[0];
    EXPECT_EQ ("AAX/Interfaces/AAX_CParameter", failure.file);
    EXPECT_EQ (42, failure.line);
    EXPECT_EQ ("0 < numSteps", failure.note);
    EXPECT_EQ (1, failure.flags);

    EXPECT_EQ (1u, host.Services().StackTraces().size());
    EXPECT_TRUE (host.Services().Asserts().empty());   // the first version's assertion is never used
}

TEST_F (EntryFunctions, MissingServiceVersionsAnswerWithTheirCodes)
{
    host.Refuse (IID_IAAXHostServicesV1);
    host.Refuse (IID_IAAXHostServicesV2);
    host.Refuse (IID_IAAXHostServicesV3);
    ASSERT_EQ (0, ACFStartup (host.HostUnknown()));

    EXPECT_EQ (-20004, AAX_Trace (0x4000000, "dropped"));
    EXPECT_EQ (-20004, AAX_HandleAssertFailure ("f", 1, "c", 1));
    EXPECT_EQ (-20009, AAX_GetHostServices()->StackTrace (0, 0, "s"));
    EXPECT_TRUE (host.Services().Traces().empty());

    ACFShutdown();
    EXPECT_TRUE (host.Balanced());
}

TEST_F (EntryFunctions, EachVersionIsUsedOnlyForItsOwnOperation)
{
    host.Refuse (IID_IAAXHostServicesV3);
    ASSERT_EQ (0, ACFStartup (host.HostUnknown()));

    EXPECT_EQ (-20004, AAX_HandleAssertFailure ("f", 1, "c", 1));
    EXPECT_EQ (0, AAX_Trace (0x8000000, "still traced"));
    EXPECT_EQ (1u, host.Services().Traces().size());
    EXPECT_TRUE (host.Services().AssertFailures().empty());
}

TEST_F (EntryFunctions, RefusedFactoryLeavesServicesWithoutInterfaces)
{
    host.Refuse (IID_IACFComponentFactory);
    EXPECT_EQ (0, ACFStartup (host.HostUnknown()));
    ASSERT_NE (nullptr, AAX_GetHostServices());
    EXPECT_EQ (-20004, AAX_Trace (0x4000000, "x"));
    EXPECT_TRUE (host.Factory().Creations().empty());
}

TEST_F (EntryFunctions, FactoryAnswerWithoutObjectFailsStartupAndKeepsNoGlobal)
{
    host.AnswerFactoryQueryWithoutObject (true);
    EXPECT_EQ (kEscaped, ACFStartup (host.HostUnknown()));
    EXPECT_EQ (nullptr, AAX_GetHostServices());
    EXPECT_EQ (0, AAX_Trace (0x4000000, "nothing to send to"));
    EXPECT_TRUE (host.Balanced());
}

TEST_F (EntryFunctions, SecondStartupKeepsTheFirstHost)
{
    StandInHost second;
    ASSERT_EQ (0, ACFStartup (host.HostUnknown()));
    EXPECT_EQ (0, ACFStartup (second.HostUnknown()));

    AAX_Trace (0x4000000, "to the first");
    EXPECT_EQ (1u, host.Services().Traces().size());
    EXPECT_TRUE (second.Services().Traces().empty());
    EXPECT_TRUE (second.Factory().Creations().empty());

    ACFShutdown();
    EXPECT_TRUE (host.Balanced());
    EXPECT_TRUE (second.Balanced());
}

TEST_F (EntryFunctions, ShutdownTraceAndAssertBeforeStartupDoNothing)
{
    EXPECT_EQ (0, ACFShutdown());
    EXPECT_EQ (0, ACFShutdown());
    EXPECT_EQ (nullptr, AAX_GetHostServices());

    EXPECT_EQ (0, AAX_Trace (0x4000000, "%s", "early"));
    EXPECT_EQ (0, AAX_HandleAssertFailure ("f", 1, "c", 1));
    ASSERT_EQ (0, ACFStartup (host.HostUnknown()));
    EXPECT_TRUE (host.Services().Traces().empty());
    EXPECT_TRUE (host.Services().AssertFailures().empty());
}

TEST_F (EntryFunctions, LongTracesAreCutToTheBuffer)
{
    ASSERT_EQ (0, ACFStartup (host.HostUnknown()));

    const std::string longText (2000, 'x');
    EXPECT_EQ (0, AAX_Trace (0x4000000, "%s", longText.c_str()));
    ASSERT_EQ (1u, host.Services().Traces().size());
    EXPECT_EQ (std::string (511, 'x'), host.Services().Traces()[0].text);

    // A cut through a two-byte character drops the whole character.
    const std::string accented = std::string (510, 'a') + "\xC3\xA9" + "tail";
    AAX_Trace (0x4000000, "%s", accented.c_str());
    EXPECT_EQ (std::string (510, 'a'), host.Services().Traces()[1].text);

    // One that still fits stays whole.
    const std::string fits = std::string (509, 'a') + "\xC3\xA9" + "tail";
    AAX_Trace (0x4000000, "%s", fits.c_str());
    EXPECT_EQ (std::string (509, 'a') + "\xC3\xA9", host.Services().Traces()[2].text);
}
