// The tags' text form: bounded per item, stable after one round trip, and numbered by the
// dictionary without inventing pairs.

#include "core/content/TagDictionary.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto text = juce::String::createStringFromData (data, (int) size);
    const auto map = CategoryTagMap::fromString (text);

    if (map.getNumCategories() > CategoryTagMap::maxCategoriesPerItem || map.getNumTags() > CategoryTagMap::maxTagsPerItem)
        std::abort();

    const auto once = CategoryTagMap::fromString (map.toString());

    if (CategoryTagMap::fromString (once.toString()) != once)
        std::abort();

    TagDictionary dictionary;
    dictionary.addAll (map);
    TagIdSet ids;
    ids.setFromTags (dictionary, map);
    CategoryTagMap back;
    back.setFromTagIds (ids, dictionary);

    for (int c = 0; c < back.getNumCategories(); ++c)
        for (const auto& tag : back.getTagList (c))
            if (! map.contains (back.getCategoryName (c), tag))
                std::abort();

    // The hashed look-ups of a growing total agree with the item's own.
    static CategoryTagMap total;

    if (total.getNumTags() > 100000)
        total.clear();

    total.addAll (map);

    for (int c = 0; c < map.getNumCategories(); ++c)
        for (const auto& tag : map.getTagList (c))
            if (! total.contains (map.getCategoryName (c), tag))
                std::abort();

    return 0;
}
