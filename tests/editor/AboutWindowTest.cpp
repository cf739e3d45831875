// The about window's layout and texts without a skin, a missing logo, and the credits text's
// scroll for products that have credits.

#include "editor/AboutWindow.h"
#include "skin/DefaultLookAndFeel.h"
#include "support/TestPlugin.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace
{
    struct CreditedPlugin : public test::TestPlugin
    {
        bool hasCredits() const override { return true; }
        juce::String getCreditsText() const override { return "Code\r\nArt\nSound"; }
        juce::String getWebAddress() const override { return "https://example.org/grindel"; }
    };

    /** Points the bundle's resources at another folder for one test. */
    struct ScopedResources
    {
        explicit ScopedResources (const juce::File& folder)
            : previous (juce::SystemStats::getEnvironmentVariable ("GRINDEL_RESOURCES", {}))
        {
            setenv ("GRINDEL_RESOURCES", folder.getFullPathName().toRawUTF8(), 1);
        }

        ~ScopedResources() { setenv ("GRINDEL_RESOURCES", previous.toRawUTF8(), 1); }

        juce::String previous;
    };
}

TEST (AboutWindow, LayoutWithoutLogoAndNarrowWidths)
{
    test::TempFolder empty;
    ScopedResources resources (empty.get());
    test::TestPlugin plugin;
    DefaultLookAndFeel lookAndFeel;
    AboutWindow about (plugin);
    about.setLookAndFeel (&lookAndFeel);

    // Without "PluginLogo.png" the logo is empty and the rest is unchanged.
    EXPECT_FALSE (about.getLogo().isValid());
    about.setSize (400, 300);
    EXPECT_EQ (about.findColour (WindowComponent::backgroundColourId), juce::Colours::black);
    EXPECT_EQ (about.getCloseButton().getHeight(), 30);
    const auto content = about.getContentArea();
    EXPECT_EQ (about.getWebLink().getPosition(), content.getPosition().translated (0, 16));
    EXPECT_EQ (about.getInfoArea().getX(), content.getX() + content.getWidth() / 2 - 4 + 8);
    EXPECT_EQ (about.getLineArea().getY(), 45);
    EXPECT_EQ (about.getLineArea().getBottom(), content.getBottom() - 35);
    about.createComponentSnapshot (about.getLocalBounds());

    // A content area of 8 pixels or less leaves no room for the format line and the version.
    about.setContentMargins ({ 0, 0, 0, 0 });
    about.setBorderThickness ({ 0, 0, 0, 0 });
    about.setSize (8, 100);
    EXPECT_EQ (about.getInfoArea().getWidth(), 0);
    about.createComponentSnapshot (about.getLocalBounds());
    about.setLookAndFeel (nullptr);
}

TEST (AboutWindow, CloseTellsListenersUntilOneDeletesTheWindow)
{
    test::TestPlugin plugin;
    auto about = std::make_unique<AboutWindow> (plugin);

    struct Closer : public AboutWindow::Listener
    {
        std::unique_ptr<AboutWindow>* owner = nullptr;
        int calls = 0;
        void aboutWindowCloseRequested (AboutWindow*) override
        {
            ++calls;
            if (owner != nullptr)
                owner->reset();
        }
    } first, deleting;

    deleting.owner = &about;
    about->addListener (&first);
    about->addListener (&deleting);   // told first: it deletes the window
    about->getCloseButton().triggerClick();
    ASSERT_TRUE (test::pumpUntil ([&] { return deleting.calls == 1; }));
    EXPECT_EQ (about, nullptr);
    EXPECT_EQ (first.calls, 0);
}

TEST (CreditsText, ScrollsOnlyWhileShownAndWraps)
{
    CreditedPlugin plugin;
    AboutWindow about (plugin);
    auto& credits = about.getCredits();
    EXPECT_EQ (credits.getLineCount(), 3);
    EXPECT_TRUE (credits.isVisible());
    EXPECT_FALSE (credits.isRunning());

    credits.setSize (100, 20);
    const int textHeight = (int) (3.0f * credits.getLabel().getFont().getHeight());
    EXPECT_EQ (credits.getLabel().getBounds(), juce::Rectangle<int> (0, 25, 100, textHeight));

    // The window shown starts it; each tick lifts the text one pixel.
    about.setVisible (true);
    EXPECT_TRUE (credits.isRunning());
    credits.timerCallback();
    EXPECT_EQ (credits.getLabel().getY(), 24);

    // Its last line passes the top edge; one tick later it starts again from below.
    for (int i = 0; i < 24 + textHeight; ++i)
        credits.timerCallback();

    EXPECT_EQ (credits.getLabel().getBottom(), 0);
    credits.timerCallback();
    EXPECT_EQ (credits.getLabel().getY(), 25);

    about.setVisible (false);
    EXPECT_FALSE (credits.isRunning());

    // A press on the text is told to its listeners.
    struct Clicks : public CreditsText::Listener
    {
        int count = 0;
        void creditsClicked (CreditsText*) override { ++count; }
    } clicks;
    credits.addListener (&clicks);
    credits.mouseDown (juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 1.0f, 0, 0, 0, 0,
                                         &credits, &credits, juce::Time(), {}, juce::Time(), 1, false));
    EXPECT_EQ (clicks.count, 1);
    credits.removeListener (&clicks);
}
