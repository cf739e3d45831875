#include "core/parameters/ParameterTestSupport.h"
#include "support/TestSupport.h"
#include "core/parameters/FloatParameter.h"
#include "core/parameters/ParameterManager.h"
#include "core/parameters/StringParameter.h"

#include <thread>
#include <vector>

// Who is told of a change, when, on which thread and in which order.

namespace
{
    struct ImmediateRecorder : public Parameter::ImmediateListener
    {
        void parameterValueChanged (Parameter& p, bool notify) override
        {
            calls.push_back ({ p.getValue(), notify, std::this_thread::get_id() });
        }

        struct Call
        {
            float value;
            bool notify;
            std::thread::id thread;
        };
        std::vector<Call> calls;
    };

    struct NotificationTest : public ::testing::Test
    {
        FloatParameter parameter { makeDescription (3, "Cutoff", 0.0f, 100.0f, 50.0f) };
        juce::StringArray log;
        RecordingListener a { log, "a" }, b { log, "b" }, c { log, "c" };
    };
}

TEST_F (NotificationTest, ListenersAreToldLastAddedFirstAndOnlyOnce)
{
    parameter.addListener (&a);
    parameter.addListener (&b);
    parameter.addListener (&a);
    parameter.addListener (nullptr);
    parameter.addListener (&c);
    EXPECT_EQ (parameter.getNumListeners(), 3);

    parameter.setValue (10.0f, true);
    parameter.flushPendingUpdate();

    EXPECT_EQ (log, juce::StringArray ({ "c changed Cutoff", "b changed Cutoff", "a changed Cutoff" }));

    log.clear();
    parameter.removeListener (&b);
    parameter.setValue (20.0f, true);
    parameter.flushPendingUpdate();
    EXPECT_EQ (log, juce::StringArray ({ "c changed Cutoff", "a changed Cutoff" }));
}

TEST_F (NotificationTest, GesturesAreToldOnlyWhenTheFlagChanges)
{
    parameter.addListener (&a);
    parameter.addListener (&b);

    parameter.endChangeGesture();
    EXPECT_TRUE (log.isEmpty()) << "no gesture was open";

    parameter.beginChangeGesture();
    parameter.beginChangeGesture();
    EXPECT_TRUE (parameter.isInGesture());
    parameter.endChangeGesture();
    parameter.endChangeGesture();
    EXPECT_FALSE (parameter.isInGesture());

    EXPECT_EQ (log, juce::StringArray ({ "b began Cutoff", "a began Cutoff", "b ended Cutoff", "a ended Cutoff" }));
}

TEST_F (NotificationTest, ChangeOnTheMessageThreadArrivesAsynchronouslyOnce)
{
    parameter.addListener (&a);

    parameter.setValue (10.0f, true);
    parameter.setValue (11.0f, true);
    parameter.setValue (12.0f, true);
    EXPECT_EQ (a.changes, 0) << "never synchronously";

    ASSERT_TRUE (test::pumpUntil ([this] { return a.changes > 0; }));
    test::pump (50);
    EXPECT_EQ (a.changes, 1) << "changes in one turn of the loop coalesce";
}

TEST_F (NotificationTest, ChangeWithoutNotifyReachesOnlyTheImmediateListener)
{
    ImmediateRecorder immediate;
    parameter.setImmediateListener (&immediate);
    parameter.addListener (&a);

    EXPECT_TRUE (parameter.setValue (70.0f, false));
    test::pump (40);
    parameter.flushPendingUpdate();

    EXPECT_EQ (a.changes, 0);
    ASSERT_EQ (immediate.calls.size(), 1u);
    EXPECT_FLOAT_EQ (immediate.calls[0].value, 70.0f);
    EXPECT_FALSE (immediate.calls[0].notify);
}

TEST_F (NotificationTest, UnchangedValueTellsNobody)
{
    ImmediateRecorder immediate;
    parameter.setImmediateListener (&immediate);
    parameter.addListener (&a);

    EXPECT_FALSE (parameter.setValue (50.0f, true));
    EXPECT_FALSE (parameter.setNormalisedValue (0.5f, true));
    parameter.flushPendingUpdate();

    EXPECT_TRUE (immediate.calls.empty());
    EXPECT_EQ (a.changes, 0);
}

TEST_F (NotificationTest, ImmediateListenerIsCalledOnTheSettingThread)
{
    ImmediateRecorder immediate;
    parameter.setImmediateListener (&immediate);

    std::thread::id setter;
    std::thread host ([&] { setter = std::this_thread::get_id(); parameter.setNormalisedValue (0.25f, true); });
    host.join();

    ASSERT_EQ (immediate.calls.size(), 1u) << "told before the message loop ran";
    EXPECT_EQ (immediate.calls[0].thread, setter);
    EXPECT_NE (immediate.calls[0].thread, std::this_thread::get_id());
    EXPECT_FLOAT_EQ (immediate.calls[0].value, 25.0f);
    EXPECT_TRUE (immediate.calls[0].notify);
}

TEST_F (NotificationTest, ChangeFromAnotherThreadIsDeliveredByTheManagersTimer)
{
    ParameterManager manager;
    ASSERT_TRUE (manager.addParameter (std::make_unique<FloatParameter> (makeDescription (3, "Cutoff", 0.0f, 100.0f, 50.0f))));
    auto* p = manager.getParameterByIndex (3);
    p->addListener (&a);

    std::thread audio ([p] { p->setValue (90.0f, true); });
    audio.join();

    // Nothing was posted from the other thread: only the timer can deliver it.
    EXPECT_EQ (a.changes, 0);
    ASSERT_TRUE (test::pumpUntil ([this] { return a.changes > 0; }));
    EXPECT_EQ (log, juce::StringArray ({ "a changed Cutoff" }));
    EXPECT_FLOAT_EQ (p->getValue(), 90.0f);

    test::pump (40);
    EXPECT_EQ (a.changes, 1) << "delivered once";
}

TEST_F (NotificationTest, ChangeFromAnotherThreadWithoutNotifyIsNeverDelivered)
{
    ParameterManager manager;
    manager.addParameter (std::make_unique<FloatParameter> (makeDescription (3, "Cutoff", 0.0f, 100.0f, 50.0f)));
    auto* p = manager.getParameterByIndex (3);
    p->addListener (&a);

    std::thread audio ([p] { p->setValue (90.0f, false); });
    audio.join();

    test::pump (60);
    EXPECT_EQ (a.changes, 0);
    EXPECT_FLOAT_EQ (p->getValue(), 90.0f);
}

TEST_F (NotificationTest, ChangeFromAnotherThreadPostsNoMessage)
{
    // No manager, so no timer: a message posted by the setting thread would be the only way in.
    parameter.addListener (&a);

    std::thread audio ([this] { parameter.setValue (5.0f, true); });
    audio.join();

    test::pump (60);
    EXPECT_EQ (a.changes, 0);
    parameter.deliverDeferredUpdate();
    EXPECT_EQ (a.changes, 1);
}

TEST_F (NotificationTest, FlushDeliversADeferredChangeAtOnce)
{
    parameter.addListener (&a);

    std::thread audio ([this] { parameter.setValue (5.0f, true); });
    audio.join();

    parameter.flushPendingUpdate();
    EXPECT_EQ (a.changes, 1);
    parameter.flushPendingUpdate();
    EXPECT_EQ (a.changes, 1) << "nothing left to deliver";
}

TEST_F (NotificationTest, ManyThreadsLeaveConsistentValues)
{
    ParameterManager manager;
    auto d = makeDescription (3, "Cutoff", 20.0f, 20000.0f, 20000.0f);
    d.skewCentre = 1000.0f;
    manager.addParameter (std::make_unique<FloatParameter> (d));
    auto* p = manager.getParameterByIndex (3);
    p->addListener (&a);

    std::vector<std::thread> threads;

    for (int t = 0; t < 4; ++t)
        threads.emplace_back ([p, t] {
            for (int i = 0; i < 2000; ++i)
                p->setNormalisedValue ((float) ((i * 7 + t * 13) % 101) / 100.0f, true);
        });

    for (auto& t : threads)
        t.join();

    EXPECT_NEAR (p->getNormalisedValue(), p->normalise (p->getValue()), 1.0e-6f);
    ASSERT_TRUE (test::pumpUntil ([this] { return a.changes > 0; }));
}

TEST_F (NotificationTest, ListenerMayRemoveItselfDuringTheCall)
{
    struct SelfRemover : public Parameter::Listener
    {
        void parameterChanged (Parameter* p) override
        {
            ++calls;
            p->removeListener (this);
        }
        int calls = 0;
    } remover;

    parameter.addListener (&a);
    parameter.addListener (&remover);
    parameter.addListener (&b);

    parameter.setValue (1.0f, true);
    parameter.flushPendingUpdate();
    parameter.setValue (2.0f, true);
    parameter.flushPendingUpdate();

    EXPECT_EQ (remover.calls, 1);
    EXPECT_EQ (a.changes, 2);
    EXPECT_EQ (b.changes, 2);
}

TEST_F (NotificationTest, StringChangeNotifiesLikeAValue)
{
    StringParameter name (makeDescription (100000, "Preset Name"));
    ImmediateRecorder immediate;
    name.setImmediateListener (&immediate);
    name.addListener (&a);

    EXPECT_TRUE (name.setString ("MPC60", true));
    EXPECT_FALSE (name.setString ("MPC60", true));
    name.flushPendingUpdate();

    EXPECT_EQ (a.changes, 1);
    EXPECT_EQ (immediate.calls.size(), 1u);
}

TEST_F (NotificationTest, DestroyingAParameterWithAPendingUpdateIsSafe)
{
    auto p = std::make_unique<FloatParameter> (makeDescription (1, "Temp", 0.0f, 1.0f, 0.0f));
    p->addListener (&a);
    p->setValue (1.0f, true);
    p.reset();

    test::pump (30);
    EXPECT_EQ (a.changes, 0);
}
