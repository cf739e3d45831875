#include "core/parameters/JuceTestEnvironment.h"

#include <juce_events/juce_events.h>

namespace
{
    // JUCE's message manager for the whole run; the test thread becomes the message thread.
    class JuceEnvironment : public ::testing::Environment
    {
    public:
        void SetUp() override      { juce = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
        void TearDown() override   { juce.reset(); }

    private:
        std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juce;
    };

    [[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment (new JuceEnvironment);
}
