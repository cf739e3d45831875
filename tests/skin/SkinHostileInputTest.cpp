// Hostile skin descriptions: each either fails the whole GUI with a "Skin error" that says why,
// or is skipped, and every case ends in bounded time.

#include "SkinTestPackage.h"
#include "support/TestPlugin.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace
{
    std::string repeated (int count, const std::string& text)
    {
        std::string result;

        for (int i = 0; i < count; ++i)
            result += text;

        return result;
    }

    struct HostileSkin
    {
        const char* name;
        std::function<void (test::SkinTestPackage&)> files;
        const char* error;   // in the error text; null: the GUI builds
    };
}

TEST (SkinHostileInput, EveryDescriptionFailsWithAReasonOrBuildsInBoundedTime)
{
    test::TestPlugin plugin;
    const auto main = [] (const juce::String& controls) {
        return [controls] (test::SkinTestPackage& p) { p.add ("PluginEditor.orvikgui", test::SkinTestPackage::description (controls)); };
    };

    // Each of n descriptions includes the next one four times: 4^n panels without the limits.
    const auto fanOut = [] (int n) {
        return [n] (test::SkinTestPackage& p) {
            for (int i = 0; i < n; ++i)
            {
                const auto next = i + 1 < n ? juce::String (repeated (4, "<Include file=\"D" + std::to_string (i + 1) + "\"/>")) : juce::String ("<ImgAnim gfx=\"A.png\"/>");
                p.add ((i == 0 ? juce::String ("PluginEditor") : "D" + juce::String (i)) + ".orvikgui", test::SkinTestPackage::description (next));
            }
        };
    };

    const std::vector<HostileSkin> cases {
        { "fan-out of 16 descriptions", fanOut (16), "more than 256 includes" },
        { "fan-out of 6 descriptions (1,365 includes)", fanOut (6), "more than 256 includes" },
        { "12,000 widgets", main (repeated (12000, "<ImgAnim gfx=\"A.png\"/>")), "more than 10000 elements" },
        { "panels nested 100,000 deep", main (repeated (100000, "<Panel><controls>")), "nested too deeply" },
        { "panels nested 40 deep", main (repeated (40, "<Panel><controls>") + repeated (40, "</controls></Panel>")), "nested too deeply" },
        { "document type", [] (test::SkinTestPackage& p) { p.add ("PluginEditor.orvikgui", "<!DOCTYPE x [<!ENTITY a \"b\">]><GuiDescription/>"); }, "document type" },
        { "character reference cut off", [] (test::SkinTestPackage& p) { p.add ("PluginEditor.orvikgui", "<GuiDescription gui_ver=\"&#x"); }, "character reference" },
        { "element name JUCE asserts on", main ("<1a/>"), "element name" },
        { "descriptions together too large", [] (test::SkinTestPackage& p) {
             const auto padding = "<!--" + repeated (3 << 20, " ") + "-->";
             p.add ("PluginEditor.orvikgui", test::SkinTestPackage::description (repeated (8, "<Include file=\"Big\"/>")));
             p.add ("Big.orvikgui", juce::String (padding) + test::SkinTestPackage::description ("")); }, "together are larger than 16 MB" },
        { "a few includes and widgets", fanOut (3), nullptr },
    };

    int tried = 0, failed = 0;

    for (const auto& c : cases)
    {
        ++tried;
        test::SkinTestPackage package;
        package.add ("A.png", test::SkinTestPackage::png (4, 4));
        c.files (package);
        test::MemorySkin skin (package, &plugin);

        const auto start = test::threadCpuMs();
        const auto gui = skin.createGui ({});
        const auto seconds = (test::threadCpuMs() - start) / 1000.0;

        EXPECT_LT (seconds, 30.0) << c.name;

        if (c.error == nullptr)
        {
            EXPECT_NE (gui, nullptr) << c.name << ": " << skin.getErrorText();
            continue;
        }

        EXPECT_EQ (gui, nullptr) << c.name;
        EXPECT_TRUE (skin.getErrorText().contains (c.error)) << c.name << ": " << skin.getErrorText().substring (0, 300);
        failed += gui != nullptr || ! skin.getErrorText().contains (c.error) ? 1 : 0;
    }

    std::cout << "[hostile inputs] skin: " << tried << " tried, " << failed << " failed" << std::endl;
}
