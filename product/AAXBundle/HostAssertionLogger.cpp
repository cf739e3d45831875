#include "product/AAXBundle/HostAssertionLogger.h"

#include "AAX_Assert.h"
#include "AAX_Enums.h"

namespace
{
    // Installed when the bundle is loaded, before any plug-in object exists.
    HostAssertionLogger bundleLogger;
}

HostAssertionLogger::HostAssertionLogger()
{
    juce::Logger::setCurrentLogger (this);
}

HostAssertionLogger::~HostAssertionLogger()
{
    if (juce::Logger::getCurrentLogger() == this)
        juce::Logger::setCurrentLogger (nullptr);
}

void HostAssertionLogger::logMessage (const juce::String& message)
{
    juce::Logger::outputDebugString (message);

    // JUCE writes "JUCE Assertion failure in <file>:<line>".
    const juce::String prefix ("JUCE Assertion failure in ");

    if (! message.startsWith (prefix))
        return;

    const auto place = message.substring (prefix.length());
    const auto file = place.upToLastOccurrenceOf (":", false, false);
    AAX_HandleAssertFailure (file.toRawUTF8(), place.fromLastOccurrenceOf (":", false, false).getIntValue(), message.toRawUTF8(),
                             AAX_eAssertFailureType_Default);
}
