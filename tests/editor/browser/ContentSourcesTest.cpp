#include "BrowserTestSupport.h"

using namespace browsertest;

TEST (ContentSources, ButtonsFollowTheSourcesAndWithAllOffEverySourceIsShown)
{
    SKIP_WITHOUT_DISPLAY();

    MemorySource user ("User", { "Mine" });
    MemorySource factory ("Factory", { "Stock" }, true);
    MemorySource other ("Samples", { "Kick" });
    TestBrowser browser;
    browser.addSource (user);
    browser.addSource (factory);
    browser.addSource (other);
    browser.show();

    auto& list = browser.sourcesList;
    ASSERT_EQ (list.getNumSources(), 3);
    EXPECT_NE (list.getSourceButton (0)->getCurrentIcon(), nullptr);
    EXPECT_NE (list.getSourceButton (1)->getCurrentIcon(), nullptr);
    EXPECT_EQ (list.getSourceButton (2)->getCurrentIcon(), nullptr);   // neither "User" nor "Factory"
    EXPECT_EQ (list.getSourceButton (2)->getBounds(), juce::Rectangle<int> (4, HeaderComponent::height + 3 + 42, 132, 20));
    EXPECT_EQ (browser.shownNames(), juce::StringArray ({ "Kick", "Mine", "Stock" }));

    browser.click (*list.getSourceButton (1));
    EXPECT_TRUE (factory.selected);
    EXPECT_EQ (browser.shownNames(), juce::StringArray ({ "Stock" }));
    browser.click (*list.getSourceButton (0));
    EXPECT_EQ (browser.shownNames(), juce::StringArray ({ "Mine", "Stock" }));

    // Every button off again: all sources give their items.
    browser.click (*list.getSourceButton (0));
    browser.click (*list.getSourceButton (1));
    EXPECT_FALSE (user.selected || factory.selected || other.selected);
    EXPECT_EQ (browser.shownNames(), juce::StringArray ({ "Kick", "Mine", "Stock" }));

    // The header's title shows only while the panel is expanded.
    EXPECT_FALSE (list.getHeader().getTitle().isVisible());
    browser.click (list.getExpandButton());
    EXPECT_TRUE (list.getExpandButton().getToggleState());
    EXPECT_TRUE (list.getHeader().getTitle().isVisible());
}

TEST (ContentSources, InEditModeTheButtonsShowTheCurrentSourceAndCannotBeClicked)
{
    SKIP_WITHOUT_DISPLAY();

    MemorySource user ("User", { "Mine" });
    MemorySource factory ("Factory", { "Stock" }, true);
    TestBrowser browser;
    browser.addSource (user);
    browser.addSource (factory);
    factory.setSelected (true, false);
    browser.show();

    auto& list = browser.sourcesList;
    list.setButtonsEnabled (false);
    list.showCurrentSource (true);
    EXPECT_TRUE (list.getSourceButton (0)->getToggleState());
    EXPECT_FALSE (list.getSourceButton (1)->getToggleState());

    browser.click (*list.getSourceButton (1));
    EXPECT_TRUE (factory.selected);
    EXPECT_FALSE (user.selected);
    EXPECT_FALSE (list.getSourceButton (1)->getToggleState());

    list.setButtonsEnabled (true);
    list.showCurrentSource (false);
    EXPECT_FALSE (list.getSourceButton (0)->getToggleState());
    EXPECT_TRUE (list.getSourceButton (1)->getToggleState());
}
