#pragma once

#include "core/ModulationMatrix.h"
#include "core/parameters/FloatParameter.h"
#include "skin/PackageSkin.h"
#include "skin/Panel.h"
#include "support/TestMouse.h"
#include "support/TestPlugin.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <map>

namespace widgettest
{
    using test::hasDisplay;

    /** The test plug-in with the widgets' test parameters and a modulation matrix model. */
    class WidgetPlugin : public test::TestPlugin
    {
    public:
        WidgetPlugin();
        ModulationMatrix* getModulationMatrix() noexcept override { return &matrix; }

        /** A test parameter by name (fails the test when missing). */
        Parameter& parameter (const juce::String& name);

        ModulationMatrix matrix;
    };

    /** Counts the change gestures of every parameter, by name. */
    class GestureCounter : public Parameter::Listener
    {
    public:
        explicit GestureCounter (ParameterManager& manager);
        ~GestureCounter() override;

        void parameterChanged (Parameter*) override {}
        void parameterGestureBegan (Parameter* p) override { ++begun[p->getName()]; }
        void parameterGestureEnded (Parameter* p) override { ++ended[p->getName()]; }

        int begins (const juce::String& name) const;
        int ends (const juce::String& name) const;
        int totalBegins() const;
        int totalEnds() const;
        void reset();

    private:
        ParameterManager& manager;
        std::map<juce::String, int> begun, ended;
    };

    /** One family's test skin, built by the skin builder, loaded from its package as the
        editor loads a skin and shown in a real window. */
    class SkinWindow
    {
    public:
        explicit SkinWindow (const juce::String& family);
        ~SkinWindow();

        bool isLoaded() const { return root != nullptr; }
        template <class Widget>
        Widget& widget (const juce::String& name)
        {
            auto* w = skin->findComponent<Widget> (name);
            EXPECT_NE (w, nullptr) << name;
            return *w;
        }

        /** Mouse input through the window's peer: JUCE finds the component under the
            pointer and calls its handlers and listeners. Positions are in target's
            coordinates. */
        void move (juce::Component& target, juce::Point<int> p);
        void press (juce::Component& target, juce::Point<int> p, juce::ModifierKeys keys = {});
        void drag (juce::Component& target, juce::Point<int> p, juce::ModifierKeys keys = {});
        void release (juce::Component& target, juce::Point<int> p, juce::ModifierKeys keys = {});
        void wheel (juce::Component& target, juce::Point<int> p, float deltaY);

        /** Writes the window as a PNG into the build's snapshot folder; the file. */
        juce::File snapshot (const juce::String& name);

        WidgetPlugin plugin;
        GestureCounter gestures { plugin.getParameterManager() };
        std::unique_ptr<PackageSkin> skin;
        std::unique_ptr<juce::Component> root;
        juce::Component window;

    private:
        juce::ModifierKeys buttons;
    };
}

/** Skips a test that needs real windows when there is no X server. */
#define WIDGET_WINDOW_OR_SKIP(w) \
    SKIP_WITHOUT_DISPLAY();      \
    ASSERT_TRUE ((w).isLoaded())
