#pragma once

#include <juce_core/juce_core.h>
#include <memory>

class TagDictionary;
class TagIdSet;

/** Categories in order, each with its tags in order. Names compare exactly (case-sensitive)
    unless an operation says otherwise.

    Text form: categories separated by ";", each category's name followed by ":" and its tags
    separated by "|", for example "Vintage Sampler:12 Bit|Lo-Fi;Degradation:Crunchy". The three
    separators cannot be part of a name: the text form writes them as "_". */
class CategoryTagMap
{
public:
    /** The most one item's text form gives (fromString): what lies beyond is dropped. */
    static constexpr int maxCategoriesPerItem = 64;
    static constexpr int maxTagsPerItem = 256;

    CategoryTagMap();
    ~CategoryTagMap();
    CategoryTagMap (const CategoryTagMap& other);
    CategoryTagMap& operator= (const CategoryTagMap& other);
    CategoryTagMap (CategoryTagMap&&) noexcept;
    CategoryTagMap& operator= (CategoryTagMap&&) noexcept;

    /** Parses the text form; empty names are skipped, names are trimmed; at most
        maxCategoriesPerItem categories and maxTagsPerItem tags are read. */
    static CategoryTagMap fromString (const juce::String& text);
    juce::String toString() const;

    /** Appends the category when new and the tag when absent (an empty tag adds only the
        category). Empty category names are ignored. */
    void add (const juce::String& category, const juce::String& tag);
    /** Adds every (category, tag) pair of the other map that is missing, in that map's order. */
    void addAll (const CategoryTagMap& other);
    /** Adds the tag to the category at the index; ignored when out of range. */
    void addTagAt (int categoryIndex, const juce::String& tag);
    void clear();

    bool contains (const juce::String& category, const juce::String& tag) const;
    bool containsTagAt (int categoryIndex, const juce::String& tag) const;
    bool containsCategory (const juce::String& category) const { return indexOfCategory (category) >= 0; }

    /** Only that category with its tags (empty when absent). */
    CategoryTagMap getTags (const juce::String& category) const;
    /** Only the category at the index with its tags (empty when out of range). */
    CategoryTagMap getTagsAt (int categoryIndex) const;

    /** Adds to result every pair of other that this map also contains. */
    void intersectInto (const CategoryTagMap& other, CategoryTagMap& result) const;

    /** sortTags: every category's tags are sorted (natural order, ignoring case).
        orderCategories: categories named in reference (matched ignoring case) move to the
        front in the reference's order; the others follow in their present order. */
    void orderLike (bool sortTags, bool orderCategories, const juce::StringArray& reference);

    void removeCategory (const juce::String& category);
    void removeTag (const juce::String& category, const juce::String& tag);

    /** Clears the map, then adds the category and tag of every id (ids the dictionary does not
        know are skipped). */
    void setFromTagIds (const TagIdSet& ids, const TagDictionary& dictionary);

    int getNumCategories() const noexcept { return categories.size(); }
    bool isEmpty() const noexcept { return categories.isEmpty(); }
    int getNumTags() const;
    const juce::StringArray& getCategoryNames() const noexcept { return categories; }
    juce::String getCategoryName (int index) const { return categories[index]; }
    /** The tags of the category at the index (empty when out of range). */
    const juce::StringArray& getTagList (int categoryIndex) const;
    /** Hashed once the map is large, like every look-up by name. */
    int indexOfCategory (const juce::String& category) const;

    bool operator== (const CategoryTagMap& other) const;
    bool operator!= (const CategoryTagMap& other) const { return ! operator== (other); }

private:
    juce::StringArray categories;
    juce::Array<juce::StringArray> tags;   // parallel to categories

    // Hashed look-ups for maps too large to search (a source's or dictionary's totals): made
    // on first need, kept up by appends, dropped by every other change and by copies.
    struct Lookup;
    mutable std::unique_ptr<Lookup> lookup;
    Lookup* getLookup() const;
};
