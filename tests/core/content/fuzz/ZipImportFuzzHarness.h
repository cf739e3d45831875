#pragma once

#include "core/content/PackageImportJob.h"
#include "core/content/PresetSources.h"
#include "core/parameters/ParameterManager.h"

#include <cstddef>
#include <cstdint>

/** One fuzzing round over the ZIP import: the input is the archive. The job runs into a preset
    folder that holds two presets already, answering its questions from the input's last byte.
    Whatever the archive says, every file written stays inside the folder with a plain item
    name, nothing is left half-written, and the counts add up. Returns false when an
    invariant breaks. */
class ZipImportFuzzHarness : private PresetTarget
{
public:
    ZipImportFuzzHarness()
        : sandbox (juce::File::getSpecialLocation (juce::File::tempDirectory)
                       .getChildFile ("grindel-zip-fuzz-" + juce::String (juce::Time::currentTimeMillis()) + "-"
                                      + juce::String (juce::Random::getSystemRandom().nextInt (1 << 30)))),
          folder (sandbox.getChildFile ("User/Presets")),
          source (*this, folder)
    {
        sandbox.createDirectory();
    }

    ~ZipImportFuzzHarness() override { sandbox.deleteRecursively(); }

    bool run (const uint8_t* data, size_t size)
    {
        if (size > (4u << 20))
            return true;

        folder.deleteRecursively();
        folder.createDirectory();

        for (auto name : { "Taken", "Other" })
        {
            Preset preset;
            preset.name = name;

            if (! preset.saveToFile (folder.getChildFile (juce::String (name) + Preset::fileExtension)))
                return false;
        }

        source.refresh();
        const auto archive = sandbox.getChildFile ("in.grzip");

        if (! archive.replaceWithData (data, size))
            return true;

        PackageImportJob job;
        int added = 0;
        job.onItemAdded = [&added] (ContentItem*) { ++added; };
        auto state = job.start (archive, source);
        const int choice = size > 0 ? data[size - 1] : 0;

        for (int questions = 0; state == PackageImportJob::State::conflict; ++questions)
        {
            if (questions > 10000)
                return false;   // a job that never ends

            switch ((choice + questions) % 6)
            {
                case 0: state = job.replace(); break;
                case 1: state = job.skip(); break;
                case 2: state = job.replaceAll(); break;
                case 3: state = job.skipAll(); break;
                case 4: state = job.rename (job.suggestName()); break;
                default:
                    job.cancel();
                    state = job.getState();
                    break;
            }
        }

        if (state != PackageImportJob::State::finished || added < job.getCounts().imported)
            return false;

        // Whatever an imported preset holds, a rename and a tag edit keep it a preset that
        // carries the new name and tags.
        if (auto* item = source.getNumItems() > 2 ? source.getItems().getLast() : nullptr)
        {
            const juce::String name (juce::CharPointer_UTF8 ("Renamed \xe2\x98\xba"));
            const auto tags = CategoryTagMap::fromString ("A:b&c;\"d\":<e>");

            Preset edited;

            if (item->rename (name) && (! edited.loadFromFile (source.getFileForName (name)) || edited.name != name))
                return false;

            if (item->setTags (tags).wasOk() && (! edited.loadFromFile (source.getFileForName (item->name)) || edited.getTagMap() != tags))
                return false;
        }

        // Only the archive and the folder's own plain, complete preset files.
        for (const auto& file : sandbox.findChildFiles (juce::File::findFiles, true, "*"))
        {
            if (file == archive)
                continue;

            if (file.getParentDirectory() != folder || file.getFileName().startsWithChar ('.')
                || ! file.hasFileExtension (Preset::fileExtension)
                || ContentSource::makeSafeItemName (file.getFileNameWithoutExtension()) != file.getFileNameWithoutExtension()
                || file.getFileNameWithoutExtension().containsAnyOf (";:|"))
                return false;

            juce::String error;

            if (Preset().loadFromFile (file, &error) == false)
                return false;
        }

        return true;
    }

private:
    juce::String getDisplayName() const override { return "Grindel 2"; }
    ParameterManager& getParameterManager() noexcept override { return manager; }
    juce::String getAuthorName() const override { return {}; }
    bool loadPreset (const Preset&, int, bool) override { return true; }
    void storePresetValues (Preset&, int) override {}
    void presetStored (const Preset&) override {}
    void logMessage (const juce::String&) override {}

    const juce::File sandbox, folder;
    ParameterManager manager;
    PresetsDirectoryContent<Preset> source;
};
