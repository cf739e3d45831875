#pragma once

#include <juce_core/juce_core.h>

namespace test
{
    /** JUCE's logger while it lives: every JUCE assertion of this program goes to
        AssertionReport (a failure of the running test with JUCE's file and line); other
        messages are printed as JUCE prints them. */
    class JuceAssertionHandler : public juce::Logger
    {
    public:
        JuceAssertionHandler();
        ~JuceAssertionHandler() override;

        /** Any thread (an assertion may fire on any). */
        void logMessage (const juce::String& message) override;
    };
}
