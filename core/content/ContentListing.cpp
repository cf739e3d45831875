#include "core/content/ContentListing.h"
#include <unordered_map>

ContentListing::ContentListing (std::vector<Record> recordsInOrder, juce::StringArray lines)
    : records (std::move (recordsInOrder)), logLines (std::move (lines))
{
    // Items mostly share a few tag maps: each distinct map is merged and counted once.
    std::unordered_map<const CategoryTagMap*, int> usesOfMap;
    std::vector<const CategoryTagMap*> inOrder;
    usesOfMap.reserve (records.size());

    for (const auto& r : records)
    {
        const auto [found, isNew] = usesOfMap.try_emplace (r.tags.get(), 0);
        ++found->second;

        if (isNew)
            inOrder.push_back (r.tags.get());
    }

    for (const auto* map : inOrder)
    {
        tags.addAll (*map);
        uses.add (*map, usesOfMap[map]);
    }
}
