// The image mixer from its test skin: painting drags over the channels and back, one open
// gesture at a time, modifiers, the read-only mixer and values from the host.

#include "WidgetWindowRig.h"
#include "skin/widgets/ImgMixer.h"

namespace
{
    juce::String stepName (int i) { return "Test Step " + juce::String (i + 1); }

    // The master slider's point over channel i at the height of a value.
    juce::Point<int> over (ImgMixer& mixer, int channel, float value)
    {
        auto& slider = mixer.getMasterSlider();
        const int n = mixer.getNumChannels();
        const int x = (2 * channel + 1) * slider.getWidth() / (2 * n);
        const int r = mixer.getThumb() / 2;
        return { x, juce::roundToInt ((float) r + (1.0f - value) * (float) (slider.getHeight() - 2 * r)) };
    }
}

TEST (ImgMixer, PaintingDragsOverChannelsAndBack)
{
    widgettest::SkinWindow w ("Mixer");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& mixer = w.widget<ImgMixer> ("Mixer");
    auto& slider = mixer.getMasterSlider();
    ASSERT_EQ (mixer.getNumChannels(), 6);
    ASSERT_EQ (mixer.getNumDisplays(), 6);
    EXPECT_EQ (mixer.getBounds(), juce::Rectangle<int> (10, 10, 200, 120));
    EXPECT_EQ (slider.getBounds(), juce::Rectangle<int> (0, 0, 200, 100));

    // Without border gaps the first channel starts at 0 and the last ends at the width.
    EXPECT_EQ (mixer.getChannel (0)->getX(), 0);
    EXPECT_EQ (mixer.getChannel (5)->getRight(), 200);
    EXPECT_EQ (mixer.getDisplay (0)->getY(), 110);

    // Press on channel 1, drag to 4: 1..4 take the value; back to 2: 4, 3, 2 again.
    w.press (slider, over (mixer, 1, 0.7f));
    w.drag (slider, over (mixer, 4, 0.7f));
    EXPECT_EQ (mixer.getCurrentChannel(), 4);

    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR (w.plugin.parameter (stepName (i)).getNormalisedValue(), i >= 1 && i <= 4 ? 0.7f : 0.0f, 0.02f) << i;

    w.drag (slider, over (mixer, 2, 0.2f));

    for (int i = 0; i < 6; ++i)
    {
        const float expected = i == 0 || i == 5 ? 0.0f : i == 1 ? 0.7f
                                                                : 0.2f;
        EXPECT_NEAR (w.plugin.parameter (stepName (i)).getNormalisedValue(), expected, 0.02f) << i;
    }

    // Only one gesture is open at a time, handed along the channels.
    int open = 0;
    for (int i = 0; i < 6; ++i)
        open += w.plugin.parameter (stepName (i)).isInGesture() ? 1 : 0;
    EXPECT_EQ (open, 1);

    w.release (slider, over (mixer, 2, 0.2f));
    EXPECT_FALSE (mixer.isDragging());
    EXPECT_EQ (mixer.getCurrentChannel(), -1);
    EXPECT_EQ (mixer.getGestureParameter(), nullptr);

    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (w.gestures.begins (stepName (i)), w.gestures.ends (stepName (i))) << i;

    EXPECT_EQ (w.gestures.begins (stepName (0)), 0);
    EXPECT_EQ (w.gestures.begins (stepName (3)), 2);   // passed on the way out and back
    EXPECT_EQ (w.gestures.begins (stepName (4)), 1);   // the turning point keeps its gesture

    // The channels and their displays follow the painted values.
    ASSERT_TRUE (test::pumpUntil ([&] { return mixer.getChannel (3)->getFrame() == 2; }));
    EXPECT_EQ (mixer.getChannel (1)->getFrame(), 7);
    EXPECT_EQ (mixer.getDisplay (3)->getFrame(), 2);
}

TEST (ImgMixer, ModifiersReleasedPressesAndHostValues)
{
    widgettest::SkinWindow w ("Mixer");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& mixer = w.widget<ImgMixer> ("Mixer");
    auto& slider = mixer.getMasterSlider();
    const auto shift = juce::ModifierKeys (juce::ModifierKeys::shiftModifier);

    // A Shift press is not taken: a drag once Shift is let go paints nothing (it used to walk
    // from channel -1).
    w.press (slider, over (mixer, 2, 0.9f), shift);
    w.drag (slider, over (mixer, 5, 0.9f));
    w.release (slider, over (mixer, 5, 0.9f));
    // A right-button drag changes nothing either.
    w.press (slider, over (mixer, 0, 0.9f), juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier));
    w.drag (slider, over (mixer, 3, 0.9f));
    w.release (slider, over (mixer, 3, 0.9f));

    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (w.plugin.parameter (stepName (i)).getNormalisedValue(), 0.0f) << i;
    EXPECT_EQ (w.gestures.totalBegins(), 0);

    // Command keeps setting only the channel first pressed.
    const auto command = juce::ModifierKeys (juce::ModifierKeys::commandModifier);
    w.press (slider, over (mixer, 1, 0.5f));
    w.drag (slider, over (mixer, 3, 0.8f), command);
    w.drag (slider, over (mixer, 4, 0.6f), command);
    w.release (slider, over (mixer, 4, 0.6f));
    EXPECT_NEAR (w.plugin.parameter (stepName (1)).getNormalisedValue(), 0.6f, 0.02f);
    EXPECT_EQ (w.plugin.parameter (stepName (3)).getNormalisedValue(), 0.0f);
    EXPECT_EQ (w.gestures.begins (stepName (1)), 1);
    EXPECT_EQ (w.gestures.ends (stepName (1)), 1);

    // Alt copies the pressed channel's value along the drag.
    w.press (slider, over (mixer, 1, 0.1f), juce::ModifierKeys (juce::ModifierKeys::altModifier));
    w.drag (slider, over (mixer, 3, 0.9f), juce::ModifierKeys (juce::ModifierKeys::altModifier));
    w.release (slider, over (mixer, 3, 0.9f));
    EXPECT_NEAR (w.plugin.parameter (stepName (3)).getNormalisedValue(), 0.6f, 0.02f);

    // The host moves a channel and its display; the mixer writes nothing back.
    w.gestures.reset();
    auto& step6 = w.plugin.parameter (stepName (5));
    step6.setNormalisedValue (1.0f, true);
    ASSERT_TRUE (test::pumpUntil ([&] { return mixer.getChannel (5)->getFrame() == 10; }));
    EXPECT_EQ (mixer.getDisplay (5)->getFrame(), 10);
    EXPECT_EQ (w.gestures.totalBegins(), 0);

    // Values from outside are clamped (NaN to 0); frames through the strip's own conversion.
    mixer.setChannelValue (0, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (mixer.getChannel (0)->getFrame(), 0);
    mixer.setChannelValue (0, std::numeric_limits<float>::infinity());
    EXPECT_EQ (mixer.getChannel (0)->getFrame(), 10);
    EXPECT_TRUE (mixer.setFrame (5));
    EXPECT_EQ (mixer.getFrame(), 5);
    EXPECT_EQ (mixer.getChannel (4)->getFrame(), 5);
    mixer.setChannelValue (99, 0.5f);   // outside the channels: nothing
    EXPECT_EQ (w.plugin.parameter (stepName (0)).getNormalisedValue(), 0.0f);
}

TEST (ImgMixer, ReadOnlyAndBareMixers)
{
    widgettest::SkinWindow w ("Mixer");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& readOnly = w.widget<ImgMixer> ("ReadOnlyMixer");
    EXPECT_TRUE (readOnly.isReadOnly());
    EXPECT_FALSE (readOnly.getMasterSlider().isVisible());
    ASSERT_EQ (readOnly.getNumChannels(), 3);
    EXPECT_EQ (readOnly.getNumDisplays(), 0);   // no "display" strip

    // With border gaps: one gap before the first channel and one after the last.
    const int gap = readOnly.getChannel (0)->getX();
    EXPECT_GT (gap, 0);
    EXPECT_NEAR (readOnly.getWidth() - readOnly.getChannel (2)->getRight(), gap, 1);

    // The mouse goes through it; its parameters still move it.
    w.press (readOnly, { 60, 20 });
    w.drag (readOnly, { 100, 20 });
    w.release (readOnly, { 100, 20 });
    EXPECT_EQ (w.gestures.totalBegins(), 0);
    EXPECT_EQ (w.plugin.parameter (stepName (0)).getNormalisedValue(), 0.0f);
    w.plugin.parameter (stepName (2)).setNormalisedValue (0.5f, true);
    ASSERT_TRUE (test::pumpUntil ([&] { return readOnly.getChannel (2)->getFrame() == 5; }));

    // Without any image: the stand-in icon at 100 x 100.
    auto& bare = w.widget<ImgMixer> ("BareMixer");
    EXPECT_NE (bare.getIcon(), nullptr);
    EXPECT_EQ (bare.getWidth(), ImgMixer::iconSize);
    EXPECT_EQ (bare.getHeight(), ImgMixer::iconSize);

    // Its channel has no strip: frames convert to 0, never through a division by zero.
    EXPECT_TRUE (bare.setFrame (3));
    EXPECT_EQ (bare.getFrame(), 0);
    EXPECT_EQ (bare.getNumFrames(), 1);
}
