// The rocker, the MIDI channel display, the modulation matrix, the image mixer and the room
// visualiser built from descriptions whose attributes hold hostile values: each builds (or
// fails with a reason), lays out, paints and takes the wheel without tripping a sanitiser.

#include "SkinTestPackage.h"
#include "WidgetWindowRig.h"
#include "skin/widgets/ImgMixer.h"
#include "skin/widgets/RoomVisualizer.h"

namespace
{
    struct WidgetUnderTest
    {
        const char* element;
        const char* fixedAttributes;   // parameters and images that make it do something
        std::vector<const char*> attributes;
        const char* children;
    };

    // clang-format off
    const WidgetUnderTest widgets[] = {
        { "Rocker", "gfx=\"F_3.png\"", { "x", "y", "w", "h", "type", "onLessClick", "onMoreClick", "onLessClickWithCtrl", "onMoreClickWithCtrl" }, "" },
        { "MidiChannelDisplay", "param=\"Test Channel\" gfx=\"F_18.png\"", { "x", "y", "w", "h", "paramReset" }, "" },
        { "ModulationMatrix", "", { "x", "y", "w", "h", "rows", "destinations" }, "" },
        { "ImgMixer", "slider=\"F_11.png\" display=\"F_11.png\"", { "x", "y", "w", "h", "thumb", "borderGaps", "readOnly", "background" },
          "<parameters><param name=\"Test Step 1\"/><param name=\"Test Step 2\"/><param name=\"Test Step 3\"/></parameters>" },
        { "RoomVisualizer", "roomWidthParam=\"Test Room Width\" roomLengthParam=\"Test Room Length\" mic1XParam=\"Test M1 X\" "
                            "mic1YParam=\"Test M1 Y\" mic1AngleParam=\"Test M1 Angle\" spk1XParam=\"Test S1 X\"",
          { "x", "y", "w", "h", "mic1Col", "spk2Col", "roomWidthParam", "mic1AngleParam" }, "" },
    };

    const char* const hostileValues[] = {
        "-2147483648", "2147483647", "4294967296", "-1", "0", "99999999999999999999", "1e40", "-1e40",
        "nan", "inf", "0x7FFFFFFF", "", " ", "FFFFFFFFFFFFFFFFFF", "Test Room Width", "&#x1F600;", "..\\..\\x",
    };
    // clang-format on

    /** Every component of a tree painted at its own size. */
    void paintAll (juce::Component& c)
    {
        if (c.getWidth() > 0 && c.getHeight() > 0)
            c.createComponentSnapshot (c.getLocalBounds().getIntersection ({ 0, 0, 512, 512 }), false);
    }
}

TEST (WidgetHostileAttributes, EveryAttributeOfTheWidgetsTakesHostileValues)
{
    widgettest::WidgetPlugin plugin;
    int built = 0, refused = 0;

    for (const auto& widget : widgets)
    {
        for (auto* attribute : widget.attributes)
        {
            for (auto* value : hostileValues)
            {
                const auto controls = juce::String ("<") + widget.element + " name=\"W\" " + widget.fixedAttributes + " " + attribute + "=\""
                    + value + "\">" + widget.children + "</" + widget.element + ">";
                const auto what = juce::String (widget.element) + " " + attribute + "=\"" + value + "\"";
                test::SkinTestPackage package;
                package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description (controls));

                for (auto* strip : { "F_3.png", "F_11.png", "F_18.png" })
                    package.add (strip, test::SkinTestPackage::png (16, 12, juce::String (strip).fromFirstOccurrenceOf ("_", false, false).getIntValue()));

                test::MemorySkin skin (package, &plugin);
                const auto gui = skin.createGui ({});

                if (gui == nullptr)
                {
                    ++refused;
                    EXPECT_TRUE (skin.getErrorText().isNotEmpty()) << what;
                    continue;
                }

                ++built;
                auto* w = skin.findComponent<juce::Component> ("W");
                ASSERT_NE (w, nullptr) << what;
                EXPECT_TRUE (juce::isPositiveAndNotGreaterThan (w->getWidth(), 8192)) << what;
                EXPECT_TRUE (juce::isPositiveAndNotGreaterThan (w->getHeight(), 8192)) << what;
                paintAll (*gui);

                if (auto* room = dynamic_cast<RoomVisualizer*> (w))
                {
                    for (float zoom = 2.0f; zoom <= 512.0f; zoom *= 2.0f)
                        room->getRoom().setZoom (zoom, { 1.0e9f, -1.0e9f });

                    paintAll (room->getRoom().getViewport());
                }

                if (auto* mixer = dynamic_cast<ImgMixer*> (w))
                {
                    // Values still map along the strip, whatever the thumb.
                    auto& slider = mixer->getMasterSlider();
                    EXPECT_TRUE (juce::isPositiveAndNotGreaterThan (mixer->getThumb(), 8192)) << what;
                    EXPECT_GE (std::abs (slider.getPositionOfValue (0.0) - slider.getPositionOfValue (1.0)), slider.getHeight() / 2 - 1) << what;
                }
            }
        }
    }

    std::cout << "[hostile inputs] widget attributes: " << built << " built, " << refused << " refused" << std::endl;
}

TEST (WidgetHostileAttributes, AMixerThumbAsTallAsItsStripStillMapsValues)
{
    widgettest::WidgetPlugin plugin;
    test::SkinTestPackage package;
    package.add ("F_11.png", test::SkinTestPackage::png (16, 40, 11));
    package.add ("PluginEditor.orvikgui",
                 test::SkinTestPackage::description ("<ImgMixer name=\"A\" slider=\"F_11.png\" thumb=\"-2147483648\"><parameters><param name=\"Test Step 1\"/></parameters></ImgMixer>"
                                                     "<ImgMixer name=\"B\" slider=\"F_11.png\" thumb=\"80\"><parameters><param name=\"Test Step 1\"/></parameters></ImgMixer>"));
    test::MemorySkin skin (package, &plugin);
    const auto gui = skin.createGui ({});
    ASSERT_NE (gui, nullptr) << skin.getErrorText();
    EXPECT_EQ (skin.findComponent<ImgMixer> ("A")->getThumb(), 0);

    // A thumb twice the strip's height: half the height still turns into values.
    auto& tall = skin.findComponent<ImgMixer> ("B")->getMasterSlider();
    ASSERT_EQ (tall.getHeight(), 40);
    EXPECT_GE (tall.getPositionOfValue (0.0) - tall.getPositionOfValue (1.0), 19.0);
    EXPECT_LT (tall.getPositionOfValue (0.75), tall.getPositionOfValue (0.25));
}

TEST (WidgetHostileAttributes, AMixerWithoutAnyFoundParameterShowsItsIcon)
{
    widgettest::WidgetPlugin plugin;
    test::SkinTestPackage package;
    package.add ("F_11.png", test::SkinTestPackage::png (16, 40, 11));
    package.add ("PluginEditor.orvikgui",
                 test::SkinTestPackage::description ("<ImgMixer name=\"M\" slider=\"F_11.png\"><parameters><param name=\"No Such\"/></parameters></ImgMixer>"));
    test::MemorySkin skin (package, &plugin);
    const auto gui = skin.createGui ({});
    ASSERT_NE (gui, nullptr) << skin.getErrorText();
    auto& mixer = *skin.findComponent<ImgMixer> ("M");
    EXPECT_EQ (mixer.getNumChannels(), 0);
    EXPECT_NE (mixer.getIcon(), nullptr);
    EXPECT_EQ (mixer.getBounds().getWidth(), ImgMixer::iconSize);
    EXPECT_EQ (mixer.getBounds().getHeight(), ImgMixer::iconSize);
}
