#pragma once

#include <juce_core/juce_core.h>

/** The bundle's JUCE logger for as long as the bundle is loaded: a JUCE assertion goes to the
    host's assertion hook (AAX_HandleAssertFailure) with JUCE's file and line, as the AAX
    library's own assertions do, and is printed as before; other messages are only printed. */
class HostAssertionLogger : public juce::Logger
{
public:
    HostAssertionLogger();
    ~HostAssertionLogger() override;

    /** Any thread (an assertion may fire on any): calls the host synchronously. */
    void logMessage (const juce::String& message) override;
};
