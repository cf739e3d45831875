#include "skin/Panel.h"
#include "skin/ContainedComponent.h"
#include "skin/Skin.h"
#include "skin/StandardWidgetBuilder.h"

Panel::Panel (const juce::ValueTree& element, Skin& skin)
    : FrameComponent (element)
{
    if (! element.isValid())
        return;

    setTopLeftPosition (readCoordinateAttribute (element, "x"), readCoordinateAttribute (element, "y"));

    if (element.hasProperty ("background"))
    {
        const auto name = element.getProperty ("background").toString();

        if (! setBackground (skin.loadImage (name)))
            skin.log ("Skin image missing or unreadable: \"" + name + "\"");
    }

    if (! background.isValid())
        setSize (readSizeAttribute (element, "w"), readSizeAttribute (element, "h"));

    if (getWidth() < 1 || getHeight() < 1)
        setSize (defaultSize, defaultSize);

    for (const auto& child : element.getChildWithName ("controls"))
        addControl (skin.createComponent (child));
}

Panel::~Panel()
{
    // Children go before the image they may still paint with.
    controls.clear();
    background = {};
}

bool Panel::setBackground (const juce::Image& image)
{
    if (image == background)
        return background.isValid();

    background = image;

    if (background.isValid())
    {
        setSize (background.getWidth(), background.getHeight());
        setFillEnabled (false);
    }
    else
    {
        setFillEnabled (true);
    }

    return background.isValid();
}

void Panel::addControl (std::unique_ptr<juce::Component> control)
{
    if (control == nullptr)
        return;

    auto* c = control.release();

    // One this panel already owns stays owned once.
    if (! controls.contains (c))
        controls.add (c);

    addAndMakeVisible (c);
}

void Panel::addControlListener (GUIController::Listener* listener)
{
    if (listener == nullptr)
        return;

    for (auto* c : controls)
    {
        if (auto* panel = dynamic_cast<Panel*> (c))
            panel->addControlListener (listener);
        else if (auto* controller = dynamic_cast<GUIController*> (c))
            controller->addListener (listener);
    }

    if (auto* parameterListener = dynamic_cast<ParameterController::Listener*> (listener))
        addParameterControllerListener (parameterListener);
}

void Panel::addParameterControllerListener (ParameterController::Listener* listener)
{
    for (auto* c : controls)
    {
        if (auto* panel = dynamic_cast<Panel*> (c))
            panel->addParameterControllerListener (listener);
        else if (auto* controller = dynamic_cast<ParameterController*> (c))
            controller->addListener (listener);
    }
}

void Panel::paint (juce::Graphics& g)
{
    if (background.isValid())
        g.drawImage (background, 0, 0, getWidth(), getHeight(), 0, 0, getWidth(), getHeight());

    FrameComponent::paint (g);
}
