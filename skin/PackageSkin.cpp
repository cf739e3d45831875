#include "skin/PackageSkin.h"
#include "core/parameters/BoundedXmlReader.h"

const juce::String PackageSkin::notFoundText ("Skin file not found.");
const juce::String PackageSkin::notAPackageText ("Skin file is not a skin package.");

PackageSkin::PackageSkin (const juce::File& packageFile, BasePlugin* p)
    : Skin (p), file (packageFile)
{
}

PackageSkin::~PackageSkin() = default;

bool PackageSkin::open()
{
    if (opened)
        return zip != nullptr;

    opened = true;

    if (! file.existsAsFile())
    {
        openError = notFoundText;
        return false;
    }

    // A file that is not a ZIP, or an empty one, lists no entries.
    auto candidate = std::make_unique<juce::ZipFile> (file);

    if (candidate->getNumEntries() == 0)
    {
        openError = notAPackageText;
        return false;
    }

    zip = std::move (candidate);

    // A package saved anew gets a new stamp, and with it images of its own.
    const auto stamp = BoundedXmlReader::stampOf (file);
    sharedImageKey = file.getFullPathName() + "\n" + juce::String (stamp.modified) + " " + juce::String (stamp.size) + " " + juce::String ((juce::int64) stamp.id);
    return true;
}

juce::String PackageSkin::getSharedImageKey()
{
    return open() ? sharedImageKey : juce::String();
}

juce::String PackageSkin::getStorageError() const
{
    return openError;
}

std::unique_ptr<juce::InputStream> PackageSkin::openFile (const juce::String& fileName)
{
    if (! isSafeFileName (fileName) || ! open())
        return nullptr;

    const int index = zip->getIndexOfFileName (fileName, false);

    if (index < 0)
        return nullptr;

    return std::unique_ptr<juce::InputStream> (zip->createStreamForEntry (index));
}
