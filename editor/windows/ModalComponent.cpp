#include "editor/windows/ModalComponent.h"

ModalComponent::ModalComponent (const juce::String& name)
    : juce::Component (name), coveringWindow (*this)
{
}

ModalComponent::~ModalComponent()
{
    // The covering window dies with us: take it out of the editor and leave it first, so
    // neither tree keeps a pointer into the other.
    if (auto* parent = coveringWindow.getParentComponent())
        parent->removeChildComponent (&coveringWindow);

    if (getParentComponent() == &coveringWindow)
    {
        attaching = true;
        coveringWindow.removeChildComponent (this);
    }
}

bool ModalComponent::isInCoveringWindow() const noexcept
{
    return getParentComponent() == &coveringWindow && coveringWindow.getParentComponent() != nullptr;
}

void ModalComponent::attachToDesktop()
{
    if (isInCoveringWindow())
        return;

    juce::Component* desktop = nullptr;

    for (auto* c = static_cast<juce::Component*> (this); c != nullptr; c = c->getParentComponent())
    {
        if (dynamic_cast<Desktop*> (c) != nullptr)
        {
            desktop = c;
            break;
        }
    }

    if (desktop == nullptr)
        return;

    // Moving into the covering window changes our parent twice; that is not the re-parenting
    // that releases the covering window.
    const juce::ScopedValueSetter<bool> setter (attaching, true);
    desktop->addChildComponent (coveringWindow, -1);
    coveringWindow.addChildComponent (this);
    coveringWindow.setVisible (false);
    coveringWindow.toBack();
}

void ModalComponent::show (juce::Component* relativeTo, juce::Point<int> newPosition, PositionMode mode)
{
    attachToDesktop();

    if (isInCoveringWindow() && ! coveringWindow.isVisible())
    {
        positionMode = mode;
        // The position is where our top-left corner goes, so it is taken into our parent's
        // coordinates (the covering window's), not our own.
        position = relativeTo != nullptr ? coveringWindow.getLocalPoint (relativeTo, newPosition)
                                         : newPosition;
        coveringWindow.setVisible (true);
        coveringWindow.toFront (true);
        updatePosition();
    }

    setVisible (true);

    if (getWantsKeyboardFocus() && isEnabled())
        focusWhenShown (*this);
}

void ModalComponent::showAt (juce::Component* relativeTo, juce::Point<int> newPosition)
{
    show (relativeTo, newPosition, AtPosition);
}

void ModalComponent::hide()
{
    deferredFocus.cancel();
    setVisible (false);

    if (isInCoveringWindow() && coveringWindow.isVisible())
    {
        coveringWindow.setVisible (false);
        coveringWindow.toBack();
    }
}

void ModalComponent::updatePosition()
{
    if (positionMode == AtPosition)
    {
        setTopLeftPosition (position);
        return;
    }

    if (! isInCoveringWindow())
        return;

    if (auto* desktop = dynamic_cast<Desktop*> (coveringWindow.getParentComponent()))
    {
        const auto area = desktop->getDesktopArea();
        setCentrePosition (area.getWidth() / 2, area.getHeight() / 2);
    }
}

void ModalComponent::parentHierarchyChanged()
{
    if (attaching)
        return;

    if (getParentComponent() != &coveringWindow)
    {
        if (auto* parent = coveringWindow.getParentComponent())
        {
            parent->removeChildComponent (&coveringWindow);
            coveringWindow.setVisible (false);
        }
    }
}

void ModalComponent::resized()
{
    updatePosition();
}

//==============================================================================
ModalComponent::CoveringWindow::CoveringWindow (ModalComponent& o)
    : owner (o)
{
    setInterceptsMouseClicks (true, true);
}

void ModalComponent::CoveringWindow::paint (juce::Graphics& g)
{
    if (owner.dimsBackground())
        g.fillAll (juce::Colours::white.withAlpha (0.25f));
}

void ModalComponent::CoveringWindow::resized()
{
    owner.updatePosition();
}

void ModalComponent::CoveringWindow::parentSizeChanged()
{
    fitToParent();
}

void ModalComponent::CoveringWindow::parentHierarchyChanged()
{
    fitToParent();
}

void ModalComponent::CoveringWindow::fitToParent()
{
    if (auto* parent = getParentComponent())
        setBounds (parent->getLocalBounds());
}
