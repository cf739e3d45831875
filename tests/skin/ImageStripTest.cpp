// Film strips: frame counts from file names, frame picking, and the actions that show a
// frame for a while.

#include "skin/ImageStripComponent.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cmath>

namespace
{
    juce::Image strip (int w, int h) { return juce::Image (juce::Image::ARGB, w, h, true); }

    struct CountingStrip : public ImageStripComponent
    {
        int repaints = 0;
        void stripFrameChanged() override { ++repaints; }
    };
}

TEST (ImageStrip, FrameCountComesFromTheLastUnderscore)
{
    const struct
    {
        const char* name;
        int count;
    } cases[] = {
        { "Knob_64.png", 64 }, { "Big_Knob_3.png", 3 }, { "Knobs/Big_7.png", 7 }, { "Knob.png", 1 }, { "Knob_.png", 1 }, { "Knob_0.png", 1 }, { "_0", 1 }, { "Knob_-4.png", 1 }, { "Knob_12x.png", 1 }, { "Knob_99999999999.png", 1 }, { "", 1 }, { "Knob_5", 5 }
    };

    for (const auto& c : cases)
        EXPECT_EQ (ImageStrip::getFrameCountFromName (c.name), c.count) << c.name;
}

TEST (ImageStrip, FramesAreNeverEmpty)
{
    const ImageStrip normal (strip (20, 300), 3);
    EXPECT_EQ (normal.getFrameHeight(), 100);
    EXPECT_EQ (normal.getFrameBounds (2), juce::Rectangle<int> (0, 200, 20, 100));
    EXPECT_EQ (normal.getFrameBounds (9), juce::Rectangle<int> (0, 200, 20, 100));

    // More frames than rows, or none: still one pixel or more per frame.
    const ImageStrip tooMany (strip (20, 10), 64);
    EXPECT_EQ (tooMany.getFrameCount(), 10);
    EXPECT_EQ (tooMany.getFrameHeight(), 1);
    EXPECT_EQ (ImageStrip (strip (20, 10), 0).getFrameCount(), 1);
    EXPECT_EQ (ImageStrip (strip (20, 10), -5).getFrameCount(), 1);

    const ImageStrip none;
    EXPECT_FALSE (none.isValid());
    EXPECT_EQ (none.getFrameBounds (0), juce::Rectangle<int>());
}

TEST (ImageStrip, FramesAndValuesMapBothWays)
{
    const ImageStrip s (strip (10, 50), 5);
    EXPECT_FLOAT_EQ (s.frameToValue (0), 0.0f);
    EXPECT_FLOAT_EQ (s.frameToValue (2), 0.5f);
    EXPECT_FLOAT_EQ (s.frameToValue (99), 1.0f);
    EXPECT_FLOAT_EQ (s.frameToValue (-3), 0.0f);
    EXPECT_EQ (s.valueToFrame (0.124f), 0);
    EXPECT_EQ (s.valueToFrame (0.125f), 1);
    EXPECT_EQ (s.valueToFrame (2.0f), 4);
    EXPECT_EQ (s.valueToFrame (-1.0f), 0);
    EXPECT_EQ (s.valueToFrame (std::nanf ("")), 0);

    // One frame, or no image: value 0, never a division by zero.
    EXPECT_EQ (ImageStrip (strip (10, 10), 1).frameToValue (0), 0.0f);
    EXPECT_EQ (ImageStrip().frameToValue (3), 0.0f);
    EXPECT_EQ (ImageStrip().valueToFrame (0.9f), 0);

    EXPECT_EQ (s, ImageStrip (s.getImage(), 5));
    EXPECT_NE (s, ImageStrip (s.getImage(), 4));
}

TEST (ImageStrip, ComponentRepaintsOnlyWhenTheFrameChanges)
{
    CountingStrip c;
    c.setValue (0.8f);
    EXPECT_EQ (c.getFrame(), 0);   // no image: frame 0
    EXPECT_EQ (c.repaints, 0);

    c.setImageStrip (ImageStrip (strip (10, 110), 11));
    const int afterStrip = c.repaints;
    c.setValue (0.5f);
    EXPECT_EQ (c.getFrame(), 5);
    c.setValue (0.52f);
    c.setValue (0.5f);
    EXPECT_EQ (c.repaints, afterStrip + 1);
    c.setValue (1.0f);
    EXPECT_EQ (c.getFrame(), 10);
    EXPECT_EQ (c.repaints, afterStrip + 2);
}

TEST (AnimatedComponent, ActionShowsItsFrameThenReturns)
{
    CountingStrip c;
    c.setImageStrip (ImageStrip (strip (10, 20), 2));
    EXPECT_EQ (c.getActionTargetFrame (AnimatedComponent::lastFrameAction), 1);
    EXPECT_EQ (c.getActionTargetFrame (AnimatedComponent::firstFrameAction), 0);

    const auto start = juce::Time::getMillisecondCounter();
    c.runAction (AnimatedComponent::lastFrameAction, AnimatedComponent::blinkMilliseconds);
    EXPECT_EQ (c.getFrame(), 1);
    EXPECT_EQ (c.getMode(), AnimatedComponent::actionMode);

    // A value arriving meanwhile becomes the frame to return to.
    c.setValue (0.0f);
    EXPECT_EQ (c.getFrame(), 1);

    ASSERT_TRUE (test::pumpUntil ([&] { return ! c.isActionRunning(); }, 2000));
    const auto elapsed = juce::Time::getMillisecondCounter() - start;
    EXPECT_GE (elapsed, 170u);
    EXPECT_LT (elapsed, 1000u);
    EXPECT_EQ (c.getFrame(), 0);
    EXPECT_EQ (c.getMode(), AnimatedComponent::idleMode);
}

TEST (AnimatedComponent, WidgetsDeletedDuringAnActionLeaveTheTimerSafe)
{
    auto a = std::make_unique<CountingStrip>();
    CountingStrip b;
    a->setImageStrip (ImageStrip (strip (10, 20), 2));
    b.setImageStrip (ImageStrip (strip (10, 20), 2));
    a->runAction (AnimatedComponent::lastFrameAction, 50);
    b.runAction (AnimatedComponent::lastFrameAction, 50);
    a.reset();

    EXPECT_TRUE (test::pumpUntil ([&] { return ! b.isActionRunning(); }, 2000));
    EXPECT_EQ (b.getFrame(), 0);
}
