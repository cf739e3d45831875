// The main of tests that run JUCE: a message manager on the main thread, and data roots in a
// temporary folder so no test touches the user's own folders.

#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    test::runStartUpHooks();

    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    test::ScopedDataRoot dataRoot;

    return RUN_ALL_TESTS();
}
