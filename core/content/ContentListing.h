#pragma once

#include "core/content/TagUseCounts.h"
#include <memory>
#include <vector>

/** What a content source lists at a refresh: its items in the list's order with their tags,
    the tags of all of them with the number of items using each, and what the log says about
    the data left out. Made once and never changed, so the sources of every instance that list
    the same folder share one, on any thread. */
class ContentListing
{
public:
    struct Record
    {
        juce::String name;
        /** The name in upper case: the list's order ignoring case. */
        juce::String foldedName;
        /** Never null; records with equal tags may share one map (counted once). */
        std::shared_ptr<const CategoryTagMap> tags;
    };

    ContentListing (std::vector<Record> records, juce::StringArray logLines);

    const std::vector<Record>& getRecords() const noexcept { return records; }
    /** Every record's tags, in order of first use. */
    const CategoryTagMap& getTags() const noexcept { return tags; }
    const TagUseCounts& getTagUses() const noexcept { return uses; }
    /** Lines for the log: data left out, and why. */
    const juce::StringArray& getLogLines() const noexcept { return logLines; }

private:
    const std::vector<Record> records;
    const juce::StringArray logLines;
    CategoryTagMap tags;
    TagUseCounts uses;

    JUCE_DECLARE_NON_COPYABLE (ContentListing)
};
