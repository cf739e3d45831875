#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Message thread: Run plays the audio thread too, block by block, with buffers made before the first.
// The stand-in host's command-line front: loads a bundle, renders a WAV file through
// the plug-in (with an optional preset chunk and parameter settings), writes the
// output and the plug-in's saved chunks, and reports what the host saw.
class StandInRenderer
{
public:
    struct Options
    {
        std::string bundle, input, output, preset, chunkPrefix;
        double toneSeconds = 0.0;
        int blockSize = 512;
        bool offline = false;
        bool quiet = false;
        bool editor = false;    // the editor in a window while the audio plays, until it is closed
        std::string snapshot;   // a PNG picture of the editor instead of a render
        int skin = 0;           // the snapshot's skin (its width), 0 for the default
        bool browser = false;   // the snapshot with the browser open
        bool help = false;
        std::vector<std::pair<std::string, std::string>> settings;   // parameter name or id, value text
    };

    // Message thread. False with a reason (and usage text) for arguments that make no sense:
    // every number is read whole ("7x" is no block size), every option needs its value and no
    // value may be an option ("--out --quiet"). File paths come back absolute. With --help or
    // -h, true with help set and nothing else checked.
    static bool Parse (const std::vector<std::string>& args, Options& options, std::string& error);
    // Every option with its value, default and limits.
    static std::string Usage();

    // Message thread. What is wrong with the files the options name, before anything loads:
    // the input and the preset must be non-empty files, the outputs' folders must exist, and
    // no file written may be the input or another file written. Empty when nothing is.
    static std::string Check (const Options& options);

    // 0 on success; 1 with a message on err for a failure.
    static int Run (const Options& options, std::ostream& out, std::ostream& err);
};
