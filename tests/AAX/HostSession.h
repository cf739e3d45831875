#pragma once

#include "AAX_HostServices.h"
#include "StandInHost.h"
#include "StandInHostServices.h"

#include <gtest/gtest.h>

// Starts the library's host services over a stand-in host for one test, and checks
// at the end that the library left every host reference balanced.
class HostSession
{
public:
    HostSession()
    {
        AAX_SetHostServices (host.HostUnknown());
    }

    ~HostSession()
    {
        AAX_SetHostServices (nullptr);
        EXPECT_EQ (0, host.OutstandingReferences());
        EXPECT_TRUE (host.Violations().empty());
    }

    const std::vector<StandInHostServices::TraceLine>& Traces() { return host.Services().Traces(); }
    const std::vector<StandInHostServices::AssertFailure>& Asserts() { return host.Services().AssertFailures(); }

    StandInHost host;
};
