#include "skin/widgets/EnumDisplay.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/EmbeddedIcons.h"

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
        FrontWindow::hide (this, picker.get());
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
        picker = std::make_unique<Picker> (*this);

    picker->fill (*p);
    FrontWindow::show (this, picker.get(), this,
                       juce::Justification::top | juce::Justification::horizontallyCentred,
                       juce::Justification::bottom | juce::Justification::horizontallyCentred, { 0, 2 });
}

bool EnumDisplay::isPickerOpen() const
{
    auto* fw = FrontWindow::findFrontWindow (const_cast<EnumDisplay*> (this));
    return picker != nullptr && fw != nullptr && fw->getFrontComponent() == picker.get();
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

//==============================================================================
EnumDisplay::Picker::Picker (EnumDisplay& o) : owner (o) {}

EnumDisplay::Picker::~Picker()
{
    for (auto* b : buttons)
        b->removeListener (this);
}

void EnumDisplay::Picker::fill (Parameter& parameter)
{
    for (auto* b : buttons)
        b->removeListener (this);

    buttons.clear();
    const auto names = parameter.getItemNames();
    const int current = parameter.getIntValue();
    int widest = 60;

    for (int i = 0; i < names.size(); ++i)
    {
        auto* b = buttons.add (new juce::TextButton (names[i]));
        b->setWantsKeyboardFocus (false);
        b->setToggleState (i == current, juce::dontSendNotification);
        b->addListener (this);
        addAndMakeVisible (b);
        widest = juce::jmax (widest, b->getBestWidthForHeight (itemHeight));
    }

    setSize (widest + 2, itemHeight * buttons.size() + 2);
}

void EnumDisplay::Picker::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xFFBBBBBB));
    g.setColour (juce::Colours::black);
    g.drawRect (getLocalBounds(), 1);
}

void EnumDisplay::Picker::resized()
{
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setBounds (1, 1 + itemHeight * i, getWidth() - 2, itemHeight);
}

void EnumDisplay::Picker::buttonClicked (juce::Button* button)
{
    const int index = buttons.indexOf (dynamic_cast<juce::TextButton*> (button));

    if (index < 0)
        return;

    auto& o = owner;
    FrontWindow::hide (&o, this);
    o.chooseItem (index);
}
