#include "editor/windows/FrontWindow.h"

FrontWindow::FrontWindow (juce::Component& o)
    : owner (o), hider (*this)
{
    owner.addComponentListener (&hider);
}

FrontWindow::~FrontWindow()
{
    // The pop-up outlives us (its widget owns it): it must not keep calling the hider.
    if (auto* popup = front.getComponent())
    {
        popup->removeComponentListener (&hider);
        owner.removeChildComponent (popup);
    }

    front = nullptr;
    owner.removeComponentListener (&hider);
    owner.removeMouseListener (&hider);
}

FrontWindow* FrontWindow::findFrontWindow (juce::Component* component)
{
    for (auto* c = component; c != nullptr; c = c->getParentComponent())
        if (auto* fw = dynamic_cast<FrontWindow*> (c))
            return fw;

    return nullptr;
}

void FrontWindow::show (juce::Component* caller, juce::Component* popup, juce::Component* anchor,
                        int popupJustification, int anchorJustification, juce::Point<int> offset)
{
    if (auto* fw = findFrontWindow (caller))
        fw->showFront (caller, popup, anchor, popupJustification, anchorJustification, offset);
}

void FrontWindow::showFront (juce::Component* caller, juce::Component* popup, juce::Component* anchor,
                             int popupJustification, int anchorJustification, juce::Point<int> offset)
{
    if (popup == nullptr)
        return;

    if (anchor == nullptr)
        anchor = &owner;

    const auto area = owner.getLocalArea (anchor, anchor->getLocalBounds());
    const int w = popup->getWidth(), h = popup->getHeight();

    const int x = (anchorJustification & juce::Justification::horizontallyCentred) != 0 ? area.getX() + area.getWidth() / 2
        : (anchorJustification & juce::Justification::right) != 0                       ? area.getRight()
                                                                                        : area.getX();
    const int y = (anchorJustification & juce::Justification::verticallyCentred) != 0 ? area.getY() + area.getHeight() / 2
        : (anchorJustification & juce::Justification::bottom) != 0                    ? area.getBottom()
                                                                                      : area.getY();
    const int dx = (popupJustification & juce::Justification::horizontallyCentred) != 0 ? w / 2
        : (popupJustification & juce::Justification::right) != 0                        ? w
                                                                                        : 0;
    const int dy = (popupJustification & juce::Justification::verticallyCentred) != 0 ? h / 2
        : (popupJustification & juce::Justification::bottom) != 0                     ? h
                                                                                      : 0;

    popup->setBounds (juce::Rectangle<int> (x - dx + offset.x, y - dy + offset.y, w, h)
                          .constrainedWithin (owner.getLocalBounds()));

    if (front != popup)
    {
        hideFront();
        front = popup;
        owner.addAndMakeVisible (popup, -1);
        popup->sendLookAndFeelChange();
        popup->addComponentListener (&hider);
        // Listening to presses starts after this event, so the press that opened the pop-up
        // does not close it.
        hider.triggerAsyncUpdate();
    }

    callback = dynamic_cast<Callback*> (caller);
}

bool FrontWindow::hide (juce::Component* component, juce::Component* popup)
{
    if (auto* fw = findFrontWindow (component))
        return fw->closeIfFront (popup);

    return false;
}

bool FrontWindow::closeIfFront (juce::Component* popup)
{
    if (popup == nullptr || front != popup)
        return false;

    closeFront (popup, nullptr);
    return true;
}

void FrontWindow::hideFront()
{
    if (auto* popup = front.getComponent())
        closeFront (popup, nullptr);

    owner.removeMouseListener (&hider);
}

void FrontWindow::closeFront (juce::Component* popup, juce::Component* pressedComponent)
{
    if (popup == nullptr)
        return;

    front = nullptr;
    hider.cancelPendingUpdate();
    popup->setVisible (false);
    popup->removeComponentListener (&hider);
    owner.removeChildComponent (popup);
    owner.removeMouseListener (&hider);

    if (callback != nullptr)
        callback->frontWindowClosed (popup, pressedComponent);
}

//==============================================================================
FrontWindow::Hider::Hider (FrontWindow& fw) : frontWindow (fw) {}

FrontWindow::Hider::~Hider()
{
    cancelPendingUpdate();
}

void FrontWindow::Hider::mouseDown (const juce::MouseEvent& e)
{
    auto* popup = frontWindow.front.getComponent();

    if (popup == nullptr)
        return;

    auto* pressed = e.originalComponent;

    if (pressed == popup || popup->isParentOf (pressed))
        return;

    frontWindow.closeFront (popup, pressed);
}

void FrontWindow::Hider::handleAsyncUpdate()
{
    if (frontWindow.front != nullptr)
        frontWindow.owner.addMouseListener (this, true);
}

void FrontWindow::Hider::componentBeingDeleted (juce::Component& component)
{
    if (&component == &frontWindow.owner)
        frontWindow.hideFront();
    else if (&component == frontWindow.front.getComponent())
        frontWindow.closeFront (&component, nullptr);
}

void FrontWindow::Hider::componentVisibilityChanged (juce::Component& component)
{
    if (&component == &frontWindow.owner)
        frontWindow.hideFront();
    else if (&component == frontWindow.front.getComponent() && ! component.isVisible())
        frontWindow.closeFront (&component, nullptr);
}

void FrontWindow::Hider::componentParentHierarchyChanged (juce::Component& component)
{
    if (&component == &frontWindow.owner)
        frontWindow.hideFront();
}
