#include "skin/widgets/ImgButton.h"
#include "skin/EmbeddedIcons.h"

const juce::Identifier ImgButton::toggleAttribute ("toggle");

ImgButton::ImgButton (const juce::ValueTree& element, Skin& skin)
    : ImgButton (element, skin, EmbeddedIconKey::imgButton)
{
}

ImgButton::ImgButton (const juce::ValueTree& element, Skin& skin, juce::uint32 iconKey)
    : juce::Button (element.getProperty ("name").toString()),
      BaseGFXController (*this, iconKey)
{
    setClickingTogglesState ((bool) element.getProperty (toggleAttribute, false));
    setWantsKeyboardFocus (false);
    BaseGFXController::loadFromXml (element, skin);
    GUIController::loadFromXml (element, skin);
    createContainer (element, *this);
}

ImgButton::~ImgButton() = default;

bool ImgButton::isParameterOn() const
{
    auto* p = getParameter();
    return p != nullptr && p->getNormalisedValue() >= 0.5f;
}

int ImgButton::getStateFrame() const
{
    const int count = strip.getFrameCount();
    const bool down = isDown();
    const bool on = getToggleState();

    if (count >= 4)
        return (on ? 2 : 0) + (down ? 1 : 0);

    if (count >= 2)
        return (on || down) ? 1 : 0;

    return 0;
}

void ImgButton::updateFromParameter()
{
    if (getParameter() != nullptr && getClickingTogglesState())
        setToggleState (isParameterOn(), juce::dontSendNotification);

    repaint();
}

void ImgButton::paintButton (juce::Graphics& g, bool, bool)
{
    strip.drawFrame (g, isActionRunning() ? getFrame() : getStateFrame(), getLocalBounds());
}

void ImgButton::mouseDown (const juce::MouseEvent& e)
{
    // The pop-up button belongs to the editor (MIDI learn); it does not press the button.
    if (e.mods.isPopupMenu())
        return;

    juce::Button::mouseDown (e);

    if (! isDown() || momentaryPressed)
        return;

    // Momentary values follow the mouse, not the button's painted state, which JUCE also
    // flashes on its own.
    momentaryPressed = true;
    notifyDragStarted();

    if (getParameter() != nullptr && isMomentary())
    {
        beginGesture();
        setParameterNormalised (1.0f);
        notifyValueChanged();
    }
}

void ImgButton::mouseUp (const juce::MouseEvent& e)
{
    juce::Button::mouseUp (e);

    if (! momentaryPressed)
        return;

    momentaryPressed = false;

    if (getParameter() != nullptr && isMomentary())
    {
        setParameterNormalised (0.0f);
        endGesture();
        notifyValueChanged();
    }

    notifyDragEnded();
}

void ImgButton::clicked()
{
    if (getParameter() != nullptr && getClickingTogglesState())
    {
        beginGesture();
        setParameterNormalised (getToggleState() ? 1.0f : 0.0f);
        endGesture();
        notifyValueChanged();
    }
}
