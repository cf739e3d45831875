#include "skin/PathComponent.h"
#include "skin/DefaultLookAndFeel.h"

PathComponent::PathComponent()
    : font (14.0f)
{
    button.setWantsKeyboardFocus (false);
    button.addListener (this);
    addAndMakeVisible (button);
    lookAndFeelChanged();
    measure();
    repaint();
}

PathComponent::~PathComponent()
{
    button.removeListener (this);
}

void PathComponent::measure()
{
    pathWidth = font.getStringWidth (path);
    ellipsisWidth = font.getStringWidth (ellipsis);
}

void PathComponent::setPath (const juce::String& p, bool notify)
{
    if (p == path)
        return;

    path = p;
    measure();
    repaint();

    if (notify)
        listeners.call ([this] (Listener& l) { l.pathChanged (this); });
}

void PathComponent::addListener (Listener* listener)
{
    listeners.add (listener);
}

void PathComponent::removeListener (Listener* listener)
{
    listeners.remove (listener);
}

void PathComponent::lookAndFeelChanged()
{
    if (auto* laf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        font = laf->getFont();
        measure();
        repaint();
    }

    resized();
}

void PathComponent::parentHierarchyChanged()
{
    // Joining a window takes its look-and-feel without a look-and-feel change.
    lookAndFeelChanged();
}

void PathComponent::enablementChanged()
{
    button.setEnabled (isEnabled());
    repaint();
}

void PathComponent::resized()
{
    const auto bounds = getLocalBounds();
    button.changeWidthToFitText (bounds.getHeight());
    button.setTopRightPosition (bounds.getWidth(), 0);

    frameArea = { bounds.getX(), bounds.getY(),
                  juce::jmax (0, bounds.getWidth() - (gap + button.getWidth())), bounds.getHeight() };
    textArea = { bounds.getX() + 4, bounds.getY(), juce::jmax (0, frameArea.getWidth() - 8), bounds.getHeight() };
}

void PathComponent::paint (juce::Graphics& g)
{
    const auto alpha = isEnabled() ? 1.0f : 0.5f;
    const auto outline = findColourOr (*this, outlineColourId, juce::Colour (0xFFD0D0D0));

    if (! outline.isTransparent())
    {
        const auto fill = findColourOr (*this, fillColourId, juce::Colour (0xFFD0D0D0)).withMultipliedAlpha (alpha);

        if (auto* laf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        {
            laf->drawFramedRect (g, frameArea.toFloat(), fill, outline.withMultipliedAlpha (alpha));
        }
        else
        {
            fillRoundedWithColour (g, frameArea.toFloat().reduced (1.0f), fill, 1.5f);
            g.setColour (outline.withMultipliedAlpha (alpha));
            g.drawRoundedRectangle (frameArea.toFloat().reduced (0.5f), 1.5f, 1.0f);
        }
    }

    g.setFont (font);
    g.setColour (findColourOr (*this, textColourId, juce::Colours::black).withMultipliedAlpha (alpha));

    if (! isPathCut())
    {
        g.drawText (path, textArea, juce::Justification::centredLeft, false);
        return;
    }

    auto room = textArea;
    const auto ellipsisArea = room.removeFromRight (juce::jmin (ellipsisWidth, room.getWidth()));

    {
        const juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (room);
        g.drawText (path, room, juce::Justification::centredLeft, false);
    }

    // The dimmed mark keeps its own opacity, enabled or not.
    g.setOpacity (0.5f);
    g.drawText (ellipsis, ellipsisArea, juce::Justification::centredLeft, false);
}

void PathComponent::buttonClicked (juce::Button* b)
{
    if (b != &button)
        return;

    juce::Component::SafePointer<PathComponent> safeThis (this);
    auto done = [safeThis] (const juce::File& file) {
        if (safeThis != nullptr && file != juce::File())
            safeThis->setPath (file.getFullPathName(), true);
    };

    if (fileRequest)
    {
        fileRequest (chooserTitle, filePatterns, false, std::move (done));
        return;
    }

    // Asynchronous, so the host's message thread never waits on the dialog.
    chooser = std::make_unique<juce::FileChooser> (chooserTitle, initialLocation, filePatterns, true, false);
    chooser->launchAsync (juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles,
                          [done] (const juce::FileChooser& fc) { done (fc.getResult()); });
}
