#pragma once

#include "core/content/CategoryTagMap.h"
#include <unordered_map>

/** How many items use each category and each tag: a removed item's tags leave a source's tags
    when nothing else uses them, without a walk of every item. Looked up by name (no joined
    texts are made), a category's tags inside it. */
class TagUseCounts
{
public:
    /** Counts times more uses of every category and tag of one item's tags. */
    void add (const CategoryTagMap& itemTags, int times = 1);
    /** Counts one use fewer of every category and tag of one item's tags; those no item uses
        any more are taken out of total (a tag or category never counted too). */
    void remove (const CategoryTagMap& itemTags, CategoryTagMap& total);

    /** The uses of the category (tag empty) or of the pair. */
    int getUses (const juce::String& category, const juce::String& tag = {}) const;
    void clear() { categories.clear(); }

private:
    struct Category
    {
        int uses = 0;
        std::unordered_map<juce::String, int> tags;
    };

    std::unordered_map<juce::String, Category> categories;
};
