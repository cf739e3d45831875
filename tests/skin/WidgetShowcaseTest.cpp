// The five widgets together in one test skin, kept as a picture for the documentation.

#include "WidgetWindowRig.h"
#include "skin/widgets/GFXMidiChannelDisplay.h"
#include "skin/widgets/GFXRocker.h"
#include "skin/widgets/ImgMixer.h"
#include "skin/widgets/ModulationMatrixComponent.h"
#include "skin/widgets/RoomVisualizer.h"

TEST (WidgetShowcase, AllFiveWidgetsFromOneSkin)
{
    widgettest::SkinWindow w ("Showcase");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& rocker = w.widget<GFXRocker> ("Rocker");
    w.widget<GFXMidiChannelDisplay> ("Channel");
    auto& matrix = w.widget<ModulationMatrixComponent> ("Matrix");
    auto& mixer = w.widget<ImgMixer> ("Mixer");
    auto& room = w.widget<RoomVisualizer> ("Room").getRoom();

    // Some life in them: a channel, a modulation, a painted ramp and a zoomed room.
    w.plugin.parameter ("Test Channel").setNormalisedValue (5.0f / 16.0f, true);

    for (int i = 0; i < 6; ++i)
        w.plugin.parameter ("Test Step " + juce::String (i + 1)).setNormalisedValue ((float) (i + 1) / 6.0f, true);

    matrix.getRow (0)->getSourceBox().setSelectedId (1, true);
    matrix.getRow (0)->getSlider().setValue (0.6, juce::sendNotificationSync);
    w.plugin.matrix.setSourceValue (0, 0.8f);
    room.setZoom (8.0f, {});
    w.press (rocker, { 50, 15 });
    ASSERT_TRUE (test::pumpUntil ([&] { return mixer.getChannel (5)->getFrame() == 10
                                            && matrix.getRow (0)->getSlider().getSourceValue() == 0.8f; }));

    const auto file = w.snapshot ("widget-showcase");
    w.release (rocker, { 50, 15 });
    const auto image = juce::ImageFileFormat::loadFrom (file);
    EXPECT_EQ (image.getBounds(), juce::Rectangle<int> (0, 0, 640, 300));
}
