#include "skin/widgets/GFXRocker.h"
#include "skin/StandardWidgetBuilder.h"

namespace
{
    const char* const actionNames[] = { "onLessClick", "onMoreClick", "onLessClickWithCtrl", "onMoreClickWithCtrl" };
}

GFXRocker::GFXRocker (const juce::String& name)
    : juce::Component (name), BaseGFXController (*this, 0, false)
{
}

GFXRocker::GFXRocker (const juce::ValueTree& element, Skin& skin)
    : GFXRocker (element.getProperty ("name").toString())
{
    loadFromXml (element, skin);
}

GFXRocker::~GFXRocker() = default;

void GFXRocker::loadFromXml (const juce::ValueTree& element, Skin& skin)
{
    GUIController::loadFromXml (element, skin);
    BaseGFXController::loadFromXml (element, skin);

    if (element.hasType (SkinElementType::Rocker))
    {
        const auto type = element.getProperty ("type", "vertical").toString();

        if (type == "vertical")
            orientation = vertical;
        else if (type == "horizontal")
            orientation = horizontal;
    }

    // The skin may give the codes too; code may set them later.
    for (auto* name : actionNames)
        if (element.hasProperty (name))
            setAction (name, (int) element.getProperty (name));

    repaint();
}

bool GFXRocker::setAction (const juce::String& name, int code)
{
    int* const fields[] = { &onLessClick, &onMoreClick, &onLessClickWithCtrl, &onMoreClickWithCtrl };

    for (int i = 0; i < 4; ++i)
    {
        if (name == actionNames[i])
        {
            *fields[i] = code;
            return true;
        }
    }

    return false;
}

void GFXRocker::mouseDown (const juce::MouseEvent& e)
{
    dragFlag = false;

    const bool more = orientation == horizontal ? e.x > getWidth() / 2 : e.y < getHeight() / 2;
    state = more ? morePressed : lessPressed;

    const bool command = e.mods.isCommandDown();
    const int action = more ? (command ? onMoreClickWithCtrl : onMoreClick)
                            : (command ? onLessClickWithCtrl : onLessClick);

    juce::Component::SafePointer<GFXRocker> safeThis (this);

    if (action != noAction)
        sendAction (action);

    if (safeThis != nullptr)
        repaint();
}

void GFXRocker::mouseDrag (const juce::MouseEvent& e)
{
    // Our choice: the pressed half shows while the pointer is over the rocker, the neutral
    // frame once it is dragged off.
    const bool off = ! getLocalBounds().contains (e.getPosition());

    if (off != dragFlag)
    {
        dragFlag = off;
        repaint();
    }
}

void GFXRocker::mouseUp (const juce::MouseEvent&)
{
    dragFlag = false;
    state = neutral;
    repaint();
}

void GFXRocker::paint (juce::Graphics& g)
{
    if (strip.isValid())
    {
        strip.drawFrame (g, getShownFrame(), { 0, 0, strip.getFrameWidth(), strip.getFrameHeight() });
        return;
    }

    const int w = getWidth(), h = getHeight();
    const auto shade = [this] (int pressedState) { return juce::Colour::greyLevel (getShownFrame() == pressedState ? 0.5f : 0.7f); };

    g.fillAll (juce::Colour::greyLevel (0.9f));

    if (orientation == horizontal)
    {
        g.setColour (shade (lessPressed));
        g.fillRect (0, 0, w / 2 - 1, h);
        g.setColour (shade (morePressed));
        g.fillRect (w / 2 + 1, 0, w / 2 - 1, h);
    }
    else
    {
        g.setColour (shade (morePressed));
        g.fillRect (0, 0, w, h / 2 - 1);
        g.setColour (shade (lessPressed));
        g.fillRect (0, h / 2 + 1, w, h / 2 - 1);
    }

    g.setColour (juce::Colours::black);
    g.drawRect (0, 0, w, h, 1);
}
