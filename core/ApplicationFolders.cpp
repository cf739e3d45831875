#include "core/ApplicationFolders.h"

namespace
{
    juce::File getRoot (bool user)
    {
        const auto moved = juce::SystemStats::getEnvironmentVariable ("GRINDEL_DATA_ROOT", {});

        if (moved.isNotEmpty())
            return juce::File (moved).getChildFile (user ? "User" : "Common");

        return juce::File::getSpecialLocation (user ? juce::File::userApplicationDataDirectory
                                                    : juce::File::commonApplicationDataDirectory);
    }
}

ApplicationFolders::ApplicationFolders (const juce::String& makerName, const juce::String& productName)
{
    const auto below = [&] (bool user) {
        return getRoot (user).getChildFile ("Application Support").getChildFile (makerName).getChildFile (productName);
    };

    setFolder (appData, below (false));
    setFolder (userData, below (true));
    setFolder (userStore, below (true));
}

juce::File ApplicationFolders::getFolder (const juce::String& name) const
{
    const auto path = table.getValue (name, {});
    return path.isEmpty() ? juce::File() : juce::File (path);
}

void ApplicationFolders::setFolder (const juce::String& name, const juce::File& folder)
{
    table.set (name, folder.getFullPathName());
}
