#include "editor/browser/CategoryComponent.h"
#include "editor/browser/BrowserIcons.h"
#include "skin/EmbeddedIcons.h"

//==============================================================================
juce::Font CategoryComponent::CategoryButton::LF::getTextButtonFont (juce::TextButton&, int)
{
    return getFont().boldened();
}

CategoryComponent::CategoryButton::AnyAllButtonLF::AnyAllButtonLF()
{
    setColour (juce::TextButton::buttonColourId, juce::Colour (0xFF828282).withAlpha (0.1f));
    setColour (juce::TextButton::textColourOffId, juce::Colour::greyLevel (0.1f));
    // On and off differ only in their text.
    setColour (juce::TextButton::buttonOnColourId, findColour (juce::TextButton::buttonColourId));
    setColour (juce::TextButton::textColourOnId, findColour (juce::TextButton::textColourOffId));
}

juce::Font CategoryComponent::CategoryButton::AnyAllButtonLF::getTextButtonFont (juce::TextButton&, int)
{
    return getFont().withHeight (11.0f).withExtraKerningFactor (0.05f);
}

CategoryComponent::CategoryButton::CategoryButton (const juce::String& categoryName, int id)
    : name (categoryName), label (categoryName, categoryName), categoryId (id)
{
    setLookAndFeel (&lf);
    label.setJustificationType (juce::Justification::centredLeft);
    label.setFont (lf.getFont().boldened());
    label.setBorderSize ({ 1, 3, 1, 1 });
    label.setMinimumHorizontalScale (0.65f);
    label.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (label);

    BrowserIcons::setIconImages (moveLeftButton, StandardIcon::arrowLeft);
    BrowserIcons::setIconImages (moveRightButton, StandardIcon::arrowRight);
    BrowserIcons::setIconImages (addTagButton, StandardIcon::newFolder);
    moveLeftButton.setSize (16, 16);
    moveRightButton.setSize (16, 16);
    addTagButton.setSize (18, 18);

    anyAllButton.setLookAndFeel (&anyAllLf);
    anyAllButton.setSize (40, 14);

    for (juce::Component* c : { (juce::Component*) &moveLeftButton, (juce::Component*) &moveRightButton,
                                (juce::Component*) &addTagButton, (juce::Component*) &anyAllButton })
        addChildComponent (c);
}

CategoryComponent::CategoryButton::~CategoryButton()
{
    anyAllButton.setLookAndFeel (nullptr);
    setLookAndFeel (nullptr);
}

void CategoryComponent::CategoryButton::resized()
{
    const int w = getWidth();
    moveRightButton.setTopRightPosition (w - 1, 3);
    moveLeftButton.setTopRightPosition (moveRightButton.getX(), 3);
    anyAllButton.setTopRightPosition (moveLeftButton.getX() - 4, 4);
    addTagButton.setBounds (w - 19, 1, 18, 18);

    // The name ends where the first shown button starts, so the two never draw over each other.
    int nameRight = w;

    for (juce::Component* b : { (juce::Component*) &anyAllButton, (juce::Component*) &moveLeftButton,
                                (juce::Component*) &moveRightButton, (juce::Component*) &addTagButton })
        if (b->isVisible())
            nameRight = juce::jmin (nameRight, b->getX());

    label.setBounds (0, 0, nameRight, getHeight());

    // A long name takes a smaller font (down to 11) before its letters narrow, and is cut
    // only when even that does not fit.
    auto font = lf.getFont().boldened();
    const float room = (float) (nameRight - label.getBorderSize().getLeftAndRight());

    while (font.getHeight() > 11.0f && font.getStringWidthFloat (name) > room)
        font = font.withHeight (juce::jmax (11.0f, font.getHeight() - 1.0f));

    label.setFont (font);
}

void CategoryComponent::CategoryButton::enablementChanged()
{
    // A disabled row of columns (filter off) cannot be reordered from the left.
    moveLeftButton.setVisible (isEnabled() && moveRightButton.isVisible());
    resized();
    repaint();
}

//==============================================================================
CategoryComponent::ItemButton::ItemButton (const juce::String& buttonText, int id, int s, int count)
    : juce::TextButton (buttonText), tagId (id), state (s), stateCount (count), initialState (s), changeMarker (BrowserIcons::createIcon (StandardIcon::cut, juce::Colour (0xFFE85100).withAlpha (0.5f)))
{
    setWantsKeyboardFocus (false);
    setMouseClickGrabsKeyboardFocus (false);

    if (changeMarker != nullptr)
    {
        changeMarker->setInterceptsMouseClicks (false, false);
        changeMarker->setWantsKeyboardFocus (false);
        addChildComponent (*changeMarker);
    }
}

CategoryComponent::ItemButton::~ItemButton() = default;

void CategoryComponent::ItemButton::resized()
{
    if (changeMarker != nullptr)
    {
        const float s = (float) juce::jmax (getHeight() - 4, 0);
        changeMarker->setTransformToFit ({ 2.0f, 2.0f, s, s }, juce::RectanglePlacement::centred);
    }
}

//==============================================================================
CategoryComponent::CategoryComponent (const juce::String& categoryName, int categoryId, bool markers)
    : header (categoryName, categoryId), showChangeMarkers (markers)
{
    viewport.setScrollBarsShown (true, false);
    viewport.setViewedComponent (&content, false);
    addAndMakeVisible (header);
    addAndMakeVisible (viewport);

    for (juce::Button* b : { (juce::Button*) &header.moveLeftButton, (juce::Button*) &header.moveRightButton,
                             (juce::Button*) &header.addTagButton, (juce::Button*) &header.anyAllButton })
        b->addListener (this);

    setHeaderButtonsVisible (true);
}

CategoryComponent::~CategoryComponent()
{
    for (juce::Button* b : { (juce::Button*) &header.moveLeftButton, (juce::Button*) &header.moveRightButton,
                             (juce::Button*) &header.addTagButton, (juce::Button*) &header.anyAllButton })
        b->removeListener (this);
}

void CategoryComponent::addItem (const juce::String& text, int tagId, int state, int stateCount)
{
    auto* item = items.add (new ItemButton (text, tagId, state, stateCount));
    item->addListener (this);
    content.addAndMakeVisible (item);
    updateItemColours (*item);
    layOutItems();
}

void CategoryComponent::sortItems()
{
    std::stable_sort (items.begin(), items.end(), [] (const ItemButton* a, const ItemButton* b) {
        return a->getButtonText().compare (b->getButtonText()) < 0;
    });
    layOutItems();
}

int CategoryComponent::getItemState (int index) const
{
    auto* item = items[index];
    return item != nullptr ? item->state : 0;
}

int CategoryComponent::getItemId (int index) const
{
    auto* item = items[index];
    return item != nullptr ? item->tagId : 0;
}

void CategoryComponent::setHeaderButtonsVisible (bool shouldBeVisible)
{
    header.moveRightButton.setVisible (shouldBeVisible);
    header.moveLeftButton.setVisible (shouldBeVisible && header.isEnabled());
    header.anyAllButton.setVisible (shouldBeVisible);
    header.resized();
}

void CategoryComponent::setAddTagButtonVisible (bool shouldBeVisible)
{
    header.addTagButton.setVisible (shouldBeVisible);
    header.resized();
}

void CategoryComponent::setAllMode (bool all)
{
    header.anyAllButton.setToggleState (all, juce::dontSendNotification);
}

void CategoryComponent::refreshMoveButtons()
{
    header.enablementChanged();
    header.moveLeftButton.repaint();
    header.moveRightButton.repaint();
}

void CategoryComponent::buttonClicked (juce::Button* button)
{
    if (button == &header.addTagButton)
    {
        listeners.call ([this] (Listener& l) { l.categoryAddTagClicked (this); });
    }
    else if (button == &header.moveLeftButton)
    {
        listeners.call ([this] (Listener& l) { l.categoryMoveLeftClicked (this); });
    }
    else if (button == &header.moveRightButton)
    {
        listeners.call ([this] (Listener& l) { l.categoryMoveRightClicked (this); });
    }
    else if (button == &header.anyAllButton)
    {
        const bool all = header.anyAllButton.getToggleState();
        listeners.call ([this, all] (Listener& l) { l.categoryModeChanged (this, all); });
    }
    else if (auto* item = dynamic_cast<ItemButton*> (button))
    {
        if (item->stateCount < 2)
            return;

        item->state = (item->state + 1) % item->stateCount;
        updateItemColours (*item);
        const int index = items.indexOf (item);
        listeners.call ([this, index] (Listener& l) { l.categoryItemClicked (this, index); });
    }
}

void CategoryComponent::updateItemColours (ItemButton& item)
{
    const auto colour = [this] (int id, juce::uint32 fallback) { return findColourOr (*this, id, juce::Colour (fallback)); };
    const bool partial = item.stateCount == 3 && item.state == 1;
    const bool on = (item.stateCount == 2 && item.state == 1) || (item.stateCount == 3 && item.state == 2);

    if (partial)
    {
        item.setColour (juce::TextButton::buttonColourId, colour (DefaultLookAndFeel::browserButtonPartialColourId, 0xFF667179));
        item.setColour (juce::TextButton::textColourOffId, colour (DefaultLookAndFeel::browserTextPartialColourId, 0xFFF2F2F2));
    }
    else if (on)
    {
        item.setColour (juce::TextButton::buttonColourId, colour (DefaultLookAndFeel::browserButtonOnColourId, 0xFF4A6171));
        item.setColour (juce::TextButton::textColourOffId, colour (DefaultLookAndFeel::browserTextOnColourId, 0xFFFFFFFF));
    }
    else if (item.state == 0)
    {
        item.setColour (juce::TextButton::buttonColourId, colour (DefaultLookAndFeel::browserButtonOffColourId, 0xFF828282));
        item.setColour (juce::TextButton::textColourOffId, colour (DefaultLookAndFeel::browserTextOffColourId, 0xFFE6E6E6));
    }

    if (showChangeMarkers && item.changeMarker != nullptr)
        item.changeMarker->setVisible (item.state != item.initialState);
}

void CategoryComponent::paint (juce::Graphics& g)
{
    fillRoundedWithColour (g, getLocalBounds(), findColourOr (*this, DefaultLookAndFeel::browserPanelColourId, juce::Colour (0xFFA2A2A2)), 1.5f);
}

void CategoryComponent::resized()
{
    header.setBounds (0, 0, getWidth(), headerHeight);
    viewport.setBounds (0, headerHeight + 1, getWidth(), juce::jmax (0, getHeight() - 27));
    layOutItems();
}

void CategoryComponent::layOutItems()
{
    const int w = getWidth();
    const int contentHeight = juce::jmax (0, rowHeight * items.size() - 1);
    content.setSize (w, contentHeight);
    const bool scrolling = contentHeight > viewport.getHeight();
    const int buttonWidth = scrolling ? w - 5 - viewport.getScrollBarThickness() : w - 8;

    for (int i = 0; i < items.size(); ++i)
        items.getUnchecked (i)->setBounds (4, rowHeight * i, juce::jmax (0, buttonWidth), rowHeight - 1);
}
