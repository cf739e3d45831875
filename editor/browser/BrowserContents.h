#pragma once

#include "core/content/ContentSource.h"

/** What the content browser lists: its sources, the items and tags of the sources that
    contribute, the tag dictionary the sources share while the browser has them, and the
    plug-in's category order. Message thread only. */
class BrowserContents
{
public:
    BrowserContents() = default;

    /** Adds a source once: it shares the dictionary, tells listener of its changes and is
        refreshed. False for null or a source already added. */
    bool addSource (ContentSource* source, ContentSource::Listener& listener);
    /** The sources outlive the browser: they go back to their own dictionary. */
    void releaseSources (ContentSource::Listener& listener);

    /** Forgets the items and tags gathered. */
    void clear();
    /** The selected sources are active, or all when none is; gathers the items and tags of the
        active sources, or with editing of currentSource alone. */
    void gather (ContentSource* currentSource, bool editing);
    /** Orders the tags gathered, and the categories too when asked, like the plug-in's. */
    void orderTags (bool orderCategories);

    /** The plug-in's categories, ";"-separated. */
    void setPluginCategories (const juce::String& text);
    const juce::StringArray& getPluginCategories() const noexcept { return pluginCategories; }

    const juce::Array<ContentSource*>& getSources() const noexcept { return sources; }
    const juce::Array<ContentItem*>& getItems() const noexcept { return items; }
    const CategoryTagMap& getTags() const noexcept { return tags; }
    TagDictionary& getTagDictionary() noexcept { return tagDictionary; }
    const TagDictionary& getTagDictionary() const noexcept { return tagDictionary; }

private:
    juce::Array<ContentSource*> sources;
    juce::Array<ContentItem*> items;
    CategoryTagMap tags;
    TagDictionary tagDictionary;
    juce::StringArray pluginCategories;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrowserContents)
};
