#include "skin/widgets/EnumDisplay.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/EmbeddedIcons.h"

namespace
{
    constexpr int pickerItemHeight = 18, pickerMinWidth = 60;
}

EnumDisplay::EnumDisplay (const juce::String& name)
    : juce::Component (name), BaseGFXController (*this, EmbeddedIconKey::enumDisplay)
{
}

EnumDisplay::EnumDisplay (const juce::ValueTree& element, Skin& skin)
    : EnumDisplay (element.getProperty ("name").toString())
{
    BaseGFXController::loadFromXml (element, skin);
    GUIController::loadFromXml (element, skin);
    createContainer (element, *this);
}

EnumDisplay::~EnumDisplay()
{
    if (picker != nullptr)
        picker->close();
}

void EnumDisplay::updateFromParameter()
{
    if (auto* p = getParameter())
        setValue (p->getNormalisedValue());
}

void EnumDisplay::paint (juce::Graphics& g)
{
    drawCurrentFrame (g, getLocalBounds());
}

void EnumDisplay::mouseDown (const juce::MouseEvent& e)
{
    // Right clicks, shift-clicks and double clicks are the editor's (MIDI learn, restore).
    if (e.mods.isLeftButtonDown() && ! e.mods.isShiftDown() && e.getNumberOfClicks() == 1)
        showPicker();
}

void EnumDisplay::showPicker()
{
    auto* p = getParameter();

    if (p == nullptr || p->getItemNames().isEmpty() || FrontWindow::findFrontWindow (this) == nullptr)
        return;

    if (picker == nullptr)
        picker = std::make_unique<ButtonListPopup> (*this, pickerItemHeight, pickerMinWidth,
                                                    [this] (int index) { chooseItem (index); });

    picker->setItems (p->getItemNames(), p->getIntValue());
    picker->show();
}

bool EnumDisplay::isPickerOpen() const
{
    return picker != nullptr && picker->isOpen();
}

void EnumDisplay::chooseItem (int index)
{
    auto* p = getParameter();

    if (p == nullptr)
        return;

    notifyDragStarted();
    beginGesture();
    setParameterNormalised (p->normalise ((float) index));
    endGesture();
    notifyValueChanged();
    notifyDragEnded();
    updateFromParameter();
}

void EnumDisplay::frontWindowClosed (juce::Component*, juce::Component*)
{
    // The picker is kept for the next time.
}
