#include "core/content/TagUseCounts.h"

void TagUseCounts::add (const CategoryTagMap& itemTags, int times)
{
    const auto& names = itemTags.getCategoryNames();

    for (int c = 0; c < names.size(); ++c)
    {
        auto& category = categories[names.getReference (c)];
        category.uses += times;

        for (const auto& tag : itemTags.getTagList (c))
            category.tags[tag] += times;
    }
}

void TagUseCounts::remove (const CategoryTagMap& itemTags, CategoryTagMap& total)
{
    const auto& names = itemTags.getCategoryNames();

    for (int c = 0; c < names.size(); ++c)
    {
        const auto& name = names.getReference (c);
        auto& category = categories[name];

        for (const auto& tag : itemTags.getTagList (c))
        {
            const auto found = category.tags.find (tag);

            if (found == category.tags.end() || --found->second <= 0)
            {
                if (found != category.tags.end())
                    category.tags.erase (found);

                total.removeTag (name, tag);
            }
        }

        if (--category.uses <= 0)
        {
            categories.erase (name);
            total.removeCategory (name);
        }
    }
}

int TagUseCounts::getUses (const juce::String& category, const juce::String& tag) const
{
    const auto found = categories.find (category);

    if (found == categories.end())
        return 0;

    if (tag.isEmpty())
        return found->second.uses;

    const auto t = found->second.tags.find (tag);
    return t != found->second.tags.end() ? t->second : 0;
}
