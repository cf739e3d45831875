#pragma once

#include "core/content/CategoryTagMap.h"
#include <unordered_map>

/** A set of tag ids without duplicates: the tags of one item, used for any/all filtering. */
class TagIdSet
{
public:
    TagIdSet() = default;
    TagIdSet (std::initializer_list<int> ids);

    /** Adds the id when not present and not 0; true when added. */
    bool add (int id);
    /** Adds every id not yet present. */
    void addIds (const TagIdSet& ids);
    void remove (int id) { ids.removeFirstMatchingValue (id); }
    /** Removes every id of the other set. */
    void removeIds (const TagIdSet& other);
    /** Keeps only the ids the other set also has. */
    void keepOnly (const TagIdSet& other);
    void clear() { ids.clearQuick(); }

    bool contains (int id) const { return ids.contains (id); }
    bool containsAll (const TagIdSet& other) const;
    bool containsAny (const TagIdSet& other) const;
    bool isEmpty() const noexcept { return ids.isEmpty(); }
    int size() const noexcept { return ids.size(); }
    const juce::Array<int>& getIds() const noexcept { return ids; }

    /** Fills the set with the ids of all tags of the map (pairs the dictionary lacks are
        skipped). */
    void setFromTags (const TagDictionary& dictionary, const CategoryTagMap& tags);

    bool operator== (const TagIdSet& other) const { return ids == other.ids; }

private:
    juce::Array<int> ids;
};

/** The numbering of categories and tags shared by the content sources of one browser.
    Category i (from 0, in order of first appearance) has the id (i + 1) x 1000; its tags, in
    order of first appearance, have the ids that follow it (category id + 1 ... + 999). Ids
    never change once given; a category's thousandth tag gets no id, nor a category beyond
    maxCategories (ids stay far inside an int). Look-ups are hashed. */
class TagDictionary
{
public:
    static constexpr int blockSize = 1000;
    static constexpr int maxTagsPerCategory = blockSize - 1;
    static constexpr int maxCategories = 100000;

    TagDictionary() = default;

    /** Merges the map and gives new categories and tags their ids. */
    void addAll (const CategoryTagMap& tags);

    /** The id of the category (tag empty) or of the pair; 0 when absent. */
    int getId (const juce::String& category, const juce::String& tag = {}) const;
    /** Both parts of the id's text; false (both empty) when the id is unknown. A category id
        gives the category and an empty tag. */
    bool getCategoryAndTag (int id, juce::String& category, juce::String& tag) const;
    juce::String getCategoryName (int id) const;
    /** Empty when absent. */
    juce::String getTagName (int id) const;

    /** Everything the dictionary knows, in id order. */
    const CategoryTagMap& getAllTags() const noexcept { return all; }
    void clear();

private:
    struct CategoryIds
    {
        int id = 0;
        std::unordered_map<juce::String, int> tags;
    };

    CategoryTagMap all;
    std::unordered_map<juce::String, CategoryIds> ids;   // category -> its id and its tags' ids
};
