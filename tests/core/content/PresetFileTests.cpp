#include "ContentTestSupport.h"

TEST (PresetFile, RoundTripsEveryFieldWithUnicode)
{
    test::TempFolder folder;
    Preset preset;
    preset.name = juce::String (juce::CharPointer_UTF8 ("Bitte \xc3\xbc"
                                                        "ber \xe2\x80\x94 \xe6\x97\xa5\xe6\x9c\xac <&\"'>"));
    preset.application = "Grindel 2";
    preset.category = "Factory";
    preset.version = GRINDEL_VERSION_STRING;
    preset.author = juce::String (juce::CharPointer_UTF8 ("\xc3\x98rvik"));
    preset.id = "abc-123";
    preset.tags = "Vintage Sampler:12 Bit|Drums;Degradation:Subtle";
    preset.rating = 5;
    preset.setValue (0, "40000");
    preset.setValue (7, "-3.25");
    preset.setValue (42, juce::String (juce::CharPointer_UTF8 ("t\xc3\xa9xt with \"quotes\"")));
    auto extra = std::make_unique<juce::XmlElement> ("Product");
    extra->setAttribute ("x", 1);
    preset.setExtraData (std::move (extra));

    const auto file = folder.get().getChildFile (preset.name.replaceCharacters ("<>\"", "___") + ".grprs2");
    ASSERT_TRUE (preset.saveToFile (file));

    Preset back;
    ASSERT_TRUE (back.loadFromFile (file));
    EXPECT_TRUE (back == preset);
    EXPECT_EQ (back.getTagMap().getNumCategories(), 2);
}

TEST (PresetFile, DefaultsAndClear)
{
    Preset preset;
    EXPECT_EQ (preset.rating, 3);
    preset.setValue (1, "a");
    preset.setValue (1, "b");
    EXPECT_EQ (preset.getNumValues(), 1);
    EXPECT_EQ (*preset.findValue (1), "b");
    preset.name = "kept";
    preset.clear();
    EXPECT_EQ (preset.getNumValues(), 0);
    EXPECT_EQ (preset.name, "kept");
}

TEST (PresetFile, RatingIsClampedAndMissingFieldsAreEmpty)
{
    Preset preset;
    ASSERT_TRUE (preset.loadFromText ("<Preset rating=\"99\"><Value id=\"3\" value=\"1\"/><Value value=\"no id\"/></Preset>"));
    EXPECT_EQ (preset.rating, 5);
    EXPECT_EQ (preset.getNumValues(), 1);
    EXPECT_TRUE (preset.name.isEmpty());
}

TEST (PresetFile, CorruptForeignAndOversizedFilesAreRefusedAndLeftAlone)
{
    test::TempFolder folder;
    Preset preset;
    preset.name = "unchanged";

    const auto check = [&] (const juce::File& file) {
        const auto sizeBefore = file.getSize();
        juce::String error;
        EXPECT_FALSE (preset.loadFromFile (file, &error)) << file.getFileName();
        EXPECT_TRUE (error.isNotEmpty());
        EXPECT_EQ (preset.name, "unchanged");
        EXPECT_EQ (file.getSize(), sizeBefore);   // never rewritten
    };

    check (test::writeText (folder.get().getChildFile ("garbage.grprs2"), "\x01\x02 not xml <<<"));
    check (test::writeText (folder.get().getChildFile ("truncated.grprs2"), "<Preset name=\"x\"><Value id=\"1\" value="));
    check (test::writeText (folder.get().getChildFile ("foreign.grprs2"), "<MidiControlMap/>"));
    check (folder.get().getChildFile ("missing.grprs2"));

    const auto big = folder.get().getChildFile ("big.grprs2");
    {
        juce::FileOutputStream out (big);
        out << "<Preset>";
        juce::MemoryBlock block (1024 * 1024, true);
        for (int i = 0; i < 5; ++i)
            out.write (block.getData(), block.getSize());
    }
    check (big);
}

TEST (PresetFile, SavingWithAManagerLeavesOutExcludedParameters)
{
    test::PluginFixture fixture;
    auto& manager = fixture.plugin().getParameterManager();

    Preset preset;
    preset.setValue (0, "1000");
    preset.setValue (8, "2");           // Processing Quality: presets="0"
    preset.setValue (100000, "name");   // a command parameter
    preset.setValue (100009, "1");      // a quality copy

    const auto xml = preset.createXml (&manager);
    EXPECT_EQ (xml->getNumChildElements(), 1);
    EXPECT_EQ (xml->getChildElement (0)->getIntAttribute ("id"), 0);
}
