#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>

/** Mix-in of skin widgets that may be wrapped in a decorating container (a frame, a label, a
    circular or a linear scale), asked for by a "Container" child of the widget's element.

    The widget stays where the GUI description places it: the container grows around it by the
    room its decoration needs and follows the widget's moves, size changes and visibility.
*/
class ContainedComponent
{
public:
    class Container : public juce::Component,
                      public juce::ComponentListener,
                      public juce::AsyncUpdater
    {
    public:
        /** element: the "Container" node; widget: the contained widget (not owned). */
        Container (const juce::ValueTree& element, juce::Component& widget);
        ~Container() override;

        /** Room between the container's edges and the widget. */
        virtual juce::BorderSize<int> getContentOffset() const;
        /** Recomputes the decoration's geometry and the offset from the widget's size. */
        virtual void updateLayout();
        virtual void paintDecoration (juce::Graphics& g);
        /** Shows or hides the decoration's own child components. */
        virtual void updateDecorationVisibility();

        void componentParentHierarchyChanged (juce::Component& component) override;
        void componentMovedOrResized (juce::Component& component, bool wasMoved, bool wasResized) override;
        void componentVisibilityChanged (juce::Component& component) override;
        // Message thread: places the container once per turn of the message loop.
        void handleAsyncUpdate() override;

        void componentBeingDeleted (juce::Component& component) override;
        void paint (juce::Graphics& g) override;

        /** Moves the container so that the widget lands on p (in the container's parent). */
        void setContainedPosition (juce::Point<int> p);

        juce::Component* getContent() const noexcept { return content.getComponent(); }
        juce::Point<int> getRequestedPosition() const noexcept { return requestedPosition; }
        bool isLaidOut() const noexcept { return laidOut; }
        bool isDecorationVisible() const noexcept { return decorationVisible; }
        void setDecorationVisible (bool shouldBeVisible);

    protected:
        /** The widget's bounds inside the container. */
        juce::Rectangle<int> getContentBoundsInContainer() const;

    private:
        juce::Component::SafePointer<juce::Component> content;
        juce::Point<int> requestedPosition;
        bool laidOut = false;
        bool decorationVisible = true;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Container)
    };

    ContainedComponent();
    virtual ~ContainedComponent();

    /** Makes the container named by the "type" of element's "Container" child ("CircularScale",
        "Label", "Frame", "LinearScale") and replaces the current one; any other or no type
        leaves the widget as it is. Call after the widget has read its position and size. */
    void createContainer (const juce::ValueTree& element, juce::Component& widget);

    Container* getContainer() const noexcept { return container.get(); }

private:
    std::unique_ptr<Container> container;

    JUCE_DECLARE_NON_COPYABLE (ContainedComponent)
};
