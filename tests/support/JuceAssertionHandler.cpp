#include "support/JuceAssertionHandler.h"
#include "support/AssertionReport.h"

namespace test
{
    JuceAssertionHandler::JuceAssertionHandler()
    {
        juce::Logger::setCurrentLogger (this);
    }

    JuceAssertionHandler::~JuceAssertionHandler()
    {
        if (juce::Logger::getCurrentLogger() == this)
            juce::Logger::setCurrentLogger (nullptr);
    }

    void JuceAssertionHandler::logMessage (const juce::String& message)
    {
        if (! AssertionReport::reportJuceMessage (message.toStdString()))
            juce::Logger::outputDebugString (message);
    }
}
