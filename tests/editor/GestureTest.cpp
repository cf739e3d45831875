#include "EditorTestSupport.h"
#include "core/CommandParameter.h"
#include "editor/OptionsWindow.h"
#include "editor/StatusBar.h"
#include "skin/Panel.h"
#include "skin/widgets/ImgAnim.h"
#include "skin/widgets/ImgButton.h"
#include "skin/widgets/ImgKnob.h"
#include <map>

using edtest::EditorRig;

namespace
{
    juce::Component* findControl (juce::Component& parent, const juce::String& name)
    {
        for (auto* child : parent.getChildren())
        {
            if (child->getName() == name)
                return child;

            if (auto* found = findControl (*child, name))
                return found;
        }

        return nullptr;
    }

    int countPopups (juce::Component& editor)
    {
        int n = 0;

        for (auto* child : editor.getChildren())
            if (dynamic_cast<ParameterInfo*> (child) != nullptr)
                ++n;

        return n;
    }

    /** The editor of the product skin on a real window, with the mouse. */
    class Gestures : public edtest::ShownEditorTest
    {
    protected:
        Gestures() : edtest::ShownEditorTest ({ "1180" }, false) {}

        void SetUp() override
        {
            edtest::ShownEditorTest::SetUp();

            if (! IsSkipped() && ! HasFatalFailure())
            {
                ASSERT_NE (editor().getRootPanel(), nullptr);
            }
        }

        ParameterManager& manager() { return rig->getPlugin().getParameterManager(); }

        juce::Component& control (const juce::String& name)
        {
            auto* c = findControl (*editor().getRootPanel(), name);
            EXPECT_NE (c, nullptr) << name;
            return *c;
        }

        Parameter& parameter (const juce::String& name)
        {
            auto* p = manager().getParameterByName (name);
            EXPECT_NE (p, nullptr) << name;
            return *p;
        }

        juce::String valueMessage (Parameter& p)
        {
            return rig->getPlugin().getParameterDisplayName (p.getId()) + ": " + p.getValueText();
        }
    };
}

TEST_F (Gestures, ShiftClickRestoresAnyControlFromTheReloadPreset)
{
    auto& cutoff = parameter ("Filter Cutoff");
    const float restored = cutoff.getValue();
    cutoff.setNormalisedValue (0.9f, true);
    ASSERT_NE (cutoff.getValue(), restored);

    mouse->click (control ("FilterCutoff"), juce::ModifierKeys::leftButtonModifier, juce::ModifierKeys::shiftModifier);
    EXPECT_FLOAT_EQ (cutoff.getValue(), restored);
    EXPECT_EQ (editor().restored, juce::Array<Parameter*> ({ &cutoff }));
    EXPECT_EQ (editor().getStatusBar()->getText(), valueMessage (cutoff));
    EXPECT_EQ (editor().getStatusBar()->getLevel(), 6);

    // Switches too, which ignore double clicks (the plug-in keeps the quality out of presets,
    // so the restore leaves its value alone).
    auto& quality = parameter ("Processing Quality");
    const float qualityValue = quality.getValue();
    mouse->click (control ("Quality"), juce::ModifierKeys::leftButtonModifier, juce::ModifierKeys::shiftModifier);
    EXPECT_EQ (editor().restored.getLast(), &quality);
    EXPECT_FLOAT_EQ (quality.getValue(), qualityValue);
}

TEST_F (Gestures, DoubleClickRestoresWhereTheControlAllowsIt)
{
    auto& mix = parameter ("Mix");
    const float restored = mix.getValue();
    mix.setNormalisedValue (mix.getNormalisedValue() > 0.5f ? 0.1f : 0.9f, true);
    const float changed = mix.getValue();

    // A text display and a knob whose "paramReset" is off restore nothing.
    mouse->doubleClick (control ("MixValue"));
    EXPECT_FLOAT_EQ (mix.getValue(), changed);

    auto& knob = dynamic_cast<ImgKnob&> (control ("Mix"));
    knob.setResetAllowed (false);
    mouse->doubleClick (knob);
    EXPECT_FLOAT_EQ (mix.getValue(), changed);
    EXPECT_TRUE (editor().restored.isEmpty());

    knob.setResetAllowed (true);
    test::pump (600);   // no triple click
    mouse->doubleClick (knob);
    EXPECT_FLOAT_EQ (mix.getValue(), restored);
    EXPECT_EQ (editor().restored, juce::Array<Parameter*> ({ &mix }));

    // A switch steps on its clicks: a double click restores nothing.
    editor().restored.clear();
    test::pump (600);
    mouse->doubleClick (control ("Quality"));
    EXPECT_TRUE (editor().restored.isEmpty());
}

TEST_F (Gestures, RightClickOpensTheLearnPopupBesideTheControl)
{
    auto& left = control ("SampleRate");
    auto& right = control ("OutputLevel");

    mouse->click (left, juce::ModifierKeys::rightButtonModifier);
    auto* popup = editor().getParameterInfo();
    ASSERT_NE (popup, nullptr);
    EXPECT_TRUE (popup->isShowing());
    EXPECT_EQ (editor().getFrontComponent(), popup);
    EXPECT_TRUE (popup->hasParameter (&parameter ("Sample Rate")));
    const auto leftBounds = editor().getLocalArea (&left, left.getLocalBounds());
    EXPECT_EQ (popup->getX(), leftBounds.getRight() + 5);
    EXPECT_EQ (popup->getBounds().getCentreY(), leftBounds.getCentreY());

    // The same control again closes it, and it stays closed; a third right-click reopens it.
    test::pump (30);
    const auto centre = left.getLocalBounds().getCentre();
    mouse->press (left, centre, juce::ModifierKeys::rightButtonModifier);
    test::pump (30);
    EXPECT_EQ (editor().getParameterInfo(), nullptr);
    mouse->release (left, centre);
    juce::ModifierKeys::currentModifiers = {};
    test::pump (30);
    EXPECT_EQ (editor().getParameterInfo(), nullptr);
    EXPECT_EQ (countPopups (editor()), 0);
    mouse->click (left, juce::ModifierKeys::rightButtonModifier);
    test::pump (30);
    ASSERT_NE (editor().getParameterInfo(), nullptr);
    EXPECT_TRUE (editor().getParameterInfo()->isShowing());
    popup = editor().getParameterInfo();

    // Near the right edge it opens to the left; the old one goes, once.
    mouse->click (right, juce::ModifierKeys::rightButtonModifier);
    auto* second = editor().getParameterInfo();
    ASSERT_NE (second, nullptr);
    EXPECT_NE (second, popup);
    const auto rightBounds = editor().getLocalArea (&right, right.getLocalBounds());
    EXPECT_EQ (second->getRight(), rightBounds.getX() - 5);
    test::pump (30);
    EXPECT_EQ (countPopups (editor()), 1);

    // A press elsewhere closes it.
    mouse->click (*editor().getRootPanel());
    EXPECT_EQ (editor().getParameterInfo(), nullptr);
    test::pump (30);
    EXPECT_EQ (countPopups (editor()), 0);
}

TEST_F (Gestures, ThePopupLearnsTheFirstControllerAndCarriesItsToggle)
{
    auto& map = rig->getPlugin().getMidiControlMap();
    auto& rate = parameter ("Sample Rate");
    auto& cutoff = parameter ("Filter Cutoff");
    map.clear();

    mouse->click (control ("SampleRate"), juce::ModifierKeys::rightButtonModifier);
    auto* popup = editor().getParameterInfo();
    ASSERT_NE (popup, nullptr);
    EXPECT_EQ (popup->getControllerText(), "No CC");
    EXPECT_FALSE (popup->getOption());

    mouse->click (popup->getLearnToggle());
    EXPECT_TRUE (popup->getOption());
    EXPECT_EQ (map.getLearnTarget(), &rate);
    ASSERT_NE (editor().getParameterInfo(), nullptr) << "a press inside the pop-up keeps it open";

    map.handleController (21, 64);
    ASSERT_TRUE (test::pumpUntil ([&] { return popup->getControllerText() == "CC 21"; }));
    EXPECT_FALSE (map.isLearning());
    EXPECT_EQ (map.getParameter (21), &rate);
    EXPECT_FALSE (popup->getOption());

    // Armed when the next pop-up opens: it goes on learning for its own parameter.
    mouse->click (popup->getLearnToggle());
    mouse->click (control ("FilterCutoff"), juce::ModifierKeys::rightButtonModifier);
    ASSERT_NE (editor().getParameterInfo(), nullptr);
    EXPECT_TRUE (editor().getParameterInfo()->getOption());
    EXPECT_EQ (map.getLearnTarget(), &cutoff);

    // Closing while armed cancels: nothing learnt, the map as it was.
    test::pump (20);
    map.handleController (30, 10);
    mouse->click (*editor().getRootPanel());
    EXPECT_FALSE (map.isLearning());
    EXPECT_EQ (map.getParameter (30), nullptr);
    EXPECT_EQ (map.getParameter (21), &rate);
}

TEST_F (Gestures, ThePopupClosedFromItsOwnKeyHandlerIsDeletedAfterwards)
{
    mouse->click (control ("Dither"), juce::ModifierKeys::rightButtonModifier);
    auto* popup = editor().getParameterInfo();
    ASSERT_NE (popup, nullptr);

    EXPECT_TRUE (popup->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_EQ (editor().getParameterInfo(), nullptr);
    test::pump (30);
    EXPECT_EQ (countPopups (editor()), 0);
}

TEST_F (Gestures, SomeParametersGetNoPopup)
{
    // The preset name is text; commands are the plug-in's own.
    editor().openParameterInfo (manager().getParameterByIndex (CommandParameter::presetNameId), &editor());
    EXPECT_EQ (editor().getParameterInfo(), nullptr);
    editor().openParameterInfo (manager().getParameterByIndex (CommandParameter::optionsId), &editor());
    EXPECT_EQ (editor().getParameterInfo(), nullptr);
}

TEST_F (Gestures, ControlsReportTheirValueInTheStatusBar)
{
    auto& knob = control ("FilterResonance");
    auto& resonance = parameter ("Filter Resonance");
    const auto centre = knob.getLocalBounds().getCentre();

    mouse->press (knob, centre, juce::ModifierKeys::leftButtonModifier);
    mouse->press (knob, centre.translated (0, -40), juce::ModifierKeys::leftButtonModifier);
    mouse->release (knob, centre.translated (0, -40));
    EXPECT_EQ (editor().getStatusBar()->getText(), valueMessage (resonance));

    // "@" shows the name alone; an empty text shows nothing.
    editor().getStatusBar()->clearMessage (-1);
    auto* options = manager().getParameterByIndex (CommandParameter::optionsId);
    ASSERT_EQ (options->getValueText(), "@");
    editor().showParameterValue (options);
    EXPECT_EQ (editor().getStatusBar()->getText(), rig->getPlugin().getParameterDisplayName (CommandParameter::optionsId));

    editor().getStatusBar()->clearMessage (-1);
    auto* name = manager().getParameterByIndex (CommandParameter::presetNameId);
    name->setText ({}, false);
    ASSERT_TRUE (name->getValueText().isEmpty());
    editor().showParameterValue (name);
    EXPECT_EQ (editor().getStatusBar()->getText(), "");

    // While the learn pop-up is open, controls leave the status bar alone.
    mouse->click (knob, juce::ModifierKeys::rightButtonModifier);
    ASSERT_NE (editor().getParameterInfo(), nullptr);
    editor().controlDragEnded (dynamic_cast<GUIController*> (&knob));
    EXPECT_EQ (editor().getStatusBar()->getText(), "");
}

TEST_F (Gestures, TheOptionsButtonIsAMomentaryCommand)
{
    auto* button = editor().getCommandButton (CommandParameter::optionsId);
    ASSERT_NE (button, nullptr);
    auto* command = manager().getParameterByIndex (CommandParameter::optionsId);
    auto* window = editor().getOptionsWindow();

    for (int click = 0; click < 2; ++click)
    {
        const auto centre = button->getLocalBounds().getCentre();
        mouse->press (*button, centre, juce::ModifierKeys::leftButtonModifier);
        mouse->release (*button, centre);
        test::pump (40);
        EXPECT_TRUE (window->isShowing()) << "click " << click;
        EXPECT_FALSE (command->getBoolValue());
        window->hide();
    }
}

TEST_F (Gestures, CommandButtonsReadOneWhileHeldAndNeverLoseAClick)
{
    auto* button = editor().getCommandButton (CommandParameter::presetPreviousId);
    ASSERT_NE (button, nullptr);
    auto* command = manager().getParameterByIndex (CommandParameter::presetPreviousId);
    ASSERT_NE (command, nullptr);

    struct Deliveries : public Parameter::Listener
    {
        int ones = 0;
        void parameterChanged (Parameter* p) override { ones += p->getBoolValue() ? 1 : 0; }
    } delivered;

    command->addListener (&delivered);
    const auto centre = button->getLocalBounds().getCentre();

    // JUCE's usual order, the release before the click: two quick clicks are two commands.
    for (int click = 0; click < 2; ++click)
    {
        mouse->press (*button, centre, juce::ModifierKeys::leftButtonModifier);
        mouse->release (*button, centre);
        EXPECT_FALSE (command->getBoolValue()) << "click " << click;
    }

    EXPECT_EQ (delivered.ones, 2);
    test::pump (40);
    EXPECT_EQ (delivered.ones, 2);
    EXPECT_FALSE (command->getBoolValue());

    // The click before the release (a button that fires on the press): 1 until the release.
    button->setTriggeredOnMouseDown (true);
    mouse->press (*button, centre, juce::ModifierKeys::leftButtonModifier);
    EXPECT_TRUE (command->getBoolValue());
    test::pump (40);
    EXPECT_TRUE (command->getBoolValue());
    EXPECT_EQ (delivered.ones, 3);
    mouse->release (*button, centre);
    EXPECT_FALSE (command->getBoolValue());
    test::pump (40);
    EXPECT_EQ (delivered.ones, 3);
    command->removeListener (&delivered);
}

TEST_F (Gestures, EachCommandButtonSendsItsCommandAndWithTheCommandKeyItsAlternative)
{
    struct Deliveries : public Parameter::Listener
    {
        std::map<int, int> ones;
        void parameterChanged (Parameter* p) override { ones[p->getId()] += p->getBoolValue() ? 1 : 0; }
    } delivered;

    for (const auto& command : CommandParameter::table)
    {
        if (command.button == nullptr)
            continue;

        auto* button = editor().getCommandButton (command.id);
        ASSERT_NE (button, nullptr) << command.button;
        auto* main = manager().getParameterByIndex (command.id);
        auto* alternative = manager().getParameterByIndex (command.alternativeId);
        ASSERT_NE (main, nullptr) << command.name;
        ASSERT_NE (alternative, nullptr) << command.name;
        main->addListener (&delivered);
        alternative->addListener (&delivered);

        for (const auto keys : { juce::ModifierKeys(), juce::ModifierKeys (juce::ModifierKeys::commandModifier) })
        {
            mouse->click (*button, juce::ModifierKeys::leftButtonModifier, keys);
            test::pump (40);
            // "Options" opens its window over the skin, Command-"Options" the about window,
            // "PresetBrowse" the browser.
            editor().getOptionsWindow()->hide();
            editor().aboutWindowClosed();

            if (auto* browser = editor().getContentBrowser(); browser != nullptr && browser->isVisible())
                browser->close (false);
        }

        EXPECT_EQ (delivered.ones[command.id], 1) << command.name;
        EXPECT_EQ (delivered.ones[command.alternativeId], 1) << command.name;
        EXPECT_FALSE (main->getBoolValue()) << command.name;
        EXPECT_FALSE (alternative->getBoolValue()) << command.name;
        main->removeListener (&delivered);
        alternative->removeListener (&delivered);
    }
}

TEST_F (Gestures, TheHiddenCommandWordShowsTheSecondaryBuildText)
{
    auto* name = manager().getParameterByIndex (CommandParameter::presetNameId);
    ImgAnim probe ("probe");
    probe.setParameter (name);
    name->setText ("trombix", false);

    // Not while the build text is "0", nor for another parameter.
    editor().hiddenCommandId = CommandParameter::presetNameId;
    editor().handleHiddenCommand (&probe);
    EXPECT_FALSE (editor().getStatusBar()->getText().startsWith ("trombix"));

    rig->getPlugin().buildText = "417";
    editor().hiddenCommandId = -1;
    editor().handleHiddenCommand (&probe);
    EXPECT_FALSE (editor().getStatusBar()->getText().startsWith ("trombix"));

    editor().hiddenCommandId = CommandParameter::presetNameId;
    editor().handleHiddenCommand (&probe);
    EXPECT_EQ (editor().getStatusBar()->getText(), "trombix: 417");
    probe.setParameter (nullptr);
}
