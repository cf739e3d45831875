#include "support/AssertionReport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

namespace test
{
    std::atomic<int> AssertionReport::outsideTests { 0 };

    void AssertionReport::report (const std::string& file, int line, const std::string& text)
    {
        if (::testing::UnitTest::GetInstance()->current_test_info() == nullptr)
        {
            std::cerr << file << ":" << line << ": " << text << " outside any test\n";
            ++outsideTests;
            return;
        }

        ADD_FAILURE_AT (file.c_str(), line) << text;
    }

    bool AssertionReport::reportJuceMessage (const std::string& message)
    {
        static const std::string prefix = "JUCE Assertion failure in ";

        if (message.compare (0, prefix.size(), prefix) != 0)
            return false;

        const auto place = message.substr (prefix.size());
        const auto colon = place.rfind (':');
        const auto file = colon == std::string::npos ? place : place.substr (0, colon);
        const int line = colon == std::string::npos ? 0 : std::atoi (place.c_str() + colon + 1);
        report (file, line, message);
        return true;
    }

    int AssertionReport::failuresOutsideTests() noexcept
    {
        return outsideTests.load();
    }
}
