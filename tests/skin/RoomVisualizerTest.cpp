// The room visualiser from its test skin: placement at the edges, dragging with two-decimal
// commits inside gestures, clicks that change nothing, hit order, zoom limits and the room
// without dimensions.

#include "SkinTestPackage.h"
#include "WidgetWindowRig.h"
#include "skin/widgets/RoomVisualizer.h"

namespace
{
    struct ZoomCount : public RoomVisualizer::Listener
    {
        int count = 0;
        void zoomChanged (RoomVisualizer*) override { ++count; }
    };

    using Room = RoomVisualizer::Room;

    void zoomTo (widgettest::SkinWindow& w, Room& room, float zoom)
    {
        while (room.getZoom() < zoom)
        {
            test::pump (3);   // wheel events of the same time count once
            w.wheel (room, { 0, 0 }, 1.0f);
        }
    }

    void set (widgettest::SkinWindow& w, const juce::String& name, float value)
    {
        w.plugin.parameter (name).setValue (value, true);
        test::pump (10);
    }
}

TEST (RoomVisualizer, PlacementAtTheEdgesAndTwoDecimalCommits)
{
    widgettest::SkinWindow w ("Room");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& room = w.widget<RoomVisualizer> ("Room").getRoom();
    EXPECT_EQ (room.getRoomWidth(), 10.0f);
    EXPECT_EQ (room.getObject (3).getColour(), juce::Colour (0xFF0000FF));
    EXPECT_EQ (room.getObject (1).getColour(), juce::Colour (0xFF48A448));
    zoomTo (w, room, 8.0f);
    ASSERT_GT (room.getWidth(), 100);
    const float lastColumn = (float) room.getWidth() - 1.0f, bottomRow = (float) room.getHeight() - 1.0f;
    auto& m1 = room.getObject (0);

    // X at the room's width is the last column, Y = 0 the bottom row; outside is clamped.
    set (w, "Test M1 X", 10.0f);
    set (w, "Test M1 Y", 0.0f);
    EXPECT_EQ (m1.getPixelPosition(), juce::Point<float> (lastColumn, bottomRow));
    set (w, "Test M1 X", 20.0f);
    set (w, "Test M1 Y", 20.0f);
    EXPECT_EQ (m1.getPixelPosition(), juce::Point<float> (lastColumn, 0.0f));

    // A speaker's angle parameter of 30 draws as 210 degrees and reads 30 in its label.
    EXPECT_EQ (room.getObject (2).getAngle(), 210.0f);
    EXPECT_TRUE (room.getObject (2).getLabelText().endsWith (juce::String (juce::CharPointer_UTF8 ("\n30\xc2\xb0"))));

    // A click on M2 that does not move it changes nothing and opens no gesture.
    auto& m2 = room.getObject (1);
    const auto start = m2.getPixelPosition().toInt();
    const float x2 = w.plugin.parameter ("Test M2 X").getValue();
    w.press (room, start);
    w.release (room, start);
    EXPECT_EQ (w.plugin.parameter ("Test M2 X").getValue(), x2);
    EXPECT_EQ (w.gestures.totalBegins(), 0);

    // Dragged to the left edge: X is exactly 0; Y keeps two decimals; one gesture each.
    w.press (room, start);
    w.drag (room, start + juce::Point<int> (-40, -7));
    w.drag (room, { -500, start.y - 13 });
    w.release (room, { -500, start.y - 13 });
    EXPECT_EQ (w.plugin.parameter ("Test M2 X").getValue(), 0.0f);
    const float y = w.plugin.parameter ("Test M2 Y").getValue();
    EXPECT_FLOAT_EQ (y * 100.0f, std::round (y * 100.0f));
    EXPECT_NE (y, 2.0f);

    for (auto* name : { "Test M2 X", "Test M2 Y" })
    {
        EXPECT_EQ (w.gestures.begins (name), 1) << name;
        EXPECT_EQ (w.gestures.ends (name), 1) << name;
    }

    EXPECT_EQ (w.gestures.totalBegins(), 2);
    ASSERT_TRUE (test::pumpUntil ([&] { return m2.getX() == 0.0f; }));
    EXPECT_EQ (m2.getPixelPosition().x, 0.0f);
}

TEST (RoomVisualizer, HitOrderZoomLimitsAndTheRoomWithoutDimensions)
{
    widgettest::SkinWindow w ("Room");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& visualizer = w.widget<RoomVisualizer> ("Room");
    auto& room = visualizer.getRoom();
    ZoomCount zooms;
    visualizer.addZoomListener (&zooms);

    // Wheel down at zoom 1 changes nothing; up goes 2, 4 ... 512 and stops there.
    w.wheel (room, { 5, 5 }, -1.0f);
    EXPECT_EQ (room.getZoom(), 1.0f);
    zoomTo (w, room, 512.0f);
    EXPECT_EQ (room.getZoom(), 512.0f);
    EXPECT_EQ (zooms.count, 9);
    test::pump (3);
    w.wheel (room, { 5, 5 }, 1.0f);
    EXPECT_EQ (room.getZoom(), 512.0f);
    EXPECT_EQ (zooms.count, 9);

    // Zooming keeps the room point under the pointer in place.
    room.setZoom (16.0f, {});
    auto& view = room.getViewport();
    const juce::Point<float> p (121.0f, 100.0f);
    const float rx = p.x / (float) (room.getWidth() - 1);
    const auto before = p - view.getViewPosition().toFloat();
    room.setZoom (32.0f, p);
    EXPECT_GT (view.getViewPosition().x, 0);
    EXPECT_NEAR ((float) (room.getWidth() - 1) * rx - (float) view.getViewPosition().x, before.x, 1.0f);
    visualizer.removeZoomListener (&zooms);

    // M1, M2 and S1 on one spot: M1 is hit first, and the press takes it.
    room.setZoom (8.0f, {});
    for (auto* prefix : { "Test M1", "Test M2", "Test S1" })
    {
        set (w, juce::String (prefix) + " X", 5.0f);
        set (w, juce::String (prefix) + " Y", 4.0f);
    }

    const auto spot = room.getObject (0).getPixelPosition();
    EXPECT_EQ (room.getObjectAt (spot), &room.getObject (0));
    EXPECT_EQ (room.getObject (1).getPixelPosition(), spot);
    const auto at = spot.toInt();
    w.press (room, at);
    EXPECT_EQ (room.getHoveredObject(), &room.getObject (0));
    w.release (room, at);

    // Unbound dimensions: no room to place, drag or hit anything in.
    auto& empty = w.widget<RoomVisualizer> ("EmptyRoom").getRoom();
    EXPECT_EQ (empty.getWidth(), 0);
    EXPECT_EQ (empty.getHeight(), 0);
    EXPECT_EQ (empty.getObjectAt ({}), nullptr);
    empty.getObject (0).setPixelPosition ({ 3.0f, 3.0f });
    EXPECT_EQ (empty.getObject (0).getPixelPosition(), juce::Point<float>());
    w.gestures.reset();
    empty.getObject (0).commit();
    EXPECT_EQ (w.gestures.totalBegins(), 0);
}

namespace
{
    /** A parameter whose plain value is whatever the test says, as a broken host could make it. */
    struct WildParameter : public FloatParameter
    {
        using FloatParameter::FloatParameter;
        float getValue() const noexcept override { return wild; }
        float wild = 0.0f;
    };
}

TEST (RoomVisualizer, OnePixelRoomsAndWildValuesNeverMakeNaN)
{
    widgettest::SkinWindow w ("Room");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& room = w.widget<RoomVisualizer> ("Room").getRoom();

    // A room one pixel wide: a drag moves the microphone down only, and only Y is committed.
    set (w, "Test Room Width", 0.4f);
    ASSERT_EQ (room.getWidth(), 1);
    auto& m1 = room.getObject (0);
    const float x = w.plugin.parameter ("Test M1 X").getValue();
    const auto start = m1.getPixelPosition().toInt();
    w.press (room, start);
    w.drag (room, start + juce::Point<int> (0, 6));
    w.release (room, start + juce::Point<int> (0, 6));
    EXPECT_EQ (w.plugin.parameter ("Test M1 X").getValue(), x);
    EXPECT_TRUE (std::isfinite (w.plugin.parameter ("Test M1 Y").getValue()));
    EXPECT_EQ (w.gestures.begins ("Test M1 X"), 0);
    EXPECT_EQ (w.gestures.begins ("Test M1 Y"), 1);
    EXPECT_EQ (w.gestures.ends ("Test M1 Y"), 1);

    // Values from a broken parameter: NaN and infinite sizes are no room; NaN and infinite
    // positions show at the edge; nothing is written back.
    Parameter::Description d;
    d.id = 900100;
    d.name = "Wild";
    d.maximum = 20.0f;
    auto wildOwned = std::make_unique<WildParameter> (d);
    auto* wild = wildOwned.get();
    ASSERT_TRUE (w.plugin.getParameterManager().addParameter (std::move (wildOwned)));
    test::SkinTestPackage package;
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ("<RoomVisualizer name=\"Wild\" w=\"200\" h=\"200\" roomWidthParam=\"Test S1 Y\" "
                                                                              "roomLengthParam=\"Test Room Length\" mic1XParam=\"Wild\" spk1XParam=\"Test S1 X\"/>"));
    test::MemorySkin skin (package, &w.plugin);
    const auto gui = skin.createGui ({});
    ASSERT_NE (gui, nullptr);
    auto& wildRoom = skin.findComponent<RoomVisualizer> ("Wild")->getRoom();
    ASSERT_GT (wildRoom.getWidth(), 1);
    w.gestures.reset();

    // clang-format off
    const struct { float value; float pixel; } rows[] = {
        { std::numeric_limits<float>::quiet_NaN(), 0.0f },
        { std::numeric_limits<float>::infinity(), (float) wildRoom.getWidth() - 1.0f },
        { -std::numeric_limits<float>::infinity(), 0.0f },
    };
    // clang-format on

    for (const auto& row : rows)
    {
        wild->wild = row.value;
        wildRoom.getObject (0).parameterValueChanged (wild);
        EXPECT_EQ (wildRoom.getObject (0).getPixelPosition().x, row.pixel) << row.value;
        EXPECT_TRUE (std::isfinite (wildRoom.getObject (0).getX())) << row.value;
        EXPECT_TRUE (juce::isPositiveAndNotGreaterThan (wildRoom.getObject (0).getX(), 20.0f)) << row.value;
        EXPECT_FALSE (wildRoom.getObject (0).getLabelText().containsIgnoreCase ("nan")) << row.value;
    }

    EXPECT_EQ (w.gestures.totalBegins(), 0);
}

TEST (RoomVisualizer, TheLargestRoomAtTheLargestZoomPaintsItsFarCorner)
{
    // A 400 x 400 widget with a 20 x 20 room: at zoom 512 the sum of the sides' squares no
    // longer fits an int.
    widgettest::WidgetPlugin plugin;
    test::SkinTestPackage package;
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ("<RoomVisualizer name=\"Big\" w=\"400\" h=\"400\" roomWidthParam=\"Test Room Width\" "
                                                                              "roomLengthParam=\"Test Room Length\" mic1XParam=\"Test M1 X\" mic1YParam=\"Test M1 Y\"/>",
                                                                              "w=\"400\" h=\"400\""));
    test::MemorySkin skin (package, &plugin);
    const auto gui = skin.createGui ({});
    ASSERT_NE (gui, nullptr);
    auto& room = skin.findComponent<RoomVisualizer> ("Big")->getRoom();

    for (const auto& [name, value] : { std::pair { "Test Room Width", 20.0f }, { "Test Room Length", 20.0f }, { "Test M1 X", 20.0f }, { "Test M1 Y", 0.0f } })
        plugin.parameter (name).setValue (value, true);

    ASSERT_TRUE (test::pumpUntil ([&] { return room.getRoomWidth() == 20.0f && room.getRoomLength() == 20.0f && room.getObject (0).getX() == 20.0f; }));

    for (float zoom = 2.0f; zoom <= 512.0f; zoom *= 2.0f)
        room.setZoom (zoom, { (float) room.getWidth() - 1.0f, (float) room.getHeight() - 1.0f });

    const auto side = juce::jmin (Room::maxSide, juce::roundToInt (20.0 * room.getBaseSize() / 100.0 * 512.0));
    ASSERT_GT (2.0 * side * side, (double) std::numeric_limits<int>::max());
    EXPECT_EQ (room.getWidth(), side);
    EXPECT_EQ (room.getHeight(), side);
    EXPECT_NEAR (room.getDiagonal(), std::sqrt (2.0) * side, 1.0);
    EXPECT_EQ (room.getObject (0).getPixelPosition(), juce::Point<float> ((float) side - 1.0f, (float) side - 1.0f));

    // The view shows the far corner, and the microphone is painted there.
    EXPECT_EQ (room.getViewport().getViewArea().getBottomRight(), juce::Point<int> (side, side));
    const auto corner = room.createComponentSnapshot ({ side - 40, side - 40, 40, 40 }, false);
    EXPECT_EQ (corner.getPixelAt (37, 37), juce::Colour (0xFF008000));
    EXPECT_EQ (corner.getPixelAt (2, 38), juce::Colours::white);
}

TEST (RoomVisualizer, AZoomUnderAHeldObjectKeepsItUnderTheStillPointer)
{
    widgettest::SkinWindow w ("Room");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& room = w.widget<RoomVisualizer> ("Room").getRoom();
    room.setZoom (2.0f, {});
    auto& m1 = room.getObject (0);
    const auto grip = m1.getPixelPosition().toInt() + juce::Point<int> (2, 1);
    w.press (room, grip);
    ASSERT_EQ (room.getHoveredObject(), &m1);
    w.drag (room, grip + juce::Point<int> (6, -4));

    // The pointer stays where it is on the screen; the room grows under it.
    const auto pointer = w.window.getLocalPoint (&room, grip + juce::Point<int> (6, -4));
    const auto held = m1.getPixelPosition() - room.getLocalPoint (&w.window, pointer).toFloat();
    test::pump (3);
    w.wheel (room, room.getLocalPoint (&w.window, pointer), 1.0f);
    ASSERT_EQ (room.getZoom(), 4.0f);
    const auto under = room.getLocalPoint (&w.window, pointer).toFloat() + held;
    EXPECT_NEAR (m1.getPixelPosition().x, under.x, 1.0f);
    EXPECT_NEAR (m1.getPixelPosition().y, under.y, 1.0f);

    // The drag goes on from there, pixel for pixel, and the release commits where it shows.
    const auto before = m1.getPixelPosition();
    w.drag (room, room.getLocalPoint (&w.window, pointer + juce::Point<int> (5, 3)));
    EXPECT_EQ (m1.getPixelPosition(), before + juce::Point<float> (5.0f, 3.0f));
    const auto dropped = m1.getPixelPosition();
    w.release (room, room.getLocalPoint (&w.window, pointer + juce::Point<int> (5, 3)));
    test::pump (10);
    EXPECT_NEAR (w.plugin.parameter ("Test M1 X").getValue(), dropped.x / (float) (room.getWidth() - 1) * room.getRoomWidth(), 0.01f);
    EXPECT_NEAR (w.plugin.parameter ("Test M1 Y").getValue(), (1.0f - dropped.y / (float) (room.getHeight() - 1)) * room.getRoomLength(), 0.01f);
}
