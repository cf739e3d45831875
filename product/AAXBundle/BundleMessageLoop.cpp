// Nothing runs JUCE's message loop inside a Linux host process, so the bundle offers the
// host a way to do it: the host calls this from the thread that first started JUCE (the
// one that registered the plug-in) and makes every other non-audio call there too.

#include <juce_events/juce_events.h>

#if ! JUCE_MAC
extern "C" __attribute__ ((visibility ("default"))) int GrindelDispatchMessages (int milliseconds)
{
    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

    if (messageManager == nullptr || ! messageManager->isThisTheMessageThread())
        return 0;

    messageManager->runDispatchLoopUntil (juce::jmax (0, milliseconds));
    return 1;
}
#endif
