#include "skin/ContainedComponent.h"
#include "skin/CircularScaleContainer.h"
#include "skin/FrameContainer.h"
#include "skin/LabelContainer.h"
#include "skin/LinearScaleContainer.h"

ContainedComponent::Container::Container (const juce::ValueTree&, juce::Component& widget)
    : content (&widget)
{
    setInterceptsMouseClicks (false, true);
    widget.addComponentListener (this);
}

ContainedComponent::Container::~Container()
{
    cancelPendingUpdate();

    if (auto* widget = content.getComponent())
        widget->removeComponentListener (this);
}

juce::BorderSize<int> ContainedComponent::Container::getContentOffset() const { return {}; }
void ContainedComponent::Container::updateLayout() {}
void ContainedComponent::Container::paintDecoration (juce::Graphics&) {}
void ContainedComponent::Container::updateDecorationVisibility() {}

void ContainedComponent::Container::componentParentHierarchyChanged (juce::Component& component)
{
    auto* widget = content.getComponent();

    if (&component != widget)
        return;

    auto* parent = widget->getParentComponent();

    if (parent == nullptr || parent == this)
        return;

    parent->addAndMakeVisible (this);
    addAndMakeVisible (widget);

    if (! laidOut)
    {
        laidOut = true;
        componentMovedOrResized (*widget, true, true);
    }
}

void ContainedComponent::Container::componentMovedOrResized (juce::Component& component, bool wasMoved, bool wasResized)
{
    auto* widget = content.getComponent();

    if (&component != widget || widget->getParentComponent() != this)
        return;

    auto offset = getContentOffset();

    if (wasResized)
    {
        updateLayout();
        const auto newOffset = getContentOffset();
        setSize (widget->getWidth() + newOffset.getLeftAndRight(),
                 widget->getHeight() + newOffset.getTopAndBottom());

        // A changed offset moves the widget inside; that move must not count as a request.
        if (newOffset != offset && ! wasMoved && ! isUpdatePending())
        {
            triggerAsyncUpdate();
            wasMoved = true;
        }

        offset = newOffset;
    }

    if (wasMoved)
    {
        // The widget is positioned in its container's parent's coordinates (the skin's x and
        // y, or a later move by code); our own move below finds the update pending.
        if (! isUpdatePending())
        {
            requestedPosition = widget->getPosition();
            triggerAsyncUpdate();
        }

        widget->setTopLeftPosition (offset.getLeft(), offset.getTop());
    }
}

void ContainedComponent::Container::componentVisibilityChanged (juce::Component& component)
{
    auto* widget = content.getComponent();

    if (&component == widget && widget->getParentComponent() == this)
        setVisible (widget->isVisible());
}

void ContainedComponent::Container::componentBeingDeleted (juce::Component& component)
{
    if (&component == content.getComponent())
        component.removeComponentListener (this);
}

void ContainedComponent::Container::handleAsyncUpdate()
{
    setContainedPosition (requestedPosition);
}

void ContainedComponent::Container::setContainedPosition (juce::Point<int> p)
{
    requestedPosition = p;
    const auto offset = getContentOffset();
    setTopLeftPosition (p.x - offset.getLeft(), p.y - offset.getTop());
}

void ContainedComponent::Container::setDecorationVisible (bool shouldBeVisible)
{
    if (decorationVisible == shouldBeVisible)
        return;

    decorationVisible = shouldBeVisible;
    updateDecorationVisibility();
    repaint();
}

void ContainedComponent::Container::paint (juce::Graphics& g)
{
    if (decorationVisible)
        paintDecoration (g);
}

juce::Rectangle<int> ContainedComponent::Container::getContentBoundsInContainer() const
{
    if (auto* widget = content.getComponent())
        if (widget->getParentComponent() == this)
            return widget->getBounds();

    const auto offset = getContentOffset();
    return { offset.getLeft(), offset.getTop(), 0, 0 };
}

//==============================================================================
ContainedComponent::ContainedComponent() = default;

ContainedComponent::~ContainedComponent() = default;

void ContainedComponent::createContainer (const juce::ValueTree& element, juce::Component& widget)
{
    const auto node = element.getChildWithName ("Container");

    if (! node.isValid() || ! node.hasProperty ("type"))
        return;

    const auto type = node["type"].toString();
    std::unique_ptr<Container> made;

    if (type == "CircularScale")
        made = std::make_unique<CircularScaleContainer> (node, widget);
    else if (type == "Label")
        made = std::make_unique<LabelContainer> (node, widget);
    else if (type == "Frame")
        made = std::make_unique<FrameContainer> (node, widget);
    else if (type == "LinearScale")
        made = std::make_unique<LinearScaleContainer> (node, widget);
    else
        return;

    // A widget already inside the old container goes back to that container's parent at the
    // position it asked for, where the new container takes it in.
    if (container != nullptr && widget.getParentComponent() == container.get())
    {
        if (auto* parent = container->getParentComponent())
        {
            widget.removeComponentListener (container.get());
            widget.setTopLeftPosition (container->getRequestedPosition());
            parent->addAndMakeVisible (widget);
        }
    }

    container = std::move (made);
}
