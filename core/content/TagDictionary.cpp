#include "core/content/TagDictionary.h"

TagIdSet::TagIdSet (std::initializer_list<int> list)
{
    for (auto id : list)
        add (id);
}

bool TagIdSet::add (int id)
{
    if (id == 0 || ids.contains (id))
        return false;

    ids.add (id);
    return true;
}

void TagIdSet::addIds (const TagIdSet& other)
{
    for (auto id : other.ids)
        add (id);
}

void TagIdSet::removeIds (const TagIdSet& other)
{
    ids.removeValuesIn (other.ids);
}

void TagIdSet::keepOnly (const TagIdSet& other)
{
    ids.removeValuesNotIn (other.ids);
}

bool TagIdSet::containsAll (const TagIdSet& other) const
{
    for (auto id : other.ids)
        if (! ids.contains (id))
            return false;

    return true;
}

bool TagIdSet::containsAny (const TagIdSet& other) const
{
    for (auto id : other.ids)
        if (ids.contains (id))
            return true;

    return false;
}

void TagIdSet::setFromTags (const TagDictionary& dictionary, const CategoryTagMap& tags)
{
    ids.clearQuick();

    for (int c = 0; c < tags.getNumCategories(); ++c)
    {
        const auto category = tags.getCategoryName (c);

        for (const auto& tag : tags.getTagList (c))
            add (dictionary.getId (category, tag));
    }
}

//==============================================================================
void TagDictionary::addAll (const CategoryTagMap& tags)
{
    for (int c = 0; c < tags.getNumCategories(); ++c)
    {
        const auto category = tags.getCategoryName (c);
        auto index = all.indexOfCategory (category);

        if (index < 0)
        {
            if (all.getNumCategories() >= maxCategories)
                continue;

            all.add (category, {});
            index = all.getNumCategories() - 1;
            ids[category].id = (index + 1) * blockSize;
        }

        const auto categoryId = (index + 1) * blockSize;
        auto& tagIds = ids[category].tags;

        for (const auto& tag : tags.getTagList (c))
        {
            const auto numKnown = all.getTagList (index).size();

            if (tag.isEmpty() || all.containsTagAt (index, tag) || numKnown >= maxTagsPerCategory)
                continue;

            all.addTagAt (index, tag);
            tagIds[tag] = categoryId + numKnown + 1;
        }
    }
}

int TagDictionary::getId (const juce::String& category, const juce::String& tag) const
{
    const auto it = ids.find (category);

    if (it == ids.end())
        return 0;

    if (tag.isEmpty())
        return it->second.id;

    const auto t = it->second.tags.find (tag);
    return t != it->second.tags.end() ? t->second : 0;
}

bool TagDictionary::getCategoryAndTag (int id, juce::String& category, juce::String& tag) const
{
    category = {};
    tag = {};

    const auto categoryIndex = id / blockSize - 1;
    const auto tagIndex = id % blockSize - 1;

    if (id <= 0 || categoryIndex >= all.getNumCategories())
        return false;

    if (tagIndex < 0)
    {
        category = all.getCategoryName (categoryIndex);
        return true;
    }

    const auto& list = all.getTagList (categoryIndex);

    if (tagIndex >= list.size())
        return false;

    category = all.getCategoryName (categoryIndex);
    tag = list[tagIndex];
    return true;
}

juce::String TagDictionary::getCategoryName (int id) const
{
    juce::String category, tag;
    getCategoryAndTag (id, category, tag);
    return category;
}

juce::String TagDictionary::getTagName (int id) const
{
    juce::String category, tag;
    getCategoryAndTag (id, category, tag);
    return tag;
}

void TagDictionary::clear()
{
    all.clear();
    ids.clear();
}
