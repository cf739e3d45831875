// Taper and display delegates, and the packet handler.

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CPacketHandler.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

TEST (LinearTaper, MapsAndConstrains)
{
    const AAX_CLinearTaperDelegate<float, 0> taper (0.0f, 10.0f);
    EXPECT_EQ (1.0, taper.RealToNormalized (15.0f));
    EXPECT_EQ (0.0, taper.RealToNormalized (-1.0f));
    EXPECT_FLOAT_EQ (2.5f, taper.NormalizedToReal (0.25));
    EXPECT_FLOAT_EQ (10.0f, taper.NormalizedToReal (3.0));
    EXPECT_FLOAT_EQ (0.0f, taper.NormalizedToReal (-1e300));
    // Not-a-number stands for the minimum both ways.
    EXPECT_EQ (0.0f, taper.ConstrainRealValue (std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ (0.0f, taper.NormalizedToReal (std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ (0.0, taper.RealToNormalized (std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ (10.0f, taper.GetMaximumValue());
    EXPECT_EQ (0.0f, taper.GetMinimumValue());
}

TEST (LinearTaper, EqualEndsGiveTheMiddle)
{
    const AAX_CLinearTaperDelegate<float, 0> taper (3.0f, 3.0f);
    EXPECT_EQ (0.5, taper.RealToNormalized (7.0f));
    EXPECT_EQ (3.0f, taper.NormalizedToReal (0.9));
    EXPECT_EQ (3.0f, taper.ConstrainRealValue (-8.0f));
}

TEST (LinearTaper, WithoutARangeMapsZeroToOne)
{
    const AAX_CLinearTaperDelegate<float, 0> taper;
    EXPECT_EQ (0.0f, taper.GetMinimumValue());
    EXPECT_EQ (1.0f, taper.GetMaximumValue());
    EXPECT_FLOAT_EQ (0.25f, taper.NormalizedToReal (0.25));
    EXPECT_DOUBLE_EQ (0.75, taper.RealToNormalized (0.75f));
}

TEST (LinearTaper, FallingRange)
{
    const AAX_CLinearTaperDelegate<float, 0> taper (10.0f, 0.0f);
    EXPECT_FLOAT_EQ (7.5f, taper.NormalizedToReal (0.25));
    EXPECT_DOUBLE_EQ (0.25, taper.RealToNormalized (7.5f));
    EXPECT_EQ (10.0f, taper.ConstrainRealValue (12.0f));

    std::unique_ptr<AAX_ITaperDelegate<float>> copy (taper.Clone());
    EXPECT_EQ (10.0f, copy->GetMinimumValue());
}

TEST (NumberDisplay, ThreeDecimalsAndCutting)
{
    const AAX_CNumberDisplayDelegate<float, 3> display;
    AAX_CString text ("old");

    EXPECT_TRUE (display.ValueToString (1.5f, &text));
    EXPECT_STREQ ("1.500", text.Get());

    EXPECT_TRUE (display.ValueToString (1.5f, 2, &text));
    EXPECT_STREQ ("1", text.Get());
    EXPECT_TRUE (display.ValueToString (1.5f, 0, &text));
    EXPECT_STREQ ("", text.Get());
    EXPECT_TRUE (display.ValueToString (1.5f, -4, &text));
    EXPECT_STREQ ("", text.Get());
    EXPECT_TRUE (display.ValueToString (1.5f, 4, &text));
    EXPECT_STREQ ("1.50", text.Get());
    EXPECT_TRUE (display.ValueToString (-12.25f, 3, &text));
    EXPECT_STREQ ("-12", text.Get());
    EXPECT_TRUE (display.ValueToString (1.5f, 99, &text));
    EXPECT_STREQ ("1.500", text.Get());
    EXPECT_FALSE (display.ValueToString (1.5f, nullptr));
}

TEST (NumberDisplay, ParsesNumbers)
{
    const AAX_CNumberDisplayDelegate<float, 3> display;
    float value = -1.0f;

    EXPECT_TRUE (display.StringToValue (AAX_CString ("12.5"), &value));
    EXPECT_EQ (12.5f, value);
    EXPECT_FALSE (display.StringToValue (AAX_CString ("abc"), &value));
    EXPECT_EQ (0.0f, value);

    // Beyond float's range reads as its limit.
    EXPECT_TRUE (display.StringToValue (AAX_CString ("1e300"), &value));
    EXPECT_EQ (std::numeric_limits<float>::max(), value);
    EXPECT_TRUE (display.StringToValue (AAX_CString ("-1e300"), &value));
    EXPECT_EQ (std::numeric_limits<float>::lowest(), value);
}

TEST (BinaryDelegates, TwoStates)
{
    const AAX_CBinaryTaperDelegate<bool> taper;
    EXPECT_EQ (1.0, taper.RealToNormalized (true));
    EXPECT_EQ (0.0, taper.RealToNormalized (false));
    EXPECT_TRUE (taper.NormalizedToReal (0.5));
    EXPECT_FALSE (taper.NormalizedToReal (0.49));
    EXPECT_TRUE (taper.GetMaximumValue());
    EXPECT_FALSE (taper.GetMinimumValue());

    const AAX_CBinaryDisplayDelegate<bool> display ("Off", "On");
    AAX_CString text;
    EXPECT_TRUE (display.ValueToString (true, &text));
    EXPECT_STREQ ("On", text.Get());
    EXPECT_TRUE (display.ValueToString (false, 2, &text));
    EXPECT_STREQ ("Of", text.Get());

    bool value = false;
    EXPECT_TRUE (display.StringToValue (AAX_CString ("On"), &value));
    EXPECT_TRUE (value);
    EXPECT_TRUE (display.StringToValue (AAX_CString ("Off"), &value));
    EXPECT_FALSE (value);
    EXPECT_FALSE (display.StringToValue (AAX_CString ("on"), &value));
}

namespace
{
    struct Worker
    {
        std::string calls;

        AAX_Result WithID (AAX_CParamID id, AAX_CPacket&)
        {
            calls += std::string ("id:") + id + ";";
            return 3;
        }
        AAX_Result PacketOnly (AAX_CPacket&)
        {
            calls += "packet;";
            return 4;
        }
    };
}

TEST (PacketHandler, CallsTheSlotThatIsSet)
{
    Worker worker;
    int storage = 0;   // the handler only passes the packet through
    AAX_CPacket& packet = *reinterpret_cast<AAX_CPacket*> (&storage);

    const AAX_CPacketHandler<Worker> withID (&worker, &Worker::WithID);
    EXPECT_EQ (3, withID.CallHandler ("gain", packet));

    const AAX_CPacketHandler<Worker> packetOnly (&worker, &Worker::PacketOnly);
    EXPECT_EQ (4, packetOnly.CallHandler ("gain", packet));

    std::unique_ptr<AAX_IPacketHandler> copy (withID.Clone());
    EXPECT_EQ (3, copy->CallHandler ("mix", packet));
    EXPECT_EQ ("id:gain;packet;id:mix;", worker.calls);

    const AAX_CPacketHandler<Worker> empty (&worker, static_cast<AAX_CPacketHandler<Worker>::PacketProc> (nullptr));
    EXPECT_EQ (-20004, empty.CallHandler ("gain", packet));
}
