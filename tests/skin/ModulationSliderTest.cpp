// The modulation matrix's rows from their test skin: the amount ruler under the mouse, its
// clamping and the modulation bar fed by the matrix's timer.

#include "WidgetWindowRig.h"
#include "skin/widgets/ModulationMatrixComponent.h"

TEST (ModulationSlider, AmountClampsAndTheBarFollowsTheSource)
{
    widgettest::SkinWindow w ("Modulation");
    WIDGET_WINDOW_OR_SKIP (w);
    auto& matrix = w.widget<ModulationMatrixComponent> ("Matrix");
    ASSERT_EQ (matrix.getNumRows(), 2);
    auto& row = *matrix.getRow (0);
    auto& slider = row.getSlider();
    const int width = slider.getWidth();
    ASSERT_GT (width, 100);

    // Layout of the ruler.
    EXPECT_FLOAT_EQ (slider.getScaleY(), (float) slider.getHeight() * 0.5f);
    EXPECT_FLOAT_EQ (slider.getScaleLength(), (float) width - 16.0f);
    EXPECT_FLOAT_EQ (slider.getScaleStart(), 8.0f);

    // The pointer maps -1..+1 onto x = 8 .. width - 8; dragging past the ends clamps.
    const int y = slider.getHeight() / 2;
    w.press (slider, { width / 2, y });
    EXPECT_NEAR (row.getAmount(), 0.0f, 0.02f);
    w.drag (slider, { 8, y });
    EXPECT_NEAR (row.getAmount(), -1.0f, 0.01f);
    w.drag (slider, { -200, y });
    EXPECT_FLOAT_EQ (row.getAmount(), -1.0f);
    w.drag (slider, { width + 200, y });
    EXPECT_FLOAT_EQ (row.getAmount(), 1.0f);
    w.release (slider, { width + 200, y });

    // No source chosen: the timer leaves the bar at zero.
    w.plugin.matrix.setSourceValue (2, -1.0f);
    test::pump (3 * ModulationMatrixComponent::refreshIntervalMs);
    EXPECT_EQ (slider.getSourceValue(), 0.0f);
    EXPECT_EQ (slider.getModulationBar().getLength(), 0.0f);

    // Source 3 chosen: amount +1 with source -1 reaches the left end of the scale, as does
    // amount -1 with source +1.
    row.getSourceBox().setSelectedId (3, true);
    ASSERT_TRUE (test::pumpUntil ([&] { return slider.getSourceValue() == -1.0f; }));
    const auto bar = slider.getModulationBar();
    EXPECT_FLOAT_EQ (bar.getStartX(), (float) width * 0.5f);
    EXPECT_FLOAT_EQ (bar.getEndX(), 8.0f);
    EXPECT_FLOAT_EQ (bar.getStartY(), slider.getScaleY() + 10.0f);

    slider.setValue (-1.0, juce::sendNotificationSync);
    w.plugin.matrix.setSourceValue (2, 1.0f);
    ASSERT_TRUE (test::pumpUntil ([&] { return slider.getSourceValue() == 1.0f; }));
    EXPECT_FLOAT_EQ (slider.getModulationBar().getEndX(), 8.0f);

    slider.setValue (0.0, juce::sendNotificationSync);
    EXPECT_EQ (slider.getModulationBar().getLength(), 0.0f);

    // The other row follows its own source only.
    EXPECT_EQ (matrix.getRow (1)->getSlider().getSourceValue(), 0.0f);

    // Values from outside are clamped; NaN shows no modulation.
    // clang-format off
    const struct { float in, shown; } values[] = {
        { 2.0f, 1.0f }, { -7.0f, -1.0f }, { std::numeric_limits<float>::infinity(), 1.0f },
        { std::numeric_limits<float>::quiet_NaN(), 0.0f }, { 0.25f, 0.25f },
    };
    // clang-format on
    ModulationSlider loose;

    for (const auto& v : values)
    {
        loose.setSourceValue (v.in);
        EXPECT_EQ (loose.getSourceValue(), v.shown) << v.in;
    }

    EXPECT_EQ (w.plugin.matrix.getSourceValue (9), 0.0f);
    EXPECT_EQ (w.plugin.matrix.getSourceValue (-1), 0.0f);
}
