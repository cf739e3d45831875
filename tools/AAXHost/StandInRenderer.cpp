#include "StandInRenderer.h"
#include "StandInEditorRun.h"
#include "StandInInstance.h"
#include "StandInInterrupt.h"
#include "StandInParameterNames.h"
#include "StandInResult.h"
#include "StandInSession.h"
#include "StandInWavFile.h"

#include "AAX.h"
#include "AAX_Enums.h"
#include "AAX_Errors.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <optional>
#include <locale>
#include <memory>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
    std::string fourCC (uint32_t id)
    {
        std::string text;
        for (int shift = 24; shift >= 0; shift -= 8)
        {
            const char c = static_cast<char> ((id >> shift) & 0xFF);
            text += (c >= 32 && c < 127) ? c : '?';
        }
        return text;
    }

    std::string stem (const std::string& path)
    {
        const auto slash = path.find_last_of ('/');
        const auto dot = path.find_last_of ('.');
        return dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr (0, dot) : path;
    }

    bool readFile (const std::string& path, std::vector<uint8_t>& bytes)
    {
        std::error_code ec;

        if (! std::filesystem::is_regular_file (path, ec))
            return false;

        std::ifstream file (path, std::ios::binary);
        if (! file)
            return false;
        bytes.assign (std::istreambuf_iterator<char> (file), std::istreambuf_iterator<char>());
        return ! file.bad();
    }

    std::string systemReason (int error)
    {
        return error != 0 ? std::strerror (error) : "the system gave no reason";
    }

    // Writes the bytes to a new temporary file beside the path (the same file system, so a
    // rename can put it in the path's place), synced; empty with its name in temporary, or the
    // system's reason with nothing left behind.
    std::string writeBeside (const std::string& path, const std::vector<uint8_t>& bytes, std::string& temporary)
    {
        const std::filesystem::path target (path);
        auto pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        const int fd = mkstemp (pattern.data());

        if (fd < 0)
            return systemReason (errno);

        // The permissions any new file gets, not the temporary file's private ones.
        const mode_t mask = umask (0);
        umask (mask);
        int failure = fchmod (fd, 0666 & ~mask) != 0 ? errno : 0;

        for (size_t done = 0; done < bytes.size() && failure == 0;)
        {
            const auto n = write (fd, bytes.data() + done, bytes.size() - done);

            if (n > 0)
                done += static_cast<size_t> (n);
            else if (n < 0 && errno != EINTR)
                failure = errno;
        }

        if (failure == 0 && fsync (fd) != 0)
            failure = errno;
        if (close (fd) != 0 && failure == 0)
            failure = errno;

        if (failure != 0)
        {
            unlink (pattern.c_str());
            return systemReason (failure);
        }

        temporary = pattern;
        return {};
    }

    // A chunk on its way to its file: written beside it first, then renamed over it.
    struct PendingChunk
    {
        std::string kind, path, temporary;
        size_t size = 0;
    };

    void discard (std::vector<PendingChunk>& chunks)
    {
        for (const auto& chunk : chunks)
            unlink (chunk.temporary.c_str());
        chunks.clear();
    }

    // A value read from XML with its character references replaced; control characters, which
    // would reach the user's terminal, become "?".
    std::string xmlText (const std::string& value)
    {
        static const std::pair<const char*, const char*> named[] = { { "amp;", "&" }, { "lt;", "<" }, { "gt;", ">" }, { "quot;", "\"" }, { "apos;", "'" } };
        std::string text;

        for (size_t i = 0; i < value.size(); ++i)
        {
            uint32_t code = static_cast<unsigned char> (value[i]);
            // A reference is short: "&#1114111;" at most.
            const auto end = code == '&' ? value.find (';', i) : std::string::npos;

            if (end != std::string::npos && end - i <= 10)
            {
                const auto entity = value.substr (i + 1, end - i);
                const auto match = std::find_if (std::begin (named), std::end (named), [&] (const auto& n) { return entity == n.first; });
                const bool hex = entity.size() > 2 && entity[0] == '#' && (entity[1] == 'x' || entity[1] == 'X');
                const auto* first = entity.data() + (hex ? 2 : 1);
                const auto* last = entity.data() + entity.size() - 1;

                if (match != std::end (named))
                {
                    text += match->second;
                    i = end;
                    continue;
                }

                if (entity[0] == '#' && first < last && std::from_chars (first, last, code, hex ? 16 : 10).ptr == last && code <= 0x10FFFF)
                {
                    i = end;

                    if (code >= 0x80)
                    {
                        // UTF-8, as the rest of the text is.
                        const int extra = code < 0x800 ? 1 : code < 0x10000 ? 2
                                                                            : 3;
                        text += static_cast<char> ((0xF0u << (3 - extra)) | (code >> (6 * extra)));
                        for (int k = extra - 1; k >= 0; --k)
                            text += static_cast<char> (0x80u | ((code >> (6 * k)) & 0x3Fu));
                        continue;
                    }
                }
                else
                    code = '&';
            }

            text += code < 32 || code == 127 ? '?' : static_cast<char> (code);
        }

        return text;
    }

    // True when the instance has parameters and every one holds its default.
    bool allAtDefaults (StandInInstance& instance)
    {
        const auto ids = instance.ParameterIDs();

        return ! ids.empty() && std::all_of (ids.begin(), ids.end(), [&] (const std::string& id) {
            double fallback = 0.0;
            return instance.Effect().GetParameterDefaultNormalizedValue (id.c_str(), &fallback) == AAX_SUCCESS
                && std::abs (instance.Value (id) - fallback) < 1.0e-6;
        });
    }

    // The name of the preset the plug-in's state holds, from its 'juce' chunk record: a JUCE
    // state block (a magic number, the text's length, then the "PluginState" XML), whose
    // "ParametersState" holds the "Preset" by its "name". Empty when the record is not of
    // that shape.
    std::string presetNameInState (const std::vector<uint8_t>& record)
    {
        constexpr size_t headerSize = offsetof (AAX_SPlugInChunk, fData);
        constexpr uint32_t magic = 0x21324356;

        if (record.size() < headerSize + 8)
            return {};

        const auto* data = record.data() + headerSize;
        const uint32_t stated = uint32_t (data[0]) | uint32_t (data[1]) << 8 | uint32_t (data[2]) << 16 | uint32_t (data[3]) << 24;
        const uint32_t length = uint32_t (data[4]) | uint32_t (data[5]) << 8 | uint32_t (data[6]) << 16 | uint32_t (data[7]) << 24;

        if (stated != magic)
            return {};

        std::string xml (reinterpret_cast<const char*> (data + 8), std::min<size_t> (length, record.size() - headerSize - 8));
        xml.resize (std::min (xml.size(), xml.find ('\0')));

        const auto holder = xml.find ("<ParametersState>");
        auto preset = holder == std::string::npos ? holder : xml.find ("<Preset", holder);

        while (preset != std::string::npos && ! (preset + 7 < xml.size() && (xml[preset + 7] == ' ' || xml[preset + 7] == '>' || xml[preset + 7] == '/')))
            preset = xml.find ("<Preset", preset + 1);

        const auto tagEnd = preset == std::string::npos ? preset : xml.find ('>', preset);
        const auto name = tagEnd == std::string::npos ? tagEnd : xml.substr (preset, tagEnd - preset).find (" name=\"");

        if (name == std::string::npos)
            return {};

        const auto first = preset + name + 7;
        const auto last = xml.find ('"', first);
        return last == std::string::npos || last > tagEnd ? std::string() : xmlText (xml.substr (first, last - first));
    }

    // The same file, whether or not it exists yet.
    bool sameFile (const std::string& a, const std::string& b)
    {
        std::error_code ec;

        if (std::filesystem::equivalent (a, b, ec))
            return true;

        const auto ca = std::filesystem::weakly_canonical (a, ec);
        const auto cb = ec ? std::filesystem::path() : std::filesystem::weakly_canonical (b, ec);
        return ! ec && ca == cb;
    }

    std::string absolutePath (const std::string& path)
    {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute (path, ec);
        return ec ? path : absolute.lexically_normal().string();
    }

    // The number a value text starts with, scaled by a "k", "M" or "m" in front of its unit;
    // false when it does not start with one.
    bool quantityOf (const std::string& text, double& value)
    {
        size_t start = 0;
        while (start < text.size() && std::isspace (static_cast<unsigned char> (text[start])))
            ++start;
        if (start < text.size() && text[start] == '+')
            ++start;

        const auto* first = text.data() + start;
        const auto* end = text.data() + text.size();
        const auto [stop, problem] = std::from_chars (first, end, value, std::chars_format::fixed);

        if (problem != std::errc() || ! std::isfinite (value))
            return false;

        auto rest = stop;
        if (rest < end && *rest == ' ')
            ++rest;
        if (end - rest >= 2 && std::isalpha (static_cast<unsigned char> (rest[1])))
            value *= *rest == 'k' || *rest == 'K' ? 1.0e3 : *rest == 'M' ? 1.0e6
                : *rest == 'm'                                           ? 1.0e-3
                                                                         : 1.0;
        else if (end - rest == 1 && (*rest == 'k' || *rest == 'K'))
            value *= 1.0e3;

        return true;
    }

    bool equalIgnoringCase (const std::string& a, const std::string& b)
    {
        return a.size() == b.size()
            && std::equal (a.begin(), a.end(), b.begin(), [] (char x, char y) { return std::tolower (static_cast<unsigned char> (x)) == std::tolower (static_cast<unsigned char> (y)); });
    }

    std::string trimmed (const std::string& text)
    {
        const auto first = text.find_first_not_of (" \t");
        return first == std::string::npos ? std::string() : text.substr (first, text.find_last_not_of (" \t") - first + 1);
    }

    // The whole text as a number, or nothing.
    bool parseWhole (const std::string& text, int& value)
    {
        const auto* end = text.data() + text.size();
        const auto [stop, problem] = std::from_chars (text.data(), end, value);
        return ! text.empty() && problem == std::errc() && stop == end;
    }

    bool parseWhole (const std::string& text, double& value)
    {
        if (text.empty() || std::isspace (static_cast<unsigned char> (text.front())))
            return false;

        std::istringstream in (text);
        in.imbue (std::locale::classic());
        in >> value;
        return ! in.fail() && in.peek() == std::char_traits<char>::eof() && std::isfinite (value);
    }

    // A file argument that must name an existing, non-empty file.
    std::string fileProblem (const char* what, const std::string& path)
    {
        std::error_code ec;
        const std::filesystem::path p (path);

        if (std::filesystem::is_directory (p, ec))
            return std::string (what) + " " + path + " is a folder, not a file";
        if (! std::filesystem::exists (p, ec))
            return std::string (what) + " " + path + " does not exist";
        if (! std::filesystem::is_regular_file (p, ec))
            return std::string (what) + " " + path + " is not a regular file";
        if (std::filesystem::file_size (p, ec) == 0)
            return std::string (what) + " " + path + " is empty";
        return {};
    }

    // A file to be written: its folder must exist and the name may not be a folder.
    std::string outputProblem (const char* what, const std::string& path)
    {
        std::error_code ec;
        const std::filesystem::path p (path);
        const auto folder = p.has_parent_path() ? p.parent_path() : std::filesystem::path (".");

        if (std::filesystem::is_directory (p, ec))
            return std::string (what) + " " + path + " is a folder";
        if (! std::filesystem::is_directory (folder, ec))
            return std::string (what) + " " + path + ": no folder " + folder.string();
        return {};
    }

    // A preset must be a chunk file as a render writes it: the host's record header, whose
    // 32-byte name is text padded with zeros, then the data. What it holds is the plug-in's
    // to judge.
    std::string chunkFileProblem (const std::string& path)
    {
        constexpr size_t headerSize = offsetof (AAX_SPlugInChunk, fData), nameAt = offsetof (AAX_SPlugInChunk, fName);
        uint8_t header[headerSize] = {};
        std::ifstream file (path, std::ios::binary);
        const bool whole = static_cast<bool> (file.read (reinterpret_cast<char*> (header), headerSize));
        const auto what = "preset " + path + " is ";
        const auto expected = " (PREFIX.elck or PREFIX.juce, as a render writes them)";

        if (std::memcmp (header, "RIFF", 4) == 0 && std::memcmp (header + 8, "WAVE", 4) == 0)
            return what + "a WAV file, not a chunk file" + expected;
        if (! whole)
            return what + "not a chunk file: shorter than a chunk's " + std::to_string (headerSize) + "-byte header" + expected;

        const auto* name = header + nameAt;
        const auto* end = name + sizeof (AAX_SPlugInChunk::fName);
        const auto* text = std::find (name, end, 0);

        if (! std::all_of (name, text, [] (uint8_t c) { return c >= 32 && c < 127; }) || ! std::all_of (text, end, [] (uint8_t c) { return c == 0; }))
            return what + "not a chunk file" + expected;

        return {};
    }

    // A plug-in may answer a text it cannot read with the value its parameter has: a text it
    // reads gives the same value whatever the parameter holds. A switch (two steps) takes only
    // its own two texts, whatever a plug-in's own reader would make of others.
    bool readsText (StandInInstance& instance, const std::string& id, const std::string& text, double& value)
    {
        if (instance.NumSteps (id) == 2)
        {
            for (const double state : { 0.0, 1.0 })
                if (equalIgnoringCase (trimmed (text), trimmed (instance.TextOfValue (id, state))))
                {
                    value = state;
                    return true;
                }

            return false;
        }

        if (! instance.ValueFromText (id, text, value) || ! std::isfinite (value))
            return false;

        const double current = instance.Value (id);

        if (value != current)
            return true;

        double probe = value;
        instance.SetValue (id, current < 0.5 ? 1.0 : 0.0);
        const bool read = instance.ValueFromText (id, text, probe) && probe == value;
        instance.SetValue (id, current);
        return read;
    }

    // Whether a text read as an end of the range asked for more than that end: the text's
    // number lies beyond the number of the end's own text. An end shown as no number ("-inf dB"
    // for silence) has the number of the value a hair inside it.
    bool beyondRange (StandInInstance& instance, const std::string& id, const std::string& text, double value)
    {
        double asked = 0.0, end = 0.0;

        if ((value != 0.0 && value != 1.0) || ! quantityOf (text, asked))
            return false;

        // Values a hair inside the ends that a plug-in's float still tells from them.
        const double inside = value == 1.0 ? 1.0 - 0x1p-24 : 1.0e-12;

        if (! quantityOf (instance.TextOfValue (id, value), end) && ! quantityOf (instance.TextOfValue (id, inside), end))
            return false;

        const double margin = 1.0e-6 * std::max (1.0, std::abs (end));
        return value == 1.0 ? asked > end + margin : asked < end - margin;
    }

    // Version numbers as a user reads them: 0x20201 is "2.2.1".
    std::string dottedVersion (uint32_t code)
    {
        return std::to_string (code >> 16) + "." + std::to_string ((code >> 8) & 0xFF) + "." + std::to_string (code & 0xFF);
    }

    // The effect categories a host files plug-ins under, by bit; this host knows only the bit
    // the project's plug-ins use.
    std::string categoryName (uint32_t category)
    {
        std::string names;

        for (int bit = 0; bit < 32; ++bit)
        {
            if ((category & (1u << bit)) == 0)
                continue;

            if (! names.empty())
                names += ", ";

            names += (1u << bit) == 0x10u ? std::string ("Degradation (distortion-type)")
                                          : "bit " + std::to_string (bit) + " (a category this host has no name for)";
        }

        return names.empty() ? "none" : names;
    }

    std::string decibels (float peak)
    {
        std::ostringstream text;
        text.imbue (std::locale::classic());

        if (peak <= 0.0f)
            text << "silent";
        else   // a hair below full scale is "0.00", not "-0.00"
            text << std::fixed << std::setprecision (2) << std::round (2000.0 * std::log10 (static_cast<double> (peak))) / 100.0 + 0.0 << " dBFS";

        return text.str();
    }

    // The test tone's sample rate.
    constexpr double kToneRate = 48000.0;

    // The test tone's frames from start on: 440 Hz on the left, 660 Hz on the right, in 24-bit
    // samples, which its 24-bit file holds exactly.
    void makeTone (std::vector<std::vector<float>>& channels, uint64_t start, size_t frames, double sampleRate)
    {
        constexpr double fullScale = 8388608.0;

        for (size_t i = 0; i < frames; ++i)
        {
            const double phase = 2.0 * M_PI * 440.0 * static_cast<double> (start + i) / sampleRate;
            channels[0][i] = static_cast<float> (std::round (0.5 * std::sin (phase) * fullScale) / fullScale);
            channels[1][i] = static_cast<float> (std::round (0.5 * std::sin (phase * 1.5) * fullScale) / fullScale);
        }
    }
}

namespace
{
    // Every option once: its value's name (null for a switch) and its help line, with the
    // default and the limits. Parse and Usage both read it.
    struct OptionRow
    {
        const char* name;
        const char* value;
        const char* help;
    };

    const OptionRow optionRows[] = {
        { "--bundle", "PATH", "the plug-in bundle (Grindel 2.aaxplugin) or its binary;\n"
                              "default: the build's bundle" },
        { "--in", "FILE.wav", "the input: PCM of 8 to 32 bits or float, mono or stereo, 8 to 384 kHz" },
        { "--tone", "SECONDS", "instead of an input, a test tone (440 Hz left, 660 Hz right, 48 kHz, 24-bit,\n"
                               "stereo) of at least one sample (1/48000 s) and at most 600 seconds" },
        { "--out", "FILE.wav", "the render (required): the input's rate and channels, 16- or 24-bit PCM or\n"
                               "32-bit float after the input; 8- to 24-bit PCM and 32-bit float come back\n"
                               "sample for sample, 32-bit PCM and 64-bit float rounded to 32-bit float" },
        { "--preset", "CHUNKFILE", "a chunk file written earlier (PREFIX.elck or PREFIX.juce), restored whole\n"
                                   "before rendering; default: none (the plug-in's start preset)" },
        { "--set", "\"NAME=TEXT\"", "sets a parameter from its value text, as typed in a host; the parameter by\n"
                                    "its name, the name the host shows or its id, in any case; repeatable; a\n"
                                    "text the parameter cannot read is refused. Only the parameters the plug-in\n"
                                    "gives the host can be set: not those hosts cannot automate (Grindel 2's\n"
                                    "\"Processing Quality\")" },
        { "--block", "N", "samples per block, 1 to 8192; default 512" },
        { "--offline", nullptr, "render offline (as a host's bounce); default: real time" },
        { "--chunks", "PREFIX", "where the saved chunks go: PREFIX.elck and PREFIX.juce (a folder: inside it,\n"
                                "named after the output); default: the output's path without its extension;\n"
                                "they restore all but \"Master Bypass\", which no chunk holds" },
        { "--quiet", nullptr, "print nothing but errors" },
        { "--editor", nullptr, "shows the editor in a window while the input (looped) or the tone plays\n"
                               "through the plug-in in real time; closing the window ends the run, which\n"
                               "then writes what played, however long; not with --offline. Ctrl+click\n"
                               "(Command+click on a Mac) on the round options button opens the about window" },
        { "--snapshot", "FILE.png", "instead of a render, a picture of the editor (factory state) while the tone\n"
                                    "plays; takes only --bundle, --skin, --browser, --block and --quiet" },
        { "--skin", "885|1180|1475", "the snapshot's skin, by its width; default: the plug-in's default skin" },
        { "--browser", nullptr, "the snapshot with the browser open" },
        { "--help", nullptr, "print this and exit (also -h)" },
    };

    // A value for a file option; false with a reason when it is missing or looks like an option.
    bool takeValue (const std::vector<std::string>& args, size_t& i, const OptionRow& row, std::string& value, std::string& error)
    {
        if (i + 1 >= args.size())
        {
            error = std::string (row.name) + " needs a value (" + row.value + ")";
            return false;
        }

        value = args[++i];

        // "--out --quiet" means a forgotten value, not a file named "--quiet".
        if (value.rfind ("--", 0) == 0)
        {
            error = std::string (row.name) + " needs a value (" + row.value + "), not the option \"" + value + "\"";
            return false;
        }

        return true;
    }
}

std::string StandInRenderer::Usage()
{
    std::string text = "usage: AAXStandInHost [--bundle PATH] (--in FILE.wav | --tone SECONDS) --out FILE.wav\n"
                       "                      [--preset CHUNKFILE] [--set \"NAME=TEXT\"]... [--block N] [--offline]\n"
                       "                      [--chunks PREFIX] [--quiet] [--editor]\n"
                       "       AAXStandInHost [--bundle PATH] --snapshot FILE.png [--skin 885|1180|1475] [--browser]\n"
                       "                      [--block N] [--quiet]\n"
                       "Renders a WAV file (or a test tone) through the plug-in, writes the render and the\n"
                       "plug-in's saved chunks, and reports what the host saw. Relative paths are read\n"
                       "from the current folder.\n";

    for (const auto& row : optionRows)
    {
        auto head = std::string ("  ") + row.name + (row.value != nullptr ? std::string (" ") + row.value : std::string());
        head.resize (std::max<size_t> (head.size() + 1, 24), ' ');

        std::istringstream lines (row.help);
        bool first = true;

        for (std::string line; std::getline (lines, line); first = false)
            text += (first ? head : std::string (24, ' ')) + line + "\n";
    }

    return text + "Exit codes: 0 done, 1 failed (the reason is printed), 2 bad arguments, 130 a render\n"
                  "stopped by Ctrl+C (OUT and the chunks left as they were).\n";
}

bool StandInRenderer::Parse (const std::vector<std::string>& args, Options& o, std::string& error)
{
    for (const auto& a : args)
        if (a == "--help" || a == "-h")
        {
            o.help = true;
            return true;
        }

    std::vector<std::string> given;

    for (size_t i = 0; i < args.size() && error.empty(); ++i)
    {
        const auto& a = args[i];
        const auto row = std::find_if (std::begin (optionRows), std::end (optionRows), [&] (const OptionRow& r) { return a == r.name; });

        if (row == std::end (optionRows))
        {
            error = "unknown argument " + a;
            break;
        }

        // A second value would silently replace the first.
        if (row->value != nullptr && a != "--set" && std::find (given.begin(), given.end(), a) != given.end())
        {
            error = a + " is given twice; give it once";
            break;
        }

        given.push_back (a);
        std::string value;

        if (row->value != nullptr && ! takeValue (args, i, *row, value, error))
            break;

        if (a == "--bundle")
        {
            o.bundle = value;
            if (o.bundle.empty()) error = "--bundle needs a path";
        }
        else if (a == "--in")
            o.input = value;
        else if (a == "--out")
            o.output = value;
        else if (a == "--preset")
            o.preset = value;
        else if (a == "--chunks")
            o.chunkPrefix = value;
        else if (a == "--offline")
            o.offline = true;
        else if (a == "--quiet")
            o.quiet = true;
        else if (a == "--editor")
            o.editor = true;
        else if (a == "--browser")
            o.browser = true;
        else if (a == "--snapshot")
        {
            o.snapshot = value;
            const auto dot = o.snapshot.size() >= 4 ? o.snapshot.substr (o.snapshot.size() - 4) : std::string();
            if (! (dot == ".png" || dot == ".PNG"))
                error = "--snapshot needs a file name ending in .png, not \"" + o.snapshot + "\"";
        }
        else if (a == "--skin")
        {
            if (! (parseWhole (value, o.skin) && (o.skin == 885 || o.skin == 1180 || o.skin == 1475)))
                error = "--skin needs 885, 1180 or 1475, not \"" + value + "\"";
        }
        else if (a == "--tone")
        {
            if (! (parseWhole (value, o.toneSeconds) && o.toneSeconds > 0.0 && o.toneSeconds <= 600.0))
                error = "--tone needs a number of seconds above 0 and up to 600, not \"" + value + "\"";
            else if (std::floor (o.toneSeconds * kToneRate) < 1.0)
                error = "--tone needs at least one sample of the 48 kHz tone (1/48000 s, about 0.000021), not \"" + value + "\"";
        }
        else if (a == "--block")
        {
            if (! (parseWhole (value, o.blockSize) && o.blockSize >= 1 && o.blockSize <= 8192))
                error = "--block needs a whole number of samples from 1 to 8192, not \"" + value + "\"";
        }
        else if (a == "--set")
        {
            const auto equals = value.find ('=');
            if (equals == std::string::npos || equals == 0 || equals + 1 == value.size())
                error = "--set needs \"Parameter Name=value text\", not \"" + value + "\"";
            else
                o.settings.emplace_back (value.substr (0, equals), value.substr (equals + 1));
        }
    }

    if (! error.empty())
        return false;

    if (! o.snapshot.empty())
    {
        const auto other = std::find_if (given.begin(), given.end(), [] (const std::string& a) {
            return a != "--snapshot" && a != "--bundle" && a != "--skin" && a != "--browser" && a != "--block" && a != "--quiet";
        });

        if (other != given.end())
            error = "--snapshot takes only --bundle, --skin, --browser, --block and --quiet, not " + *other;
        else if (o.bundle.empty())
            error = "--bundle is required";
        o.snapshot = absolutePath (o.snapshot);
        return error.empty();
    }

    if (o.skin != 0 || o.browser)
        error = "--skin and --browser go with --snapshot";
    else if (o.editor && o.offline)
        error = "--editor plays in real time; --offline does not go with it";
    else if (o.output.empty())
        error = "--out is required";
    else if (o.input.empty() && o.toneSeconds <= 0.0)
        error = "--in or --tone is required";
    else if (! o.input.empty() && o.toneSeconds > 0.0)
        error = "--in and --tone exclude each other";

    else if (o.bundle.empty())
        error = "--bundle is required";

    // A folder for the chunks takes them inside, named after the output.
    if (std::error_code ec; ! o.chunkPrefix.empty() && (o.chunkPrefix.back() == '/' || std::filesystem::is_directory (o.chunkPrefix, ec)))
        o.chunkPrefix = (std::filesystem::path (o.chunkPrefix) / std::filesystem::path (stem (o.output)).filename()).string();

    if (o.chunkPrefix.empty())
        o.chunkPrefix = stem (o.output);

    // Messages and the report name the files as they are found, whatever folder the host is in.
    for (auto* path : { &o.input, &o.output, &o.preset, &o.chunkPrefix })
        if (! path->empty())
            *path = absolutePath (*path);

    return error.empty();
}

std::string StandInRenderer::Check (const Options& o)
{
    std::string problem;

    if (! o.input.empty())
        problem = fileProblem ("input", o.input);
    if (problem.empty() && ! o.preset.empty())
        problem = fileProblem ("preset", o.preset);
    if (problem.empty() && ! o.preset.empty())
        problem = chunkFileProblem (o.preset);
    if (problem.empty())
        problem = outputProblem ("output", o.output);

    // The input is read while the output is written: one file for both would be lost.
    if (std::error_code ec; problem.empty() && ! o.input.empty() && std::filesystem::equivalent (o.input, o.output, ec))
        problem = "output " + o.output + " is the input file; name another output";

    for (const char* kind : { "elck", "juce" })
    {
        const auto chunk = o.chunkPrefix + "." + kind;

        if (! problem.empty())
            break;

        problem = outputProblem ("chunks", chunk);

        // A chunk written over the render or the input would lose it.
        if (problem.empty() && sameFile (chunk, o.output))
            problem = "chunk file " + chunk + " is the output; name other chunks with --chunks PREFIX";
        else if (problem.empty() && ! o.input.empty() && sameFile (chunk, o.input))
            problem = "chunk file " + chunk + " is the input file; name other chunks with --chunks PREFIX";
    }

    if (problem.empty() && ! o.snapshot.empty())
        problem = outputProblem ("snapshot", o.snapshot);

    return problem;
}

int StandInRenderer::Run (const Options& o, std::ostream& out, std::ostream& err)
{
    if (! o.snapshot.empty())
        return StandInEditorRun::Snapshot (o, out, err);

    if (const auto problem = o.editor ? StandInEditorRun::DisplayProblem() : std::string(); ! problem.empty())
    {
        err << problem << "\n";
        return 1;
    }

    // The input streams from its file (or the tone is made) a block at a time.
    StandInWavFile audio;
    std::string error;
    const bool tone = o.input.empty();
    uint64_t totalFrames = 0;
    int numChannels = 2;

    if (! tone)
    {
        if (! audio.OpenForReading (o.input, error))
        {
            err << error << "\n";
            return 1;
        }

        totalFrames = audio.NumFrames();
        numChannels = audio.NumChannels();

        if (totalFrames == 0)
        {
            err << "input " << o.input << " holds no samples\n";
            return 1;
        }
    }
    else
        totalFrames = static_cast<uint64_t> (o.toneSeconds * audio.sampleRate);

    std::vector<uint8_t> preset;

    if (! o.preset.empty())
    {
        errno = 0;

        if (! readFile (o.preset, preset))
        {
            err << "cannot read preset " << o.preset << ": " << systemReason (errno) << "\n";
            return 1;
        }
    }

    StandInSession session;

    if (! session.Open (o.bundle))
    {
        err << session.Error() << "\n";
        return 1;
    }

    const auto& registered = session.Registered();

    if (! o.quiet)
    {
        out << "registered \"" << registered.effectID << "\" by " << registered.manufacturer << ", version "
            << dottedVersion (registered.packageVersion) << ", AAX interface " << (registered.sdkVersion >> 40) << "."
            << ((registered.sdkVersion >> 32) & 0xFF) << " (revision " << (registered.sdkVersion & 0xFFFFFFFFu) << ")\n";
        for (const auto& name : registered.names)
            out << "  effect name: " << name << "\n";
        // A host shows the longest of the package's names that fits its space.
        for (size_t i = 0; i < registered.packageNames.size(); ++i)
            out << "  package name " << (i + 1) << " of " << registered.packageNames.size() << " (a host shows the longest that fits): "
                << registered.packageNames[i] << "\n";
        for (auto category : registered.categories)
            out << "  category: " << categoryName (category) << "\n";
        // A component processes one channel layout; this host renders mono and stereo.
        std::string layouts;
        size_t known = 0;
        for (const auto& [channels, name] : { std::pair (1, "mono"), std::pair (2, "stereo") })
            if (session.ComponentFor (channels) != nullptr)
                layouts += (known++ > 0 ? ", " : "") + std::string (name) + " in and out";
        if (registered.components > known)
            layouts += (known > 0 ? ", " : "") + std::to_string (registered.components - known) + " other layout(s) this host does not render";
        out << "  processing components: " << registered.components << (layouts.empty() ? std::string() : " (" + layouts + ")") << "\n";
    }

    int result = 0;
    {
        auto instance = session.CreateInstance (numChannels, audio.sampleRate, error);

        if (instance == nullptr)
        {
            err << error << "\n";
            session.Close();
            return 1;
        }

        if (! preset.empty())
        {
            // A preset counts as restored only when the plug-in's state is then the preset:
            // a plug-in may ignore a chunk it cannot read and still answer success.
            constexpr size_t headerSize = 56;
            AAX_CTypeID kind = 0;
            AAX_Result got = 0;

            if (preset.size() >= headerSize)
                std::memcpy (&kind, preset.data() + offsetof (AAX_SPlugInChunk, fChunkID), sizeof (kind));

            if (const auto restored = instance->SetChunk (preset); restored != 0)
            {
                err << "cannot restore preset " << o.preset << ": " << StandInResult::Describe (restored) << "\n";
                result = 1;
            }
            else if (const auto now = instance->GetChunk (kind, got); now.size() != preset.size()
                     || ! std::equal (preset.begin() + headerSize, preset.end(), now.begin() + headerSize))
            {
                err << "cannot restore preset " << o.preset << ": the plug-in did not take all of its '" << fourCC (kind)
                    << "' chunk (its state afterwards differs from the preset)"
                    << (got != 0 ? "; " + StandInResult::Describe (got) : std::string()) << "\n";
                result = 1;
            }
        }

        // What the plug-in starts on when no preset is restored: the preset its state names,
        // or its parameters' defaults when it did not find its start preset (its factory
        // presets are missing): its state then names no preset and every parameter is at its
        // default.
        std::string startPreset;
        bool startedAtDefaults = false;

        if (o.preset.empty() && result == 0)
        {
            AAX_Result got = 0;
            startPreset = presetNameInState (instance->GetChunk (AAX_CTypeID ('juce'), got));
            startedAtDefaults = startPreset.empty() && allAtDefaults (*instance);

            if (startedAtDefaults)
            {
                const char* root = std::getenv ("GRINDEL_DATA_ROOT");
                err << "warning: the plug-in did not find its start preset (its factory presets"
                    << (root != nullptr && *root != 0 ? std::string (", under GRINDEL_DATA_ROOT ") + root : std::string())
                    << "), so it started at its parameters' defaults\n";
            }
        }

        const StandInParameterNames names (*instance, session.Bundle().BinaryPath());

        for (const auto& [typed, text] : o.settings)
        {
            if (result != 0)
                break;

            const auto id = names.Find (typed);
            const auto name = trimmed (typed);
            double value = 0.0;

            if (id.empty())
            {
                if (names.KeptFromHost (name))
                    err << "\"" << name << "\" is a parameter the plug-in does not give its host (hosts cannot automate it), so --set "
                        << "cannot reach it; the host's parameters: " << names.List() << "\n";
                else
                    err << "no parameter named \"" << name << "\"; the host's parameters: " << names.List() << "\n";
                result = 1;
            }
            else if (! readsText (*instance, id, text, value))
            {
                err << "\"" << name << "\" cannot read \"" << text << "\" as a value\n";
                result = 1;
            }
            else if (! instance->SetValue (id, value))
            {
                err << "cannot set \"" << name << "\" to \"" << text << "\"\n";
                result = 1;
            }
            else if (beyondRange (*instance, id, text, value))
                err << "note: \"" << text << "\" lies beyond the range of \"" << name << "\", which is set to its "
                    << (value == 1.0 ? "maximum, " : "minimum, ") << instance->ValueText (id) << "\n";
        }

        if (result == 0)
        {
            if (o.offline)
                instance->Effect().NotificationReceived (AAX_eNotificationEvent_EnteringOfflineMode, nullptr, 0);

            instance->GenerateCoefficients();
            session.Pump (0);

            const auto channels = static_cast<size_t> (numChannels);
            const auto blockSize = static_cast<size_t> (o.blockSize);
            std::vector<std::vector<float>> input (channels, std::vector<float> (blockSize)), rendered = input;
            std::vector<std::vector<double>> exact (channels, std::vector<double> (blockSize));   // as the file holds it
            std::vector<const float*> inputs (channels);
            std::vector<float*> outputs (channels);
            // Whether the output file holds the input file's values, and whether the plug-in gave
            // back what it took (the input rounded to float). Floats compare by their bits, so a
            // NaN, an infinity or a denormal that comes back as it was counts as unchanged.
            bool unchangedAsTaken = true;
            uint64_t changedSamples = 0;
            StandInWavFile output;
            output.sampleRate = audio.sampleRate;
            output.bitsPerSample = audio.bitsPerSample;
            const auto sameBits = [] (float a, float b) { return std::memcmp (&a, &b, sizeof (float)) == 0; };
            // What "the same" means for a sample of the input file: a 32-bit float's bits; a
            // 64-bit float's value held exactly (its sign too), or a NaN for a NaN, which has no
            // value to round; a PCM sample's value.
            const auto kept = [&] (float stored, float taken, double held) {
                if (audio.IsFloat32())
                    return sameBits (stored, taken);
                if (audio.IsFloat64() && std::isnan (held))
                    return std::isnan (stored);
                if (audio.IsFloat64())
                    return std::signbit (static_cast<double> (stored)) == std::signbit (held) && static_cast<double> (stored) == held;
                return output.Stored (stored) == held;
            };

            for (size_t c = 0; c < channels; ++c)
            {
                inputs[c] = input[c].data();
                outputs[c] = rendered[c].data();
            }

            // Ctrl+C during a render stops it and leaves OUT and the chunks as they were; taken
            // before the output's temporary exists, so no signal leaves that behind.
            std::optional<StandInInterrupt> interrupts;
            bool interrupted = false;

            if (! o.editor)
                interrupts.emplace();

            bool written = output.OpenForWriting (o.output, numChannels, error);

            if (o.editor && written)
            {
                // Until the user closes the window; the render is what passed meanwhile.
                StandInEditorRun editor (session, *instance, o.blockSize);
                written = editor.Open (registered.names.empty() ? "editor" : registered.names.front(), error)
                    && editor.StartAudio (o.input, error) && editor.RunUntilClosed (&output, o.quiet ? nullptr : &out, error);
            }

            for (uint64_t start = 0; written && ! o.editor && start < totalFrames && ! (interrupted = StandInInterrupt::Came());)
            {
                size_t length = static_cast<size_t> (std::min<uint64_t> (blockSize, totalFrames - start));

                if (tone)
                {
                    makeTone (input, start, length, audio.sampleRate);
                    for (size_t c = 0; c < channels; ++c)
                        std::copy_n (input[c].begin(), length, exact[c].begin());
                }
                else if ((length = audio.ReadFrames (input, length, &exact)) == 0)
                    break;   // the file ended early

                instance->ProcessBlock (inputs.data(), outputs.data(), static_cast<int32_t> (length));

                for (size_t c = 0; c < channels; ++c)
                    for (size_t i = 0; i < length; ++i)
                    {
                        unchangedAsTaken = unchangedAsTaken && sameBits (rendered[c][i], input[c][i]);
                        changedSamples += kept (rendered[c][i], input[c][i], exact[c][i]) ? 0 : 1;
                    }

                written = output.WriteFrames (rendered, length, error);
                start += length;
            }

            if (o.offline)
                instance->Effect().NotificationReceived (AAX_eNotificationEvent_ExitingOfflineMode, nullptr, 0);

            // The output, then the chunks, are written whole beside their files before any of
            // them replaces a file: a run that fails anywhere leaves OUT and the chunks as they
            // were, and one that succeeds replaces them together.
            std::vector<PendingChunk> chunks;
            // The editor's run takes Ctrl+C as a closed window; only a render stops for it.
            const auto stopped = [&] { return interrupted || (interrupts && StandInInterrupt::Came()); };
            interrupted = stopped();

            if (! interrupted && written)
                written = output.Finish (error);

            for (const AAX_CTypeID chunkID : { AAX_CTypeID ('elck'), AAX_CTypeID ('juce') })
            {
                if (interrupted || ! written)
                    break;

                AAX_Result got = 0;
                const auto record = instance->GetChunk (chunkID, got);
                PendingChunk chunk { fourCC (chunkID), o.chunkPrefix + "." + fourCC (chunkID), {}, record.size() };

                if (record.empty())
                {
                    error = "cannot save chunk '" + chunk.kind + "': the plug-in gave none (" + StandInResult::Describe (got) + ")";
                    written = false;
                }
                else if (const auto problem = writeBeside (chunk.path, record, chunk.temporary); ! problem.empty())
                {
                    error = "cannot save chunk '" + chunk.kind + "' to " + chunk.path + ": " + problem;
                    written = false;
                }
                else
                    chunks.push_back (chunk);
            }

            interrupted = stopped();

            if (interrupted)
            {
                discard (chunks);
                output.Discard();
                err << "interrupted: " << o.output << " and the chunks were left as they were\n";
                result = 130;
            }
            else if (! written || ! output.Close (error))
            {
                discard (chunks);
                output.Discard();
                err << error << "; " << o.output << " and the chunks were left as they were\n";
                result = 1;
            }

            // Renames within one folder, which a signal no longer stops (it has come too late to
            // leave the files as they were); should one still fail, the output is in place.
            for (size_t i = 0; i < chunks.size() && result == 0; ++i)
            {
                if (std::rename (chunks[i].temporary.c_str(), chunks[i].path.c_str()) != 0)
                {
                    const auto reason = systemReason (errno);
                    err << "cannot save chunk '" << chunks[i].kind << "' to " << chunks[i].path << ": " << reason << "; "
                        << o.output << " was written" << (i > 0 ? ", and the chunk '" + chunks[0].kind + "'" : std::string()) << "\n";
                    chunks.erase (chunks.begin(), chunks.begin() + static_cast<std::ptrdiff_t> (i));
                    discard (chunks);
                    result = 1;
                }
                else if (! o.quiet)
                    out << "chunk '" << chunks[i].kind << "': " << chunks[i].size << " bytes to " << chunks[i].path << "\n";
            }

            interrupts.reset();

            const bool saved = result == 0;

            // The input's frames read, against those its header states.
            const uint64_t framesRead = tone ? totalFrames : o.editor ? audio.NumFrames()
                                                                      : output.NumFrames();
            const bool cutShort = ! tone && saved && framesRead < audio.StatedFrames();
            std::string shortText;

            if (cutShort)
            {
                shortText = "ended after " + std::to_string (framesRead) + " of its " + std::to_string (audio.StatedFrames()) + " frames";
                err << "warning: the input " << o.input << " " << shortText << "; "
                    << (o.editor ? "those it holds were played" : "those read were rendered") << "\n";
            }

            if (! o.quiet && ! interrupted)
            {
                out << "parameters:\n";
                for (const auto& id : instance->ParameterIDs())
                    out << "  " << std::left << std::setw (16) << id << " " << std::setw (28) << instance->ParameterName (id)
                        << " " << instance->ValueText (id) << "\n";
                out << "latency: " << instance->Latency() << " samples\n";

                // The editor's run plays until the window closes, the input round and round.
                std::ostringstream played;
                played.imbue (std::locale::classic());
                played << std::fixed << std::setprecision (2) << static_cast<double> (output.NumFrames()) / audio.sampleRate;
                const auto ended = cutShort ? "; it " + shortText : std::string();

                if (tone && o.editor)
                    out << "input: the test tone (440 Hz left, 660 Hz right), 48000 Hz, 2 channels, played for " << played.str()
                        << " s while the editor was open\n";
                else if (tone)
                    out << "input: a test tone of " << o.toneSeconds << " s (440 Hz left, 660 Hz right), 48000 Hz, 2 channels\n";
                else if (o.editor)
                    out << "input: " << o.input << ", " << audio.FormatText() << ", looped for " << played.str() << " s while the editor was open"
                        << ended << "\n";
                else
                    out << "input: " << o.input << ", " << audio.FormatText() << ended << "\n";

                // Only a file written is reported as an output.
                if (saved)
                    out << "output: " << o.output << ", " << output.FormatText() << "\n";
                else
                    out << "output: none written (" << o.output << " was left as it was)\n";
                out << "processing: blocks of " << o.blockSize << " samples, " << (o.offline ? "offline" : "real time") << "\n";

                if (! o.preset.empty())
                    out << "preset: restored from " << o.preset << "\n";
                else if (startedAtDefaults)
                    out << "preset: none restored, and the plug-in's start preset was not found: it started at its parameters' defaults\n";
                else
                    out << "preset: none restored; the plug-in's start preset" << (startPreset.empty() ? std::string() : ", \"" + startPreset + "\"") << "\n";

                if (saved)
                {
                    out << "output peak:";
                    for (size_t c = 0; c < channels; ++c)
                        out << (c > 0 ? "," : "") << " channel " << (c + 1) << " " << decibels (output.Peaks()[c]);
                    out << "\n";
                }

                // Claims only what was compared: the editor's run is not.
                const auto passThrough = "in this build the effect's DSP is a metered pass-through (the meters move; the sound "
                                         "does not change)\n";
                const auto read = cutShort ? ", for the " + std::to_string (framesRead) + " frames read" : std::string();
                if (saved && ! o.editor && changedSamples == 0)
                    out << "note: the output is the input, sample for sample" << read << ": " << passThrough;
                else if (saved && ! o.editor && unchangedAsTaken)
                {
                    const auto format = audio.FormatText();
                    out << "note: the output is the input as the plug-in takes it, in 32-bit float, which holds 24 bits" << read << ": "
                        << changedSamples << " of the " << output.NumFrames() * channels << " samples of the "
                        << format.substr (0, format.find (',')) << " input came back rounded; " << passThrough;
                }
                if (saved)
                    out << "rendered " << output.NumFrames() << " frames of " << channels << " channel(s) at " << audio.sampleRate
                        << " Hz to " << o.output << "\n";
            }
        }

        instance.reset();
    }

    if (const auto live = session.Close(); live != 0)
    {
        err << "the plug-in still holds " << live << " live object(s) at shut-down\n";
        result = 1;
    }

    return result;
}
