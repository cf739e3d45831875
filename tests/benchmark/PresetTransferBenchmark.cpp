// The browser's export of 1,000 presets to one archive against writing the same archive with
// juce::ZipFile::Builder alone (goal: at most 1.5 times), and importing that archive into an
// empty user folder against writing each entry's bytes once, as plain files (goal: at most 3
// times).

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "editor/browser/PackageImportExport.h"
#include <benchmark/benchmark.h>

namespace
{
    constexpr int numPresets = 1000;

    /** 1,000 tagged presets in a user folder, and the archive the browser exports of them. */
    struct Fixture : PackageImportExport::Browser
    {
        juce::ScopedJuceInitialiser_GUI juce;
        juce::File root { juce::File::getSpecialLocation (juce::File::tempDirectory)
                              .getNonexistentChildFile ("grindel-bench-transfer", {}, false) };
        juce::File presets { root.getChildFile ("Presets") }, archive { root.getChildFile ("Export.grzip") };
        PluginAudioProcessor processor;
        std::unique_ptr<PresetsDirectoryContent<Preset>> source { std::make_unique<PresetsDirectoryContent<Preset>> (processor.getPlugin(), presets) };
        PackageImportExport transfer { *this, ".grzip", "Grindel 2", "Presets" };
        juce::Array<ContentItem*> selected;

        Fixture()
        {
            juce::Random random (7);

            for (int i = 0; i < numPresets; ++i)
            {
                Preset preset;
                preset.name = "Preset " + juce::String (i);
                preset.application = "Grindel 2";
                preset.id = juce::Uuid().toString();
                preset.tags = "Vintage Sampler:" + juce::String (8 + random.nextInt (8)) + " Bit;Degradation:Heavy";

                for (int id = 0; id < 8; ++id)
                    preset.setValue (id, juce::String (random.nextFloat() * 100.0f, 3));

                preset.saveToFile (presets.getChildFile (preset.name + Preset::fileExtension));
            }

            source->refresh();

            for (auto* item : source->getItems())
                selected.add (item);
        }

        ~Fixture() override { root.deleteRecursively(); }

        ContentSource* getCurrentSource() const override { return source.get(); }
        bool canManageItems() override { return true; }
        juce::Array<ContentItem*> getSelectedItems() override { return selected; }
        juce::Component& getDialogParent() override { return dummy; }
        void importStarted() override {}
        void itemImported (ContentItem*) override {}
        void itemRemoved (ContentItem*) override {}
        void importFinished() override {}

        juce::Component dummy;
    };

    Fixture& fixture()
    {
        static Fixture f;
        return f;
    }

    void exportBuilderAlone (benchmark::State& state)
    {
        auto& f = fixture();
        const auto target = f.root.getChildFile ("Builder.zip");

        for (auto _ : state)
        {
            juce::ZipFile::Builder builder;

            for (auto* item : f.selected)
            {
                const auto file = f.source->getItemFile (item->name);
                builder.addFile (file, 9, file.getFileName());
            }

            juce::FileOutputStream out (target);
            out.setPosition (0);
            out.truncate();
            builder.writeToStream (out, nullptr);
            out.flush();
        }

        state.SetItemsProcessed (state.iterations() * numPresets);
    }

    /** An export run to its end, slice after slice. */
    template <typename Fixture>
    bool exportAll (Fixture& f)
    {
        auto ok = f.transfer.exportTo (f.archive);

        while (f.transfer.runSlice())
        {
        }

        return ok && f.transfer.getMessage() == nullptr;
    }

    void exportSelected (benchmark::State& state)
    {
        auto& f = fixture();

        for (auto _ : state)
            if (! exportAll (f))
                state.SkipWithError ("export failed");

        state.SetItemsProcessed (state.iterations() * numPresets);
    }

    /** The least an import can do: read each entry and write its bytes once to a new file. */
    void writeEachEntryOnce (benchmark::State& state)
    {
        auto& f = fixture();
        exportAll (f);
        const auto folder = f.root.getChildFile ("Unpacked");

        for (auto _ : state)
        {
            state.PauseTiming();
            folder.deleteRecursively();
            folder.createDirectory();
            state.ResumeTiming();

            ZipReader zip (f.archive);
            juce::MemoryBlock data;

            for (int i = 0; i < zip.getNumEntries(); ++i)
            {
                if (zip.read (i, data, PackageImportJob::maxEntrySize) != ZipReader::Status::ok)
                {
                    state.SkipWithError ("unreadable entry");
                    break;
                }

                juce::FileOutputStream out (folder.getChildFile (zip.getEntry (i)->fileName));
                out.write (data.getData(), data.getSize());
            }
        }

        state.SetItemsProcessed (state.iterations() * numPresets);
    }

    void importIntoEmptyFolder (benchmark::State& state)
    {
        auto& f = fixture();
        exportAll (f);
        const auto folder = f.root.getChildFile ("Imported");
        PresetsDirectoryContent<Preset> target (f.processor.getPlugin(), folder);

        for (auto _ : state)
        {
            state.PauseTiming();
            folder.deleteRecursively();
            target.refresh();
            state.ResumeTiming();

            PackageImportJob job;
            job.start (f.archive, target);

            if (job.getCounts().imported != numPresets)
                state.SkipWithError ("not every preset was imported");
        }

        state.SetItemsProcessed (state.iterations() * numPresets);
    }
}

namespace
{
    /** Archives of 10,000 to 100,000 entries: each entry's cost must not grow with the count.
        Conflicts answered with Skip All (every entry meets a taken name), and new presets into
        an empty folder. Time per entry is the figure to compare across sizes. */
    juce::File largeArchive (int count, bool sameName)
    {
        auto& f = fixture();
        const auto file = f.root.getChildFile ("Large-" + juce::String (count) + (sameName ? "-same" : "-new") + ".grzip");

        if (file.existsAsFile())
            return file;

        Preset preset;
        preset.application = "Grindel 2";
        preset.setValue (2, "3");
        juce::MemoryOutputStream out;
        writeZipArchive (
            out, count,
            [&] (int i, juce::String& name, juce::MemoryBlock& data, juce::Time& time, juce::String&) {
                name = sameName ? juce::String ("Same.grprs2") : "P" + juce::String (i) + ".grprs2";
                preset.name = name.upToLastOccurrenceOf (".", false, false);
                const auto text = preset.createXml()->toString();
                data.replaceAll (text.toRawUTF8(), text.getNumBytesAsUTF8());
                time = juce::Time (2024, 0, 1, 0, 0);
                return true;
            },
            6);
        file.replaceWithData (out.getData(), out.getDataSize());
        return file;
    }

    void importLarge (benchmark::State& state, bool sameName)
    {
        auto& f = fixture();
        const auto count = (int) state.range (0);
        const auto archive = largeArchive (count, sameName);
        const auto folder = f.root.getChildFile ("Large");
        PresetsDirectoryContent<Preset> target (f.processor.getPlugin(), folder);

        for (auto _ : state)
        {
            state.PauseTiming();
            folder.deleteRecursively();
            target.refresh();
            state.ResumeTiming();

            PackageImportJob job;

            if (job.start (archive, target) == PackageImportJob::State::conflict)
                job.skipAll();

            if (job.getCounts().imported + job.getCounts().skipped != count)
                state.SkipWithError ("entries lost");
        }

        state.SetItemsProcessed (state.iterations() * count);
    }

    void importLargeSkipAll (benchmark::State& state) { importLarge (state, true); }
    void importLargeNewItems (benchmark::State& state) { importLarge (state, false); }
}

BENCHMARK (importLargeSkipAll)->Arg (10000)->Arg (50000)->Arg (100000)->Unit (benchmark::kMillisecond)->Iterations (1);
BENCHMARK (importLargeNewItems)->Arg (10000)->Arg (50000)->Arg (100000)->Unit (benchmark::kMillisecond)->Iterations (1);
BENCHMARK (exportBuilderAlone)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (exportSelected)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (writeEachEntryOnce)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (importIntoEmptyFolder)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK_MAIN();
