#pragma once

#include <atomic>
#include <string>

namespace test
{
    /** What a test program does with an assertion of the code under test: a failure of the
        running test at the assertion's file and line, or, for a program still listed as
        only printing them (tests/CMakeLists.txt), a printed line. JUCE-free, so the programs
        that load a bundle (with its own JUCE) use it too. */
    class AssertionReport
    {
    public:
        /** Any thread: reports one assertion; one already printed (by a bundle's own JUCE) is
            not printed again. */
        static void report (const std::string& file, int line, const std::string& text, bool printed = false);
        /** Any thread: reports JUCE's "JUCE Assertion failure in <file>:<line>"; false for any
            other text. */
        static bool reportJuceMessage (const std::string& message, bool printed = false);

        /** Before any test: whether assertions fail tests (true) or are printed only. */
        static void setFailing (bool failing) noexcept;
        /** Assertions that failed outside any test; the main fails with them. */
        static int failuresOutsideTests() noexcept;

    private:
        static std::atomic<bool> failing;
        static std::atomic<int> outsideTests;
    };
}
