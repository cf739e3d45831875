#pragma once

#include "StandInHost.h"

#include <gtest/gtest.h>

// A stand-in host for one test, which must end with every reference the library took
// given back and no violation recorded. A test that keeps wrappers over the host lets
// them go in its own TearDown before calling this one.
class BalancedHost : public ::testing::Test
{
protected:
    void TearDown() override
    {
        EXPECT_TRUE (host.Balanced()) << (host.Violations().empty() ? "references left" : host.Violations().front());
    }

    StandInHost host;
};
