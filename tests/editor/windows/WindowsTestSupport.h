#pragma once

#include "editor/windows/AlertWindow.h"
#include "editor/windows/FrontWindow.h"
#include "editor/windows/ModalComponent.h"
#include "support/TestMouse.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace wintest
{
    /** Stands in for the editor: hosts modal components and the front layer. */
    class TestDesktop : public juce::Component,
                        public ModalComponent::Desktop,
                        public FrontWindow
    {
    public:
        TestDesktop (int w = 800, int h = 600) : FrontWindow (static_cast<juce::Component&> (*this))
        {
            setSize (w, h);
        }

        juce::Rectangle<int> getDesktopArea() override { return area.isEmpty() ? getLocalBounds() : area; }
        juce::Rectangle<int> area;
    };

    /** Records the answers of alerts; can delete the alert from inside its own callback. */
    class RecordingCaller : public Orvik::AlertWindow::Caller
    {
    public:
        void alertWindowClosed (Orvik::AlertWindow* alert, int kind) override
        {
            answers.add (kind);
            alerts.add (alert);

            if (deleteOnAnswer != nullptr && deleteOnAnswer->get() == alert)
                deleteOnAnswer->reset();
        }

        juce::Array<int> answers;
        juce::Array<Orvik::AlertWindow*> alerts;
        std::unique_ptr<Orvik::AlertWindow>* deleteOnAnswer = nullptr;
    };

    /** A mouse event on component at a local position, as JUCE would pass it. */
    juce::MouseEvent mouseEvent (juce::Component& component, juce::Point<int> local,
                                 juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier,
                                 juce::Component* originator = nullptr, int clicks = 1);

    /** Clicks a button through JUCE's own click path and delivers the click. */
    void click (juce::Button& button);

    using test::hasDisplay;
}
