#pragma once

#include "skin/Skin.h"

/** A skin read from a ".orvikskin" package: a ZIP file holding the GUI descriptions and
    images. The package is opened at the first file read, not at construction. */
class PackageSkin : public Skin
{
public:
    static constexpr const char* fileExtension = ".orvikskin";

    PackageSkin (const juce::File& packageFile, BasePlugin* plugin);
    ~PackageSkin() override;

    const juce::File& getFile() const noexcept { return file; }

    std::unique_ptr<juce::InputStream> openFile (const juce::String& fileName) override;
    /** The package's path and its stamp when it was opened. */
    juce::String getSharedImageKey() override;

    static const juce::String notFoundText, notAPackageText;

protected:
    juce::String getStorageError() const override;

private:
    bool open();

    juce::File file;
    std::unique_ptr<juce::ZipFile> zip;
    bool opened = false;
    juce::String openError;
    juce::String sharedImageKey;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PackageSkin)
};
