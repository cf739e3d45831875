#pragma once

#include <atomic>
#include <string>

namespace test
{
    /** What a test program does with an assertion of the code under test: a failure of the
        running test at the assertion's file and line. JUCE-free, so the programs
        that load a bundle (with its own JUCE) use it too. */
    class AssertionReport
    {
    public:
        /** Any thread: fails the running test with one assertion (or, outside any test, the
            program). */
        static void report (const std::string& file, int line, const std::string& text);
        /** Any thread: reports JUCE's "JUCE Assertion failure in <file>:<line>"; false for any
            other text. */
        static bool reportJuceMessage (const std::string& message);

        /** Assertions that failed outside any test; the main fails with them. */
        static int failuresOutsideTests() noexcept;

    private:
        static std::atomic<int> outsideTests;
    };
}
