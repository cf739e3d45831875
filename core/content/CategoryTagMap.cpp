#include "core/content/CategoryTagMap.h"
#include "core/content/TagDictionary.h"

#include <unordered_map>
#include <unordered_set>

namespace
{
    // Below this many names a list is searched: small maps (one item's) stay light.
    constexpr int hashFrom = 16;

    juce::String cleanName (const juce::String& name)
    {
        return name.replaceCharacters (";:|", "___").trim();
    }

    struct NaturalIgnoringCase
    {
        static int compareElements (const juce::String& a, const juce::String& b)
        {
            return a.compareNatural (b, false);
        }
    };
}

struct CategoryTagMap::Lookup
{
    std::unordered_map<juce::String, int> categories;
    std::vector<std::unordered_set<juce::String>> tags;   // parallel to categories
};

CategoryTagMap::CategoryTagMap() = default;
CategoryTagMap::~CategoryTagMap() = default;
CategoryTagMap::CategoryTagMap (CategoryTagMap&&) noexcept = default;
CategoryTagMap& CategoryTagMap::operator= (CategoryTagMap&&) noexcept = default;

CategoryTagMap::CategoryTagMap (const CategoryTagMap& other)
    : categories (other.categories), tags (other.tags)
{
}

CategoryTagMap& CategoryTagMap::operator= (const CategoryTagMap& other)
{
    if (this != &other)
    {
        categories = other.categories;
        tags = other.tags;
        lookup.reset();
    }

    return *this;
}

CategoryTagMap::Lookup* CategoryTagMap::getLookup() const
{
    if (lookup == nullptr)
    {
        lookup = std::make_unique<Lookup>();
        lookup->categories.reserve ((size_t) categories.size());
        lookup->tags.resize ((size_t) categories.size());

        for (int i = 0; i < categories.size(); ++i)
        {
            lookup->categories.emplace (categories[i], i);
            const auto& list = tags.getReference (i);
            lookup->tags[(size_t) i].insert (list.begin(), list.end());
        }
    }

    return lookup.get();
}

int CategoryTagMap::indexOfCategory (const juce::String& category) const
{
    if (lookup == nullptr && categories.size() < hashFrom)
        return categories.indexOf (category);

    const auto found = getLookup()->categories.find (category);
    return found != lookup->categories.end() ? found->second : -1;
}

CategoryTagMap CategoryTagMap::fromString (const juce::String& text)
{
    // One walk over the text: only the names kept are made into strings (a listing parses
    // every distinct tag text of a folder).
    using Pointer = juce::String::CharPointerType;

    const auto find = [] (Pointer p, Pointer end, juce::juce_wchar c) {
        while (p < end && *p != c)
            ++p;

        return p;
    };

    // As juce::String::trim does it.
    const auto trimmed = [] (Pointer start, Pointer end) {
        while (start < end && start.isWhitespace())
            ++start;

        while (end > start)
        {
            auto last = end;

            if (! (--last).isWhitespace())
                break;

            end = last;
        }

        return start < end ? juce::String (start, end) : juce::String();
    };

    CategoryTagMap map;
    int numTags = 0;
    auto part = text.getCharPointer();
    const auto end = part.findTerminatingNull();

    while (part < end)
    {
        const auto partEnd = find (part, end, ';');
        const auto colon = find (part, partEnd, ':');
        const auto category = trimmed (part, colon);
        part = partEnd < end ? partEnd + 1 : end;

        if (category.isEmpty())
            continue;

        auto at = map.indexOfCategory (category);

        if (at < 0)
        {
            if (map.getNumCategories() >= maxCategoriesPerItem)
                break;

            map.add (category, {});
            at = map.getNumCategories() - 1;
        }

        auto tag = colon < partEnd ? colon + 1 : partEnd;

        while (tag < partEnd)
        {
            const auto tagEnd = find (tag, partEnd, '|');
            const auto name = trimmed (tag, tagEnd);
            tag = tagEnd < partEnd ? tagEnd + 1 : partEnd;

            if (name.isEmpty())
                continue;

            if (numTags >= maxTagsPerItem)
                return map;

            if (! map.containsTagAt (at, name))
            {
                map.addTagAt (at, name);
                ++numTags;
            }
        }
    }

    return map;
}

juce::String CategoryTagMap::toString() const
{
    juce::StringArray parts;

    for (int i = 0; i < categories.size(); ++i)
    {
        juce::StringArray cleanTags;

        for (const auto& t : tags.getReference (i))
            cleanTags.add (cleanName (t));

        parts.add (cleanName (categories[i]) + ":" + cleanTags.joinIntoString ("|"));
    }

    return parts.joinIntoString (";");
}

void CategoryTagMap::add (const juce::String& category, const juce::String& tag)
{
    if (category.isEmpty())
        return;

    auto at = indexOfCategory (category);

    if (at < 0)
    {
        categories.add (category);
        tags.add ({});
        at = categories.size() - 1;

        if (lookup != nullptr)
        {
            lookup->categories.emplace (category, at);
            lookup->tags.emplace_back();
        }
    }

    addTagAt (at, tag);
}

void CategoryTagMap::addAll (const CategoryTagMap& other)
{
    for (int i = 0; i < other.categories.size(); ++i)
    {
        add (other.categories[i], {});

        for (const auto& t : other.tags.getReference (i))
            add (other.categories[i], t);
    }
}

void CategoryTagMap::addTagAt (int categoryIndex, const juce::String& tag)
{
    if (! juce::isPositiveAndBelow (categoryIndex, categories.size()) || tag.isEmpty())
        return;

    if (containsTagAt (categoryIndex, tag))
        return;

    tags.getReference (categoryIndex).add (tag);

    if (lookup != nullptr)
        lookup->tags[(size_t) categoryIndex].insert (tag);
}

void CategoryTagMap::clear()
{
    categories.clear();
    tags.clear();
    lookup.reset();
}

bool CategoryTagMap::contains (const juce::String& category, const juce::String& tag) const
{
    return containsTagAt (indexOfCategory (category), tag);
}

bool CategoryTagMap::containsTagAt (int categoryIndex, const juce::String& tag) const
{
    if (! juce::isPositiveAndBelow (categoryIndex, categories.size()))
        return false;

    const auto& list = tags.getReference (categoryIndex);

    if (lookup == nullptr && list.size() < hashFrom)
        return list.contains (tag);

    return getLookup()->tags[(size_t) categoryIndex].count (tag) != 0;
}

CategoryTagMap CategoryTagMap::getTags (const juce::String& category) const
{
    return getTagsAt (indexOfCategory (category));
}

CategoryTagMap CategoryTagMap::getTagsAt (int categoryIndex) const
{
    CategoryTagMap result;

    if (juce::isPositiveAndBelow (categoryIndex, categories.size()))
    {
        result.categories.add (categories[categoryIndex]);
        result.tags.add (tags.getReference (categoryIndex));
    }

    return result;
}

void CategoryTagMap::intersectInto (const CategoryTagMap& other, CategoryTagMap& result) const
{
    for (int i = 0; i < other.categories.size(); ++i)
        for (const auto& t : other.tags.getReference (i))
            if (contains (other.categories[i], t))
                result.add (other.categories[i], t);
}

void CategoryTagMap::orderLike (bool sortTags, bool orderCategories, const juce::StringArray& reference)
{
    // Sorting moves tags only within their categories: the look-up stays true.
    if (sortTags)
    {
        NaturalIgnoringCase comparator;

        for (auto& list : tags)
            list.strings.sort (comparator, true);
    }

    if (orderCategories)
    {
        CategoryTagMap ordered;
        std::vector<bool> taken ((size_t) categories.size(), false);

        const auto take = [&] (int i) {
            taken[(size_t) i] = true;
            ordered.categories.add (categories[i]);
            ordered.tags.add (tags.getReference (i));
        };

        for (const auto& name : reference)
            for (int i = 0; i < categories.size(); ++i)
                if (! taken[(size_t) i] && categories[i].equalsIgnoreCase (name))
                    take (i);

        for (int i = 0; i < categories.size(); ++i)
            if (! taken[(size_t) i])
                take (i);

        *this = std::move (ordered);
    }
}

void CategoryTagMap::removeCategory (const juce::String& category)
{
    const auto at = indexOfCategory (category);

    if (at >= 0)
    {
        categories.remove (at);
        tags.remove (at);
        lookup.reset();
    }
}

void CategoryTagMap::removeTag (const juce::String& category, const juce::String& tag)
{
    const auto at = indexOfCategory (category);

    if (at >= 0)
    {
        tags.getReference (at).removeString (tag);

        if (lookup != nullptr)
            lookup->tags[(size_t) at].erase (tag);
    }
}

void CategoryTagMap::setFromTagIds (const TagIdSet& ids, const TagDictionary& dictionary)
{
    clear();

    for (const auto id : ids.getIds())
    {
        juce::String category, tag;

        if (dictionary.getCategoryAndTag (id, category, tag))
            add (category, tag);
    }
}

int CategoryTagMap::getNumTags() const
{
    int n = 0;

    for (const auto& list : tags)
        n += list.size();

    return n;
}

const juce::StringArray& CategoryTagMap::getTagList (int categoryIndex) const
{
    static const juce::StringArray none;
    return juce::isPositiveAndBelow (categoryIndex, categories.size()) ? tags.getReference (categoryIndex) : none;
}

bool CategoryTagMap::operator== (const CategoryTagMap& other) const
{
    return categories == other.categories && tags == other.tags;
}
