#include "core/content/TagDictionary.h"
#include <gtest/gtest.h>

TEST (CategoryTagMap, TextFormRoundTripsAndIsForgiving)
{
    const auto map = CategoryTagMap::fromString (" Vintage Sampler : 12 Bit| Drums ;;Degradation:Subtle|Subtle|; :orphan");
    EXPECT_EQ (map.getCategoryNames(), juce::StringArray ({ "Vintage Sampler", "Degradation" }));
    EXPECT_EQ (map.getTagList (0), juce::StringArray ({ "12 Bit", "Drums" }));
    EXPECT_EQ (map.getTagList (1), juce::StringArray ({ "Subtle" }));
    EXPECT_EQ (map.toString(), "Vintage Sampler:12 Bit|Drums;Degradation:Subtle");
    EXPECT_EQ (CategoryTagMap::fromString (map.toString()), map);

    CategoryTagMap separators;
    separators.add ("A;B", "x|y:z");
    EXPECT_EQ (separators.toString(), "A_B:x_y_z");
    EXPECT_TRUE (CategoryTagMap::fromString ("").isEmpty());
}

TEST (CategoryTagMap, AddContainsRemove)
{
    CategoryTagMap map;
    map.add ("C", "t1");
    map.add ("C", "t1");
    map.add ("C", "t2");
    map.add ("D", {});
    map.add ({}, "ignored");
    EXPECT_EQ (map.getNumCategories(), 2);
    EXPECT_EQ (map.getNumTags(), 2);
    EXPECT_TRUE (map.contains ("C", "t2"));
    EXPECT_FALSE (map.contains ("c", "t2"));   // exact
    EXPECT_TRUE (map.containsTagAt (0, "t1"));
    EXPECT_FALSE (map.containsTagAt (5, "t1"));

    map.addTagAt (1, "d1");
    map.addTagAt (9, "nothing");
    EXPECT_TRUE (map.contains ("D", "d1"));

    EXPECT_EQ (map.getTags ("D").toString(), "D:d1");
    EXPECT_TRUE (map.getTags ("none").isEmpty());
    EXPECT_EQ (map.getTagsAt (0).toString(), "C:t1|t2");
    EXPECT_TRUE (map.getTagsAt (-1).isEmpty());

    map.removeTag ("C", "t1");
    EXPECT_FALSE (map.contains ("C", "t1"));
    map.removeCategory ("C");
    EXPECT_EQ (map.toString(), "D:d1");

    CategoryTagMap copy (map);
    map.clear();
    EXPECT_TRUE (map.isEmpty());
    EXPECT_EQ (copy.toString(), "D:d1");
}

TEST (CategoryTagMap, AddAllAndIntersectInto)
{
    auto a = CategoryTagMap::fromString ("X:1|2;Y:a");
    const auto b = CategoryTagMap::fromString ("Y:b|a;Z:q;X:2");
    a.addAll (b);
    EXPECT_EQ (a.toString(), "X:1|2;Y:a|b;Z:q");

    CategoryTagMap result;
    CategoryTagMap::fromString ("X:2;Y:b").intersectInto (CategoryTagMap::fromString ("X:1|2;Y:a|b;W:b"), result);
    EXPECT_EQ (result.toString(), "X:2;Y:b");
}

TEST (CategoryTagMap, OrderLikeSortsTagsAndOrdersCategoriesIgnoringCase)
{
    auto map = CategoryTagMap::fromString ("Degradation:noisy|Heavy|12 x|2 x;Other:b|a;Vintage Sampler:Drums|8 Bit");
    auto sortedOnly = map;
    sortedOnly.orderLike (true, false, {});
    EXPECT_EQ (sortedOnly.toString(), "Degradation:2 x|12 x|Heavy|noisy;Other:a|b;Vintage Sampler:8 Bit|Drums");

    map.orderLike (false, true, { "vintage sampler", "DEGRADATION", "Missing" });
    EXPECT_EQ (map.getCategoryNames(), juce::StringArray ({ "Vintage Sampler", "Degradation", "Other" }));
    EXPECT_EQ (map.getTagList (0), juce::StringArray ({ "Drums", "8 Bit" }));
}

TEST (TagDictionary, NumbersCategoriesInBlocksOfAThousand)
{
    TagDictionary dictionary;
    dictionary.addAll (CategoryTagMap::fromString ("Vintage Sampler:12 Bit|8 Bit;Degradation:Subtle"));
    dictionary.addAll (CategoryTagMap::fromString ("Degradation:Heavy|Subtle;Vintage Sampler:Drums"));

    EXPECT_EQ (dictionary.getId ("Vintage Sampler"), 1000);
    EXPECT_EQ (dictionary.getId ("Vintage Sampler", "12 Bit"), 1001);
    EXPECT_EQ (dictionary.getId ("Vintage Sampler", "8 Bit"), 1002);
    EXPECT_EQ (dictionary.getId ("Vintage Sampler", "Drums"), 1003);
    EXPECT_EQ (dictionary.getId ("Degradation"), 2000);
    EXPECT_EQ (dictionary.getId ("Degradation", "Subtle"), 2001);
    EXPECT_EQ (dictionary.getId ("Degradation", "Heavy"), 2002);
    EXPECT_EQ (dictionary.getId ("Degradation", "nope"), 0);
    EXPECT_EQ (dictionary.getId ("nope"), 0);

    juce::String category, tag;
    EXPECT_TRUE (dictionary.getCategoryAndTag (2002, category, tag));
    EXPECT_EQ (category, "Degradation");
    EXPECT_EQ (tag, "Heavy");
    EXPECT_EQ (dictionary.getCategoryName (1003), "Vintage Sampler");
    EXPECT_EQ (dictionary.getTagName (1003), "Drums");
    EXPECT_EQ (dictionary.getTagName (1000), "");
    EXPECT_EQ (dictionary.getTagName (1999), "");
    EXPECT_EQ (dictionary.getTagName (9001), "");
    EXPECT_FALSE (dictionary.getCategoryAndTag (-5, category, tag));
}

TEST (TagDictionary, AThousandthTagGetsNoId)
{
    TagDictionary dictionary;
    CategoryTagMap many;

    for (int i = 0; i < 1005; ++i)
        many.add ("C", "t" + juce::String (i));

    dictionary.addAll (many);
    EXPECT_EQ (dictionary.getId ("C", "t998"), 1999);
    EXPECT_EQ (dictionary.getId ("C", "t999"), 0);
}

TEST (TagIdSet, SetsAndFilterHelpers)
{
    TagDictionary dictionary;
    const auto tags = CategoryTagMap::fromString ("A:x|y;B:z");
    dictionary.addAll (tags);

    TagIdSet ids;
    ids.setFromTags (dictionary, tags);
    EXPECT_EQ (ids.getIds(), juce::Array<int> ({ 1001, 1002, 2001 }));

    TagIdSet other { 1002, 5000, 1002 };
    EXPECT_EQ (other.size(), 2);
    other.addIds (ids);
    EXPECT_EQ (other.size(), 4);
    EXPECT_TRUE (other.containsAll (ids));
    EXPECT_FALSE (ids.containsAll (other));
    EXPECT_TRUE (ids.containsAny (other));

    auto common = other;
    common.keepOnly ({ 1001, 2001 });
    EXPECT_EQ (common.getIds(), juce::Array<int> ({ 1001, 2001 }));
    other.removeIds (common);
    EXPECT_EQ (other.getIds(), juce::Array<int> ({ 1002, 5000 }));

    CategoryTagMap back;
    back.setFromTagIds (TagIdSet { 2001, 1002, 7777 }, dictionary);
    EXPECT_EQ (back.toString(), "B:z;A:y");
}
