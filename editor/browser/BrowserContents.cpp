#include "editor/browser/BrowserContents.h"

bool BrowserContents::addSource (ContentSource* source, ContentSource::Listener& listener)
{
    if (source == nullptr || sources.contains (source))
        return false;

    source->setTagDictionary (&tagDictionary);
    source->addListener (&listener);
    source->refresh();
    sources.add (source);
    return true;
}

void BrowserContents::releaseSources (ContentSource::Listener& listener)
{
    for (auto* source : sources)
    {
        source->removeListener (&listener);
        source->setTagDictionary (nullptr);
    }
}

void BrowserContents::clear()
{
    items.clearQuick();
    tags.clear();
}

void BrowserContents::gather (ContentSource* currentSource, bool editing)
{
    bool anySelected = false;

    for (auto* source : sources)
        anySelected = anySelected || source->selected;

    for (auto* source : sources)
        source->setActive (anySelected ? source->selected : true);

    for (auto* source : sources)
    {
        const bool contributes = editing ? source == currentSource && source->active : source->active;

        if (! contributes)
            continue;

        tags.addAll (source->tags);

        for (auto* item : source->getItems())
            items.add (item);
    }
}

void BrowserContents::orderTags (bool orderCategories)
{
    tags.orderLike (true, orderCategories, pluginCategories);
}

void BrowserContents::setPluginCategories (const juce::String& text)
{
    pluginCategories = juce::StringArray::fromTokens (text, ";", {});
    pluginCategories.removeEmptyStrings();
}
