// The product's panel drawn at each skin size: every text keeps capitals of 8 pixels unless
// the room its recipe gives it cannot hold them, and only the switch's labels are so held.

#include "SkinArtist.h"
#include "skin/DefaultLookAndFeel.h"
#include <gtest/gtest.h>

TEST (SkinArtist, EveryPanelTextIsReadableAtEverySkinSize)
{
    DefaultLookAndFeel lookAndFeel;
    const auto artwork = juce::parseXML (juce::File (GRINDEL_SKIN_SOURCES).getChildFile ("Artwork.xml"));
    ASSERT_NE (artwork, nullptr);
    const auto* background = artwork->getChildByAttribute ("file", "Background.png");
    ASSERT_NE (background, nullptr);

    for (const int width : { 885, 1180, 1475 })
    {
        SkinArtist artist ((float) width / 1180.0f, lookAndFeel.getPrimaryFont());
        const auto image = artist.render (*background, artwork->getIntAttribute ("width"), artwork->getIntAttribute ("height"), 1);
        ASSERT_EQ (image.getWidth(), width);
        ASSERT_GE (artist.getDrawnTexts().size(), 20u);

        for (const auto& text : artist.getDrawnTexts())
        {
            if (text.roomLimited)
                EXPECT_TRUE (juce::StringArray ({ "NORMAL", "HIGH", "ULTRA" }).contains (text.text)) << width << ": " << text.text;
            else
                EXPECT_GE (text.capitalPixels, SkinArtist::minimumCapitalPixels - 0.01f) << width << ": " << text.text;
        }
    }
}
