// Each widget family's test skin drawn in its states and compared with the reference pictures
// in tests/pictures/widgets (tolerance and update command: tests/support/ReferencePicture.h).

#include "WidgetWindowRig.h"
#include "skin/widgets/GFXMidiChannelDisplay.h"
#include "skin/widgets/GFXRocker.h"
#include "skin/widgets/ImgMixer.h"
#include "skin/widgets/ModulationMatrixComponent.h"
#include "skin/widgets/RoomVisualizer.h"
#include "support/EmbeddedFonts.h"
#include "support/ReferencePicture.h"

namespace
{
    class WidgetPictures : public ::testing::Test
    {
    protected:
        /** The window as JUCE draws it, against its reference. */
        static void expectPicture (widgettest::SkinWindow& w, const juce::String& name)
        {
            test::pump (20);
            const test::ReferencePicture pictures (juce::File (GRINDEL_REFERENCE_PICTURES).getChildFile ("widgets"),
                                                   juce::File (GRINDEL_PICTURE_DIFFERENCES));
            EXPECT_TRUE (pictures.matches (w.window.createComponentSnapshot (w.window.getLocalBounds()), name));
        }
    };

    /** The pointer in the window's empty corner, over no widget, whatever earlier tests left. */
    void pointerAside (widgettest::SkinWindow& w)
    {
        w.move (*w.root, { w.root->getWidth() - 2, w.root->getHeight() - 2 });
        test::pump (10);
    }

    void set (widgettest::SkinWindow& w, const juce::String& name, float normalised)
    {
        w.plugin.parameter (name).setNormalisedValue (normalised, true);
    }
}

TEST_F (WidgetPictures, RockersAndChannelDisplays)
{
    widgettest::SkinWindow w ("Switches");
    WIDGET_WINDOW_OR_SKIP (w);
    pointerAside (w);
    auto& channel = w.widget<GFXMidiChannelDisplay> ("ChannelText");
    ASSERT_TRUE (test::pumpUntil ([&] { return channel.getValue() == 0.0; }));
    expectPicture (w, "switches-all");

    // Channel 5, the horizontal rocker's "less" half held.
    set (w, "Test Channel", 5.0f / 16.0f);
    ASSERT_TRUE (test::pumpUntil ([&] { return channel.getValue() == 5.0 / 16.0; }));
    auto& rocker = w.widget<GFXRocker> ("RockerH");
    w.press (rocker, { 8, 10 });
    expectPicture (w, "switches-channel-5-less");
    w.release (rocker, { 8, 10 });

    // Channel 16 on disabled displays, the plain rocker's "more" half held.
    set (w, "Test Channel", 1.0f);
    ASSERT_TRUE (test::pumpUntil ([&] { return channel.getValue() == 1.0; }));
    w.widget<GFXMidiChannelDisplay> ("Channel").setEnabled (false);
    channel.setEnabled (false);
    auto& plain = w.widget<GFXRocker> ("RockerPlain");
    w.press (plain, { 32, 10 });
    expectPicture (w, "switches-channel-16-disabled-more");
    w.release (plain, { 32, 10 });
}

TEST_F (WidgetPictures, ModulationRulersAtRestAndModulated)
{
    widgettest::SkinWindow w ("Modulation");
    WIDGET_WINDOW_OR_SKIP (w);
    pointerAside (w);
    auto& matrix = w.widget<ModulationMatrixComponent> ("Matrix");
    expectPicture (w, "modulation-rest");

    // Row 1 at +0.5 of a source at 0.8, row 2 at -1 of a source at +1: bars right and left.
    matrix.getRow (0)->getSourceBox().setSelectedId (1, true);
    matrix.getRow (0)->getSlider().setValue (0.5, juce::sendNotificationSync);
    matrix.getRow (1)->getSourceBox().setSelectedId (2, true);
    matrix.getRow (1)->getSlider().setValue (-1.0, juce::sendNotificationSync);
    w.plugin.matrix.setSourceValue (0, 0.8f);
    w.plugin.matrix.setSourceValue (1, 1.0f);
    ASSERT_TRUE (test::pumpUntil ([&] { return matrix.getRow (0)->getSlider().getSourceValue() == 0.8f
                                            && matrix.getRow (1)->getSlider().getSourceValue() == 1.0f; }));
    expectPicture (w, "modulation-active");
}

TEST_F (WidgetPictures, MixersAtRestAndPainted)
{
    widgettest::SkinWindow w ("Mixer");
    WIDGET_WINDOW_OR_SKIP (w);
    pointerAside (w);
    expectPicture (w, "mixer-rest");

    for (int i = 0; i < 6; ++i)
        set (w, "Test Step " + juce::String (i + 1), (float) (i + 1) / 6.0f);

    auto& mixer = w.widget<ImgMixer> ("Mixer");
    ASSERT_TRUE (test::pumpUntil ([&] { return mixer.getChannel (5)->getFrame() == 10; }));
    expectPicture (w, "mixer-ramp");
}

TEST_F (WidgetPictures, RoomsAtTwoZoomsWithTurnedObjects)
{
    widgettest::SkinWindow w ("Room");
    WIDGET_WINDOW_OR_SKIP (w);
    pointerAside (w);
    auto& room = w.widget<RoomVisualizer> ("Room").getRoom();
    expectPicture (w, "room-default");

    w.plugin.parameter ("Test M1 Angle").setValue (45.0f, true);
    w.plugin.parameter ("Test S2 Angle").setValue (-90.0f, true);
    ASSERT_TRUE (test::pumpUntil ([&] { return room.getObject (0).getAngle() == 45.0f; }));
    room.setZoom (8.0f, { 12.0f, 10.0f });
    expectPicture (w, "room-zoomed-turned");
}

TEST_F (WidgetPictures, TheShowcase)
{
    widgettest::SkinWindow w ("Showcase");
    WIDGET_WINDOW_OR_SKIP (w);
    pointerAside (w);
    w.plugin.parameter ("Test Channel").setNormalisedValue (5.0f / 16.0f, true);

    for (int i = 0; i < 6; ++i)
        set (w, "Test Step " + juce::String (i + 1), (float) (i + 1) / 6.0f);

    auto& matrix = w.widget<ModulationMatrixComponent> ("Matrix");
    auto& mixer = w.widget<ImgMixer> ("Mixer");
    matrix.getRow (0)->getSourceBox().setSelectedId (1, true);
    matrix.getRow (0)->getSlider().setValue (0.6, juce::sendNotificationSync);
    w.plugin.matrix.setSourceValue (0, 0.8f);
    w.widget<RoomVisualizer> ("Room").getRoom().setZoom (8.0f, {});
    ASSERT_TRUE (test::pumpUntil ([&] { return mixer.getChannel (5)->getFrame() == 10
                                            && matrix.getRow (0)->getSlider().getSourceValue() == 0.8f; }));
    expectPicture (w, "showcase");
}
