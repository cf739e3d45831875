// CACFUnknown: reference counts, interface queries and the live-object count.

#include "CACFUnknown.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
    // 0E1D7C92-3B6A-4F0D-9A51-6C2B8E4D7F13, an interface of the tests' own.
    constexpr acfIID IID_ITestProbe = { 0x0E1D7C92, 0x3B6A, 0x4F0D, { 0x9A, 0x51, 0x6C, 0x2B, 0x8E, 0x4D, 0x7F, 0x13 } };
    constexpr acfIID IID_Unknown = { 0x11111111, 0x2222, 0x3333, { 0x44, 0x44, 0x44, 0x44, 0x44, 0x44, 0x44, 0x44 } };

    class ITestProbe : public IACFUnknown
    {
    public:
        virtual int Ping() = 0;
    };

    struct ProbeLog
    {
        int finalReleases = 0;
        int destructions = 0;
        bool finalReleaseBeforeDestruction = false;
    };

    class Probe : public ITestProbe, public CACFUnknown
    {
    public:
        explicit Probe (ProbeLog& log) : mLog (log) {}
        ~Probe() override { ++mLog.destructions; }

        ACF_DECLARE_STANDARD_UNKNOWN()

        int Ping() override { return 7; }

        ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppvObjOut) override
        {
            if (riid == IID_ITestProbe)
            {
                *ppvObjOut = static_cast<ITestProbe*> (this);
                static_cast<ITestProbe*> (this)->AddRef();
                return ACF_OK;
            }

            return CACFUnknown::InternalQueryInterface (riid, ppvObjOut);
        }

        void OnFinalRelease() override
        {
            ++mLog.finalReleases;
            mLog.finalReleaseBeforeDestruction = mLog.destructions == 0;
        }

    private:
        ProbeLog& mLog;
    };
}

TEST (ReferenceCounting, OneAddRefAndOneReleaseDestroy)
{
    ProbeLog log;
    const acfUInt32 liveBefore = CACFUnknown::GetActiveObjectCount();

    auto* probe = new Probe (log);
    EXPECT_EQ (liveBefore + 1, CACFUnknown::GetActiveObjectCount());

    EXPECT_EQ (1u, probe->AddRef());
    EXPECT_EQ (2u, probe->AddRef());
    EXPECT_EQ (1u, probe->Release());
    EXPECT_EQ (0, log.destructions);
    EXPECT_EQ (0u, probe->Release());

    EXPECT_EQ (1, log.destructions);
    EXPECT_EQ (1, log.finalReleases);
    EXPECT_TRUE (log.finalReleaseBeforeDestruction);
    EXPECT_EQ (liveBefore, CACFUnknown::GetActiveObjectCount());
}

TEST (ReferenceCounting, QueryForTheBaseInterfaceGivesTheInnerObject)
{
    ProbeLog log;
    auto* probe = new Probe (log);

    void* answer = nullptr;
    ASSERT_EQ (ACF_OK, probe->QueryInterface (IID_IACFUnknown, &answer));
    ASSERT_NE (nullptr, answer);
    EXPECT_NE (static_cast<void*> (static_cast<IACFUnknown*> (static_cast<ITestProbe*> (probe))), answer);

    // The inner object counts for the same object.
    auto* inner = static_cast<IACFUnknown*> (answer);
    EXPECT_EQ (2u, inner->AddRef());
    EXPECT_EQ (1u, inner->Release());
    EXPECT_EQ (0u, inner->Release());
    EXPECT_EQ (1, log.destructions);
}

TEST (ReferenceCounting, QueryForAnOwnInterfaceRaisesTheCount)
{
    ProbeLog log;
    auto* probe = new Probe (log);

    void* answer = nullptr;
    ASSERT_EQ (ACF_OK, probe->QueryInterface (IID_ITestProbe, &answer));
    auto* asProbe = static_cast<ITestProbe*> (answer);
    EXPECT_EQ (7, asProbe->Ping());
    EXPECT_EQ (0u, asProbe->Release());
    EXPECT_EQ (1, log.destructions);
}

TEST (ReferenceCounting, QueryForAForeignInterfaceFails)
{
    ProbeLog log;
    auto* probe = new Probe (log);
    probe->AddRef();

    void* answer = probe;
    EXPECT_EQ (static_cast<ACFRESULT> (0x80000004u), probe->QueryInterface (IID_Unknown, &answer));
    EXPECT_EQ (nullptr, answer);
    EXPECT_EQ (ACF_E_POINTER, probe->QueryInterface (IID_IACFUnknown, nullptr));

    EXPECT_EQ (0u, probe->Release());
}

TEST (ReferenceCounting, LiveCountFollowsConstructionNotReferences)
{
    const acfUInt32 liveBefore = CACFUnknown::GetActiveObjectCount();
    {
        ProbeLog log;
        Probe onStack (log);
        EXPECT_EQ (liveBefore + 1, CACFUnknown::GetActiveObjectCount());
    }
    EXPECT_EQ (liveBefore, CACFUnknown::GetActiveObjectCount());
}

TEST (ReferenceCounting, CountsStayExactAcrossThreads)
{
    ProbeLog log;
    auto* probe = new Probe (log);
    probe->AddRef();

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back ([probe] {
            for (int i = 0; i < 20000; ++i)
            {
                probe->AddRef();
                probe->Release();
            }
        });

    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ (0, log.destructions);
    EXPECT_EQ (0u, probe->Release());
    EXPECT_EQ (1, log.destructions);
}
