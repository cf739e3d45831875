#include "editor/OptionsWindow.h"
#include "core/BasePlugin.h"
#include "editor/windows/WindowIcons.h"
#include "skin/CheckBox.h"

const char* const OptionsWindow::noticeText = "Changes will take effect after closing this window.";

//==============================================================================
OptionsWindow::LookAndFeel::LookAndFeel()
{
    setColour (WindowComponent::backgroundColourId, juce::Colour (0xFFBBBBBB));
    setColour (HeaderComponent::backgroundColourId, juce::Colour (0xFF737373));
    setColour (HeaderComponent::textColourId, juce::Colour (0xFFFFFFFF));
    setColour (juce::TextButton::buttonColourId, juce::Colour (0xFFD0D0D0));
    setColour (juce::TextButton::textColourOffId, juce::Colour (0xFF282828));
    setColour (CheckBox::textColourId, juce::Colour (0xFF282828));
    setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xFFFFFFFF));
    setColour (juce::TextButton::textColourOnId, juce::Colour (0xFF282828));
    setColour (juce::DrawableButton::backgroundColourId, juce::Colour (0xFFD0D0D0));
    setColour (juce::DrawableButton::textColourId, juce::Colour (0xFF282828));
    setColour (juce::DrawableButton::backgroundOnColourId, juce::Colour (0xFFFFFFFF));
    setColour (juce::DrawableButton::textColourOnId, juce::Colour (0xFF282828));
}

//==============================================================================
OptionsWindow::Panel::Panel (const juce::String& title, juce::Component& p)
    : header (title, &chevron, nullptr), page (p)
{
    auto right = WindowIcons::createChevronRight();
    auto down = WindowIcons::createChevronDown();
    std::unique_ptr<juce::Drawable> greyRight, greyDown;

    if (right != nullptr && down != nullptr)
    {
        greyRight = right->createCopy();
        greyDown = down->createCopy();
        right->replaceColour (juce::Colours::black, juce::Colours::white);
        down->replaceColour (juce::Colours::black, juce::Colours::white);
        greyRight->replaceColour (juce::Colours::black, juce::Colour::greyLevel (0.7f));
        greyDown->replaceColour (juce::Colours::black, juce::Colour::greyLevel (0.7f));
    }

    chevron.setImages (right.get(), greyRight.get(), greyRight.get(), nullptr,
                       down.get(), greyDown.get(), greyDown.get(), nullptr);
    chevron.setColour (juce::DrawableButton::backgroundColourId, juce::Colours::transparentBlack);
    chevron.setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentBlack);
    chevron.addListener (this);

    addAndMakeVisible (header);
    addChildComponent (page);
    header.addMouseListener (this, true);
    setExpanded (false, true);
}

OptionsWindow::Panel::~Panel()
{
    header.removeMouseListener (this);
    chevron.removeListener (this);
    // The page belongs to the editor: only let go of it.
    removeChildComponent (&page);
}

void OptionsWindow::Panel::setExpanded (bool open, bool notify)
{
    page.setVisible (open);
    const int height = header.getHeight() + (page.isVisible() ? page.getHeight() + 10 + 15 : 0);
    setSize (getWidth(), height);
    chevron.setToggleState (page.isVisible(), juce::dontSendNotification);

    if (notify)
    {
        listeners.call ([this] (Listener& l) { l.panelExpanded (this); });
    }
}

void OptionsWindow::Panel::addListener (Listener* listener)
{
    listeners.add (listener);
}

void OptionsWindow::Panel::removeListener (Listener* listener)
{
    listeners.remove (listener);
}

void OptionsWindow::Panel::resized()
{
    page.setBounds (6, 10 + header.getHeight(), getWidth() - 12, page.getHeight());
}

void OptionsWindow::Panel::mouseDown (const juce::MouseEvent& e)
{
    auto* pressed = e.originalComponent;

    if (pressed == &header || header.isParentOf (pressed))
        setExpanded (! page.isVisible(), true);
}

//==============================================================================
OptionsWindow::PanelContainer::PanelContainer() = default;

OptionsWindow::PanelContainer::~PanelContainer()
{
    for (auto* p : panels)
        p->removeListener (this);
}

OptionsWindow::Panel* OptionsWindow::PanelContainer::addPanel (const juce::String& title, juce::Component& page)
{
    auto* panel = panels.add (new Panel (title, page));
    panel->addListener (this);
    panel->setSize (getWidth(), panel->getHeight());
    addAndMakeVisible (panel);
    childBoundsChanged (panel);
    return panel;
}

void OptionsWindow::PanelContainer::resized()
{
    for (auto* p : panels)
        p->setSize (getWidth(), p->getHeight());
}

void OptionsWindow::PanelContainer::childBoundsChanged (juce::Component*)
{
    if (stacking)
        return;

    const juce::ScopedValueSetter<bool> setter (stacking, true);
    int y = 0, bottom = 0;

    for (auto* p : panels)
    {
        p->setTopLeftPosition (0, y);
        bottom = y + p->getHeight();
        y = bottom + 1;
    }

    setSize (getWidth(), bottom);
}

void OptionsWindow::PanelContainer::panelExpanded (Panel* panel)
{
    for (auto* p : panels)
        if (p != panel)
            p->setExpanded (false, false);
}

//==============================================================================
OptionsWindow::OptionsWindow (BasePlugin& p)
    : WindowComponent ("OptionsWindow"), plugin (p)
{
    notice.setText (noticeText, juce::dontSendNotification);
    setContentMargins ({ 0, 0, 0, 0 });
    viewport.setScrollBarsShown (true, false);
    viewport.setViewedComponent (&panelContainer, false);
    addAndMakeVisible (viewport);
    notice.setJustificationType (juce::Justification::centred);
    notice.setColour (juce::Label::backgroundColourId, juce::Colour (0xFF737373));
    notice.setColour (juce::Label::textColourId, juce::Colours::white);
    addAndMakeVisible (notice);
}

OptionsWindow::~OptionsWindow() = default;

OptionsWindow::Panel* OptionsWindow::addPanel (const juce::String& sectionTitle, juce::Component& page)
{
    auto* panel = panelContainer.addPanel (sectionTitle, page);
    resized();
    return panel;
}

void OptionsWindow::buttonClicked (juce::Button* button)
{
    WindowComponent::buttonClicked (button);

    if (button == &getCloseButton() && ! isShowing())
        plugin.saveUserSettings();
}

void OptionsWindow::resized()
{
    WindowComponent::resized();

    const auto area = getContentArea();
    const int noticeHeight = juce::jmin (area.getHeight(), 20);
    notice.setBounds (area.getX(), area.getBottom() - noticeHeight, area.getWidth(), noticeHeight);
    viewport.setBounds (area.getX(), area.getY(), area.getWidth(),
                        juce::jmax (0, area.getHeight() - noticeHeight - 1));
    panelContainer.setSize (area.getWidth(), panelContainer.getHeight());
}
