#include "editor/AboutWindow.h"
#include "core/BasePlugin.h"
#include "core/BundleResources.h"
#include "skin/DefaultLookAndFeel.h"

namespace
{
    juce::Font infoFont() { return juce::Font ("Tahoma", 14.5f, juce::Font::plain); }
}

AboutWindow::AboutWindow (BasePlugin& p)
    : plugin (p),
      webLink (p.getWebAddress(), juce::URL (p.getWebAddress())),
      credits (p.getCreditsText()),
      logo (BundleResources::loadImage (logoResourceName))
{
    webLink.setTooltip ({});
    webLink.setWantsKeyboardFocus (false);
    webLink.setColour (juce::HyperlinkButton::textColourId, juce::Colour (textColour));
    webLink.setFont (juce::Font ("Tahoma", 15.0f, juce::Font::plain), false, juce::Justification::centredLeft);
    // A little taller than the font, so the descenders of the address are not cut off.
    webLink.setSize (webLink.getWidth(), 19);
    webLink.changeWidthToFitText();
    addAndMakeVisible (webLink);

    logoDrawable.setImage (logo);
    logoDrawable.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (logoDrawable);

    closeButton.setWantsKeyboardFocus (false);
    closeButton.addListener (this);
    addAndMakeVisible (buttonRow);
    buttonRow.setSpacing (12);
    buttonRow.add (&closeButton);

    setHeaderVisible (false);

    if (plugin.hasCredits())
        addAndMakeVisible (credits);

    lookAndFeelChanged();
    setIcon (nullptr);
}

AboutWindow::~AboutWindow()
{
    closeButton.removeListener (this);
}

juce::String AboutWindow::getFormatText() const
{
    return plugin.getFormatName() + " " + plugin.getPlatformName();
}

juce::String AboutWindow::getVersionText() const
{
    return "Version " + plugin.getVersion();
}

void AboutWindow::lookAndFeelChanged()
{
    WindowComponent::lookAndFeelChanged();

    if (auto* laf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        setColour (WindowComponent::backgroundColourId, laf->findColour (0));
        setColour (WindowComponent::headerColourId, laf->findColour (1));
        closeButton.changeWidthToFitText (30);
    }

    resized();
}

void AboutWindow::resized()
{
    WindowComponent::resized();

    const auto content = getContentArea();
    const int x = content.getX(), y = content.getY(), w = content.getWidth(), h = content.getHeight();

    if (logo.isValid())
        logoDrawable.setTransformToFit (juce::Rectangle<int> (8, 8, w, 30).toFloat(),
                                        juce::RectanglePlacement::xMid | juce::RectanglePlacement::yTop);

    webLink.setTopLeftPosition (x, y + 16);

    const int half = juce::jmax (0, w / 2 - 4);
    infoArea = { x + half + 8, y, juce::jmax (0, w - half - 8), 40 };
    lineArea = { x, 45, w, juce::jmax (0, y + h - 45) };

    if (buttonRow.isVisible())
        lineArea.setHeight (juce::jmax (0, lineArea.getHeight() - 35));

    buttonRow.setTopLeftPosition (x + (w - buttonRow.getWidth()) / 2, y + h - buttonRow.getHeight());

    // Where the credits go is ours to choose: the room between the line and the buttons.
    if (plugin.hasCredits())
        credits.setBounds (lineArea.withTrimmedTop (8));

    repaint();
}

void AboutWindow::paint (juce::Graphics& g)
{
    WindowComponent::paint (g);

    g.setColour (juce::Colour (textColour));
    g.fillRect (lineArea.getX(), 46, lineArea.getWidth(), 1);

    const auto font = infoFont();
    g.setFont (font);
    const auto formatText = getFormatText();
    const int textY = infoArea.getY() + 16;
    const int textHeight = juce::roundToInt (font.getHeight());

    if (infoArea.getWidth() > 0)
        g.drawText (formatText, infoArea.getX(), textY, infoArea.getWidth(), textHeight,
                    juce::Justification::topRight, false);

    const int versionWidth = infoArea.getWidth() - 8 - font.getStringWidth (formatText);

    if (versionWidth > 0)
        g.drawText (getVersionText(), infoArea.getX(), textY, versionWidth, textHeight,
                    juce::Justification::topRight, false);
}

void AboutWindow::visibilityChanged()
{
    if (! plugin.hasCredits())
        return;

    if (isVisible())
        credits.start();
    else
        credits.stop();
}

void AboutWindow::mouseEnter (const juce::MouseEvent&)
{
    repaint();
}

void AboutWindow::buttonClicked (juce::Button* button)
{
    if (button != &closeButton)
    {
        WindowComponent::buttonClicked (button);
        return;
    }

    // A listener may delete this window: stop telling the others then.
    juce::Component::SafePointer<AboutWindow> safeThis (this);
    ListenerArray<Listener>::callUnlessStopped (
        listeners, [&safeThis] { return safeThis == nullptr; },
        [this] (Listener& l) { l.aboutWindowCloseRequested (this); });
}
