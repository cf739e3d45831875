// The main of tests that run JUCE: a message manager on the main thread, data roots in a
// temporary folder so no test touches the user's own folders, and JUCE's assertions as
// test failures.

#include "support/AssertionReport.h"
#include "support/JuceAssertionHandler.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    test::JuceAssertionHandler assertions;
    test::runStartUpHooks();

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juceInitialiser;
        test::ScopedDataRoot dataRoot;
        result = RUN_ALL_TESTS();
    }

    return result != 0 || test::AssertionReport::failuresOutsideTests() > 0 ? 1 : 0;
}
