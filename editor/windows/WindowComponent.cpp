#include "editor/windows/WindowComponent.h"
#include "editor/windows/WindowIcons.h"
#include "skin/EmbeddedIcons.h"

namespace
{
    // Takes up to amount from value, never going below zero.
    int take (int& value, int amount)
    {
        const auto taken = juce::jlimit (0, juce::jmax (0, value), amount);
        value -= taken;
        return taken;
    }

    std::unique_ptr<juce::Drawable> recolouredCloseIcon (juce::Colour colour)
    {
        auto icon = getStandardIcon (0);

        if (icon != nullptr)
            icon->replaceColour (juce::Colours::black, colour);

        return icon;
    }
}

WindowComponent::WindowComponent (const juce::String& name)
    : ModalComponent (name), icon (WindowIcons::createHeaderIcon())
{
    setOpaque (true);

    closeButton.setEdgeIndent (0);
    closeButton.setWantsKeyboardFocus (false);
    closeButton.setColour (juce::DrawableButton::backgroundColourId, juce::Colours::transparentBlack);
    closeButton.setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentBlack);
    const auto normal = recolouredCloseIcon (juce::Colour::greyLevel (0.9f));
    const auto over = recolouredCloseIcon (juce::Colour (0xFFFF6C00));
    closeButton.setImages (normal.get(), over.get());
    closeButton.addListener (this);
    addAndMakeVisible (closeButton);

    if (icon != nullptr)
    {
        icon->setInterceptsMouseClicks (false, false);
        addAndMakeVisible (*icon);
    }

    lookAndFeelChanged();
}

WindowComponent::~WindowComponent()
{
    closeButton.removeListener (this);
}

void WindowComponent::buttonClicked (juce::Button* button)
{
    if (button == &closeButton)
        hide();
}

void WindowComponent::setContentSize (int w, int h)
{
    const int width = juce::jmax (minimumWidth, w + border.getLeftAndRight() + contentMargins.getLeftAndRight());
    const int height = juce::jmax (minimumHeight, h + (headerVisible ? headerHeight : 0) + border.getTopAndBottom() + contentMargins.getTopAndBottom());
    setSize (width, height);
}

void WindowComponent::setTitle (const juce::String& newTitle)
{
    if (title == newTitle)
        return;

    title = newTitle;
    juce::Component::setTitle (newTitle);   // for accessibility clients too

    if (headerVisible)
        repaint();
}

void WindowComponent::setIcon (std::unique_ptr<juce::Drawable> newIcon)
{
    icon = std::move (newIcon);

    if (icon != nullptr)
    {
        icon->setInterceptsMouseClicks (false, false);
        addChildComponent (*icon);
    }

    resized();
    repaint();
}

void WindowComponent::setHeaderVisible (bool shouldBeVisible)
{
    changeLayout (headerVisible, shouldBeVisible, true);
}

void WindowComponent::setCloseButtonVisible (bool shouldBeVisible)
{
    changeLayout (closeButtonVisible, shouldBeVisible, false);
}

void WindowComponent::setBorderThickness (juce::BorderSize<int> newBorder)
{
    changeLayout (border, newBorder, true);
}

void WindowComponent::setContentMargins (juce::BorderSize<int> newMargins)
{
    changeLayout (contentMargins, newMargins, false);
}

void WindowComponent::updateCloseButtonVisibility()
{
    closeButton.setVisible (headerVisible && closeButtonVisible);
}

void WindowComponent::lookAndFeelChanged()
{
    if (auto* methods = dynamic_cast<LookAndFeelMethods*> (&getLookAndFeel()))
        titleFont = methods->getWindowTitleFont();

    resized();
    repaint();
}

void WindowComponent::paint (juce::Graphics& g)
{
    if (auto* methods = dynamic_cast<LookAndFeelMethods*> (&getLookAndFeel()))
        methods->drawWindow (g, *this);
}

void WindowComponent::resized()
{
    int w = getWidth(), h = getHeight();
    const int top = take (h, headerVisible ? headerHeight : border.getTop());
    take (h, border.getBottom());
    const int left = take (w, border.getLeft());
    take (w, border.getRight());
    const int marginTop = take (h, contentMargins.getTop());
    take (h, contentMargins.getBottom());
    const int marginLeft = take (w, contentMargins.getLeft());
    take (w, contentMargins.getRight());
    contentArea = { left + marginLeft, top + marginTop, w, h };

    updateCloseButtonVisibility();

    if (! headerVisible)
    {
        headerArea = {};
        titleArea = {};

        if (icon != nullptr)
            icon->setVisible (false);
    }
    else
    {
        const int width = getWidth();
        headerArea = { 0, 0, width, headerHeight };

        int titleWidth = width;
        const int inset = take (titleWidth, icon != nullptr ? headerHeight : 2 * titleIndent);

        if (closeButtonVisible)
            take (titleWidth, headerHeight);

        int titleHeight = headerHeight;

        if ((float) headerHeight < 2.0f * titleFont.getHeight() && (headerHeight % 2) != 0)
            take (titleHeight, 1);

        if (((int) titleFont.getHeight() % 2) != 0)
            take (titleHeight, 1);

        titleArea = { inset, 0, titleWidth, titleHeight };

        const int s = juce::jmin (headerHeight, 20);
        const int o = headerHeight / 2 - s / 2;
        closeButton.setBounds (width - s - 1 - o, o, s, s);

        if (icon != nullptr)
        {
            const int p = (headerHeight - 27) / 2;
            const int side = juce::jmax (0, headerHeight - 2 * p);
            icon->setTransformToFit (juce::Rectangle<int> (p, p, side, side).toFloat(),
                                     juce::RectanglePlacement::stretchToFit);
            icon->setVisible (true);
        }
    }

    ModalComponent::resized();
}

void WindowComponent::drawDefaultWindow (juce::Graphics& g, WindowComponent& window, const juce::Font& titleFont)
{
    const auto bounds = window.getLocalBounds();
    const auto header = window.findColour (headerColourId, false);

    g.setColour (window.findColour (backgroundColourId, false));
    g.fillRect (bounds);
    g.setColour (header);

    if (window.isHeaderVisible())
        g.fillRect (window.getHeaderArea());

    const auto b = window.getBorderThickness();

    if (b.getTop() > 0) g.fillRect (bounds.withHeight (b.getTop()));
    if (b.getBottom() > 0) g.fillRect (bounds.withTrimmedTop (bounds.getHeight() - b.getBottom()));
    if (b.getLeft() > 0) g.fillRect (bounds.withWidth (b.getLeft()));
    if (b.getRight() > 0) g.fillRect (bounds.withTrimmedLeft (bounds.getWidth() - b.getRight()));

    if (window.isHeaderVisible())
    {
        g.setColour (window.findColour (titleColourId, false));
        g.setFont (titleFont);
        g.drawText (window.getTitle(), window.getTitleArea(), juce::Justification::centredLeft, false);
    }
}
