// The main of tests that load an AAX bundle through the stand-in host. The bundle carries
// its own JUCE, which reports its assertions to the host's assertion hook; every host of
// this program hands them, like the AAX library's own, to AssertionReport.

#include "StandInHostServices.h"
#include "support/AssertionReport.h"
#include "support/XErrorHandler.h"
#include <gtest/gtest.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    test::installXErrorHandler();   // the bundle's JUCE, inside a plug-in, installs none
    StandInHostServices::SetAssertionHook ([] (const char* file, int32_t line, const char* note) {
        // The bundle has printed its JUCE assertions already.
        if (! test::AssertionReport::reportJuceMessage (note))
            test::AssertionReport::report (file, line, std::string ("assertion reported to the host: ") + note);
    });

    const int result = RUN_ALL_TESTS();
    StandInHostServices::SetAssertionHook (nullptr);
    return result != 0 || test::AssertionReport::failuresOutsideTests() > 0 ? 1 : 0;
}
