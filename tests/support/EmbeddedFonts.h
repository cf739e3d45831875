#pragma once

#include "skin/DefaultLookAndFeel.h"
#include <gtest/gtest.h>

namespace test
{
    /** Text in the project's own faces, whatever fonts the machine has, for every test of the
        program from its start (a font resolved once stays resolved). Include it in one source
        file of a test program that compares pictures. */
    class EmbeddedFonts : public ::testing::Environment
    {
    public:
        void SetUp() override
        {
            fonts = std::make_unique<DefaultLookAndFeel>();
            juce::LookAndFeel::setDefaultLookAndFeel (fonts.get());
            juce::Typeface::clearTypefaceCache();
        }

        void TearDown() override
        {
            juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
            fonts.reset();
        }

    private:
        std::unique_ptr<DefaultLookAndFeel> fonts;
    };

    inline auto* const embeddedFonts = ::testing::AddGlobalTestEnvironment (new EmbeddedFonts);
}
