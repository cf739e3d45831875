#pragma once

#include <juce_core/juce_core.h>

/** The plug-in's data folders and its table of named folders.

    Both roots are "Application Support", then the maker's folder, then the product's name,
    under the user's and the machine's library. The environment variable GRINDEL_DATA_ROOT
    moves both (to "<root>/User" and "<root>/Common"); every test uses it. */
class ApplicationFolders
{
public:
    static constexpr const char* appData = "AppData";
    static constexpr const char* userData = "UserData";
    static constexpr const char* userStore = "UserStore";

    ApplicationFolders (const juce::String& makerName, const juce::String& productName);

    juce::File getCommonFolder() const { return getFolder (appData); }
    juce::File getUserFolder() const { return getFolder (userData); }

    /** A named folder; an empty File when the name is unknown. */
    juce::File getFolder (const juce::String& name) const;
    void setFolder (const juce::String& name, const juce::File& folder);

private:
    juce::StringPairArray table;
};
