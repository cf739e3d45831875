// Binding widgets to parameters: the list, refusals, the rule for which parameter an operation
// touches, gestures, listeners, and values that arrive from the host.

#include "core/parameters/BoolParameter.h"
#include "core/parameters/EnumParameter.h"
#include "core/parameters/FloatParameter.h"
#include "core/parameters/ParameterManager.h"
#include "skin/ParameterController.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace
{
    Parameter::Description describe (int id, const juce::String& name, float maximum = 1.0f)
    {
        Parameter::Description d;
        d.id = id;
        d.name = name;
        d.maximum = maximum;
        return d;
    }

    struct RecordingController : public ParameterController
    {
        juce::StringArray events;
        bool acceptAll = true;

        bool acceptsParameter (Parameter* p) override { return acceptAll || p->getName() != "Gain"; }
        void parameterValueChanged (Parameter* p) override { events.add ("value " + p->getName()); }
        void parameterAdded (Parameter* p) override { events.add ("added " + p->getName()); }
        void parameterRefused (Parameter* p) override { events.add ("refused " + (p != nullptr ? p->getName() : juce::String ("null"))); }
    };

    struct GestureCounter : public Parameter::Listener
    {
        int changes = 0, began = 0, ended = 0;
        void parameterChanged (Parameter*) override { ++changes; }
        void parameterGestureBegan (Parameter*) override { ++began; }
        void parameterGestureEnded (Parameter*) override { ++ended; }
    };

    struct ControllerListener : public ParameterController::Listener
    {
        juce::Array<ParameterController*> calls;
        void controllerValueChanged (ParameterController* c) override { calls.add (c); }
    };

    struct Binding : public ::testing::Test
    {
        ParameterManager manager;
        Parameter* gain = nullptr;
        Parameter* mix = nullptr;

        void SetUp() override
        {
            manager.addParameter (std::make_unique<FloatParameter> (describe (1, "Gain", 10.0f)));
            manager.addParameter (std::make_unique<FloatParameter> (describe (2, "Mix")));
            gain = manager.getParameterByName ("Gain");
            mix = manager.getParameterByName ("Mix");
        }
    };
}

TEST_F (Binding, AddingTellsTheWidgetInOrderAndRefusesDuplicatesAndNull)
{
    RecordingController c;
    EXPECT_TRUE (c.addParameter (gain));
    EXPECT_FALSE (c.addParameter (gain));
    EXPECT_FALSE (c.addParameter (nullptr));

    EXPECT_EQ (juce::StringArray ({ "added Gain", "value Gain", "refused Gain", "refused null" }), c.events);
    EXPECT_EQ (1, c.getNumParameters());
    EXPECT_EQ (1, gain->getNumListeners());
    EXPECT_EQ (gain, c.getParameter (0));
    EXPECT_EQ (nullptr, c.getParameter (1));
    EXPECT_EQ (nullptr, c.getParameter (-1));
    EXPECT_TRUE (c.hasParameter (gain));
    EXPECT_FALSE (c.hasParameter (mix));
    EXPECT_FALSE (c.hasParameter (nullptr));

    RecordingController picky;
    picky.acceptAll = false;
    EXPECT_FALSE (picky.addParameter (gain));
    EXPECT_EQ (juce::StringArray ({ "refused Gain" }), picky.events);
}

TEST_F (Binding, DestructionLeavesEveryParameter)
{
    {
        RecordingController c;
        c.addParameter (gain);
        c.addParameter (mix);
        EXPECT_EQ (1, mix->getNumListeners());
    }

    EXPECT_EQ (0, gain->getNumListeners());
    EXPECT_EQ (0, mix->getNumListeners());

    // A change pending for a destroyed widget must not reach it.
    {
        RecordingController c;
        c.addParameter (gain);
        gain->setValue (3.0f, true);
    }
    test::pump (20);
}

TEST_F (Binding, FromTheGuiDescription)
{
    RecordingController single;
    EXPECT_TRUE (single.bindParameterFromXml (juce::ValueTree ("ImgKnob").setProperty ("param", "Mix", nullptr), &manager));
    EXPECT_FALSE (single.bindParameterFromXml (juce::ValueTree ("ImgKnob"), &manager));
    EXPECT_FALSE (single.bindParameterFromXml (juce::ValueTree ("ImgKnob").setProperty ("param", "Nope", nullptr), &manager));
    EXPECT_FALSE (single.bindParameterFromXml (juce::ValueTree ("ImgKnob").setProperty ("param", "Gain", nullptr), nullptr));
    EXPECT_EQ (1, single.getNumParameters());

    auto node = juce::ValueTree::fromXml (R"(<parameters><param name="Mix"/><other name="Gain"/><param/><param name="Gain"/><param name="Mix"/></parameters>)");
    RecordingController list;
    list.bindParametersFromXml (node, &manager);
    EXPECT_EQ (mix, list.getParameter (0));
    EXPECT_EQ (gain, list.getParameter (1));
    EXPECT_EQ (2, list.getNumParameters());
    EXPECT_TRUE (list.events.contains ("refused null"));   // the "param" without a name
    EXPECT_TRUE (list.events.contains ("refused Mix"));    // the repeated name

    RecordingController wrongNode;
    wrongNode.bindParametersFromXml (juce::ValueTree::fromXml (R"(<params><param name="Mix"/></params>)"), &manager);
    wrongNode.bindParametersFromXml (juce::ValueTree(), &manager);
    EXPECT_EQ (0, wrongNode.getNumParameters());
}

TEST_F (Binding, OperationsTouchTheFirstOrAGivenBoundParameterOnly)
{
    RecordingController c;
    c.addParameter (mix);
    c.addParameter (gain);

    c.setNormalisedValue (nullptr, 0.5f);
    EXPECT_FLOAT_EQ (0.5f, mix->getValue());
    EXPECT_FLOAT_EQ (0.0f, gain->getValue());

    c.setValue (gain, 4.0f);
    EXPECT_FLOAT_EQ (4.0f, gain->getValue());

    c.setIntValue (1, nullptr);
    EXPECT_FLOAT_EQ (1.0f, mix->getValue());

    c.setToStoredValue (0, gain);
    EXPECT_FLOAT_EQ (0.0f, gain->getValue());
    c.setToStoredValue (1, nullptr);
    EXPECT_FLOAT_EQ (1.0f, mix->getValue());

    Parameter stranger (describe (9, "Stranger"));
    c.setValue (&stranger, 0.7f);
    EXPECT_FLOAT_EQ (0.0f, stranger.getValue());

    RecordingController empty;
    empty.setValue (nullptr, 0.3f);   // nothing bound: nothing happens
    empty.beginChangeGesture (nullptr);
}

TEST_F (Binding, Gestures)
{
    RecordingController c;
    c.addParameter (mix);
    GestureCounter onMix, onGain;
    mix->addListener (&onMix);
    gain->addListener (&onGain);

    c.beginChangeGesture (gain);   // not bound: ignored
    EXPECT_EQ (0, onGain.began);
    EXPECT_FALSE (gain->isInGesture());

    c.beginChangeGesture (nullptr);
    EXPECT_TRUE (mix->isInGesture());
    c.endChangeGesture (mix);
    EXPECT_FALSE (mix->isInGesture());
    EXPECT_EQ (1, onMix.began);
    EXPECT_EQ (1, onMix.ended);

    mix->removeListener (&onMix);
    gain->removeListener (&onGain);
}

TEST_F (Binding, HostChangesArriveThroughTheMessageLoopAndAreNotSentBack)
{
    struct ImmediateCounter : public Parameter::ImmediateListener
    {
        int calls = 0;
        void parameterValueChanged (Parameter&, bool) override { ++calls; }
    } immediate;

    RecordingController c;
    c.addParameter (mix);
    ControllerListener listener;
    c.addListener (&listener);
    mix->setImmediateListener (&immediate);
    c.events.clear();

    mix->setValue (0.25f, true);   // as the host does
    EXPECT_TRUE (c.events.isEmpty());

    ASSERT_TRUE (test::pumpUntil ([&] { return ! c.events.isEmpty(); }));
    EXPECT_EQ (juce::StringArray ({ "value Mix" }), c.events);
    EXPECT_EQ (1, immediate.calls);
    EXPECT_TRUE (listener.calls.isEmpty());   // a host change is not the user's

    mix->setImmediateListener (nullptr);
}

TEST_F (Binding, ListenersHearTheUsersChangesOnceEachLastAddedFirst)
{
    RecordingController c;
    c.addParameter (mix);

    struct Ordered : public ParameterController::Listener
    {
        juce::StringArray& log;
        juce::String name;
        Ordered (juce::StringArray& l, juce::String n) : log (l), name (std::move (n)) {}
        void controllerValueChanged (ParameterController*) override { log.add (name); }
    };

    juce::StringArray log;
    Ordered first (log, "first"), second (log, "second");
    c.addListener (&first);
    c.addListener (&second);
    c.addListener (&first);
    c.addListener (nullptr);
    EXPECT_EQ (2, c.getNumListeners());

    c.setValue (nullptr, 0.5f);
    EXPECT_EQ (juce::StringArray ({ "second", "first" }), log);

    c.removeListener (&second);
    log.clear();
    c.setValue (nullptr, 0.6f);
    EXPECT_EQ (juce::StringArray ({ "first" }), log);
}

TEST_F (Binding, ResetFlag)
{
    RecordingController c;
    EXPECT_TRUE (c.isResetAllowed());
    c.setResetAllowed (false);
    EXPECT_FALSE (c.isResetAllowed());
}
