// The rocker and the MIDI channel display from their test skin, in a real window, under mouse
// sequences delivered through the window's peer.

#include "WidgetWindowRig.h"
#include "skin/widgets/GFXMidiChannelDisplay.h"
#include "skin/widgets/GFXRocker.h"

namespace
{
    struct Actions : public GUIController::Listener
    {
        juce::Array<int> sent;
        void controlActionSent (GUIController*, int action) override { sent.add (action); }
    };

    const auto command = juce::ModifierKeys (juce::ModifierKeys::commandModifier);
}

TEST (Rocker, HalvesCommandPressesAndFrames)
{
    widgettest::SkinWindow w ("Switches");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& horizontal = w.widget<GFXRocker> ("RockerH");
    auto& vertical = w.widget<GFXRocker> ("RockerV");
    EXPECT_EQ (horizontal.getOrientation(), GFXRocker::horizontal);
    EXPECT_EQ (vertical.getOrientation(), GFXRocker::vertical);
    EXPECT_EQ (horizontal.getImageStrip().getFrameCount(), 3);

    Actions actions;
    horizontal.addListener (&actions);
    vertical.addListener (&actions);

    // x = 20 of a 40-wide rocker is "less", 21 "more"; y = 19 of a 40-high one is "more".
    const struct
    {
        GFXRocker* rocker;
        juce::Point<int> at;
        juce::ModifierKeys keys;
        juce::Array<int> expected;
        int pressedFrame;
    } presses[] = {
        { &horizontal, { 20, 10 }, {}, { 1 }, GFXRocker::lessPressed },
        { &horizontal, { 21, 10 }, {}, { 2 }, GFXRocker::morePressed },
        { &horizontal, { 30, 10 }, command, { 4 }, GFXRocker::morePressed },
        { &horizontal, { 5, 10 }, command, {}, GFXRocker::lessPressed },   // no Command code: nothing, no fallback
        { &vertical, { 10, 19 }, {}, { 6 }, GFXRocker::morePressed },
        { &vertical, { 10, 20 }, {}, { 5 }, GFXRocker::lessPressed },
        { &vertical, { 10, 5 }, command, {}, GFXRocker::morePressed },
        { &vertical, { 10, 35 }, command, { 7 }, GFXRocker::lessPressed },
    };

    for (const auto& p : presses)
    {
        actions.sent.clear();
        w.press (*p.rocker, p.at, p.keys);
        EXPECT_EQ (actions.sent, p.expected) << p.at.toString();
        EXPECT_EQ (p.rocker->getShownFrame(), p.pressedFrame) << p.at.toString();

        // Dragged off, the neutral frame shows; back on, the pressed one. No action either way.
        w.drag (*p.rocker, { -30, -30 }, p.keys);
        EXPECT_EQ (p.rocker->getShownFrame(), GFXRocker::neutral);
        w.drag (*p.rocker, p.at, p.keys);
        EXPECT_EQ (p.rocker->getShownFrame(), p.pressedFrame);

        w.release (*p.rocker, p.at);
        EXPECT_EQ (p.rocker->getShownFrame(), GFXRocker::neutral);
        EXPECT_EQ (actions.sent, p.expected);
    }

    // A rocker holds no value: no gesture reached any parameter.
    EXPECT_EQ (w.gestures.totalBegins(), 0);
    horizontal.removeListener (&actions);
    vertical.removeListener (&actions);

    // Without an image the plain drawing shows the pressed half.
    auto& plain = w.widget<GFXRocker> ("RockerPlain");
    w.press (plain, { 30, 10 });
    const auto image = plain.createComponentSnapshot (plain.getLocalBounds());
    EXPECT_EQ (image.getPixelAt (30, 10).getRed(), juce::Colour::greyLevel (0.5f).getRed());
    EXPECT_EQ (image.getPixelAt (10, 10).getRed(), juce::Colour::greyLevel (0.7f).getRed());
    w.release (plain, { 30, 10 });
}

TEST (MidiChannelDisplay, TextsFramesAndOneGesturePerDrag)
{
    widgettest::SkinWindow w ("Switches");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& strip = w.widget<GFXMidiChannelDisplay> ("Channel");
    auto& text = w.widget<GFXMidiChannelDisplay> ("ChannelText");
    auto& one = w.widget<GFXMidiChannelDisplay> ("ChannelOne");
    auto& channel = w.plugin.parameter ("Test Channel");
    ASSERT_EQ (strip.getImageStrip().getFrameCount(), 18);
    ASSERT_EQ (one.getImageStrip().getFrameCount(), 1);

    // clang-format off
    const struct { float value; const char* text; int frame; } rows[] = {
        { 0.0f, "ALL", 1 }, { 0.03f, "ALL", 1 }, { 0.04f, "1", 2 }, { 0.5f, "8", 9 }, { 1.0f, "16", 17 },
    };
    // clang-format on

    for (const auto& row : rows)
    {
        channel.setNormalisedValue (row.value, true);
        ASSERT_TRUE (test::pumpUntil ([&] { return std::abs (text.getValue() - row.value) < 1.0e-6; }));
        EXPECT_EQ (text.getChannelText(), juce::String (row.text)) << row.value;
        EXPECT_EQ (strip.getShownFrame(), row.frame) << row.value;
        EXPECT_EQ (one.getShownFrame(), 0) << row.value;   // one frame: shown, never divided by
    }

    strip.setEnabled (false);
    EXPECT_EQ (strip.getShownFrame(), 0);
    strip.setEnabled (true);

    // A value from the host only shows: nothing goes back, no gesture.
    EXPECT_EQ (w.gestures.totalBegins(), 0);

    // Dragging up raises the channel, inside one gesture.
    channel.setNormalisedValue (0.0f, true);
    test::pump (20);
    w.press (strip, { 24, 12 });
    w.drag (strip, { 24, -20 });
    w.drag (strip, { 24, -60 });
    w.release (strip, { 24, -60 });
    EXPECT_GT (channel.getNormalisedValue(), 0.0f);
    EXPECT_EQ (w.gestures.begins ("Test Channel"), 1);
    EXPECT_EQ (w.gestures.ends ("Test Channel"), 1);
    EXPECT_FALSE (channel.isInGesture());
}
