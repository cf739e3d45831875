#pragma once

// The preset folders of the content benchmarks. GRINDEL_BENCH_FOLDERS names a folder that keeps
// them from one run to the next (scripts/bench.sh --instructions makes them once, natively, for
// the runs under callgrind, which would take minutes to write 50,000 presets); without it they
// live in a temporary folder deleted at the end of the run.

#include "core/content/Preset.h"
#include <functional>
#include <unistd.h>

namespace benchfolders
{
    inline juce::File root()
    {
        struct Temporary
        {
            juce::File folder { juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("grindel-bench", {}, false) };
            ~Temporary() { folder.deleteRecursively(); }
        };

        const auto kept = juce::SystemStats::getEnvironmentVariable ("GRINDEL_BENCH_FOLDERS", {});

        if (kept.isNotEmpty())
            return juce::File (kept);

        static Temporary temporary;
        return temporary.folder;
    }

    /** The named folder, made by make (given the folder, empty) unless an earlier run made it
        whole; a run cut short leaves no mark, so its folder is made again. */
    inline juce::File get (const juce::String& name, const std::function<void (const juce::File&)>& make)
    {
        const auto folder = root().getChildFile (name);
        const auto done = root().getChildFile (name + ".made");

        if (! done.existsAsFile())
        {
            folder.deleteRecursively();
            folder.createDirectory();
            make (folder);
            ::sync();
            done.create();
        }

        return folder;
    }

    /** Writes the preset as the plug-in's writer does, without its wait for the disk. */
    inline void writePreset (const Preset& preset, const juce::File& file)
    {
        juce::FileOutputStream out (file);
        out.setPosition (0);
        out.truncate();
        preset.createXml()->writeTo (out);
    }

    /** Every file of the folder (and the folder) changed a while ago, at a time no earlier
        call gave: a folder whose presets all changed since the last listing. */
    inline void age (const juce::File& folder, const juce::Array<juce::File>& files)
    {
        static int ageings = 0;
        const auto time = juce::Time (2020, 0, 1, 0, 0) + juce::RelativeTime::seconds (++ageings);

        for (const auto& file : files)
            file.setLastModificationTime (time);

        folder.setLastModificationTime (time);

        // The new times are written out before the measurement, not during it.
        ::sync();
    }

    /** A path of its own to the folder (a link), so a preset index made for it is the first of
        the process: no listing of the folder is known under that path. */
    inline juce::File freshPathTo (const juce::File& folder)
    {
        static int links = 0;
        const auto link = root().getChildFile ("link-" + juce::String (::getpid()) + "-" + juce::String (++links));
        link.deleteFile();
        folder.createSymbolicLink (link, true);
        return link;
    }
}
