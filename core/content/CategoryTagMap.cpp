#include "core/content/CategoryTagMap.h"
#include "core/content/TagDictionary.h"

namespace
{
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

CategoryTagMap CategoryTagMap::fromString (const juce::String& text)
{
    CategoryTagMap map;

    for (const auto& part : juce::StringArray::fromTokens (text, ";", {}))
    {
        const auto colon = part.indexOfChar (':');
        const auto category = (colon < 0 ? part : part.substring (0, colon)).trim();

        if (category.isEmpty())
            continue;

        map.add (category, {});

        if (colon >= 0)
            for (const auto& tag : juce::StringArray::fromTokens (part.substring (colon + 1), "|", {}))
                if (tag.trim().isNotEmpty())
                    map.add (category, tag.trim());
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

    auto index = categories.indexOf (category);

    if (index < 0)
    {
        categories.add (category);
        tags.add ({});
        index = categories.size() - 1;
    }

    addTagAt (index, tag);
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

    auto& list = tags.getReference (categoryIndex);

    if (! list.contains (tag))
        list.add (tag);
}

void CategoryTagMap::clear()
{
    categories.clear();
    tags.clear();
}

bool CategoryTagMap::contains (const juce::String& category, const juce::String& tag) const
{
    return containsTagAt (categories.indexOf (category), tag);
}

bool CategoryTagMap::containsTagAt (int categoryIndex, const juce::String& tag) const
{
    return juce::isPositiveAndBelow (categoryIndex, categories.size())
        && tags.getReference (categoryIndex).contains (tag);
}

CategoryTagMap CategoryTagMap::getTags (const juce::String& category) const
{
    return getTagsAt (categories.indexOf (category));
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
    if (sortTags)
    {
        NaturalIgnoringCase comparator;

        for (auto& list : tags)
            list.strings.sort (comparator, true);
    }

    if (orderCategories)
    {
        CategoryTagMap ordered;

        for (const auto& name : reference)
        {
            for (int i = 0; i < categories.size(); ++i)
            {
                if (categories[i].equalsIgnoreCase (name) && ! ordered.categories.contains (categories[i]))
                {
                    ordered.categories.add (categories[i]);
                    ordered.tags.add (tags.getReference (i));
                }
            }
        }

        for (int i = 0; i < categories.size(); ++i)
        {
            if (! ordered.categories.contains (categories[i]))
            {
                ordered.categories.add (categories[i]);
                ordered.tags.add (tags.getReference (i));
            }
        }

        *this = std::move (ordered);
    }
}

void CategoryTagMap::removeCategory (const juce::String& category)
{
    const auto index = categories.indexOf (category);

    if (index >= 0)
    {
        categories.remove (index);
        tags.remove (index);
    }
}

void CategoryTagMap::removeTag (const juce::String& category, const juce::String& tag)
{
    const auto index = categories.indexOf (category);

    if (index >= 0)
        tags.getReference (index).removeString (tag);
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
