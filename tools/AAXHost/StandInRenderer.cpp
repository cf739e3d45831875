#include "StandInRenderer.h"
#include "StandInEditorRun.h"
#include "StandInInstance.h"
#include "StandInSession.h"
#include "StandInWavFile.h"

#include "AAX.h"
#include "AAX_Enums.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <locale>
#include <memory>
#include <sstream>

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

    bool writeFile (const std::string& path, const std::vector<uint8_t>& bytes)
    {
        std::ofstream file (path, std::ios::binary | std::ios::trunc);
        return file && file.write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
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

    // A plug-in may answer a text it cannot read with the value its parameter has: a text it
    // reads gives the same value whatever the parameter holds.
    bool readsText (StandInInstance& instance, const std::string& id, const std::string& text, double& value)
    {
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

    // The test tone's frames from start on: 440 Hz on the left, 660 Hz on the right.
    void makeTone (std::vector<std::vector<float>>& channels, uint64_t start, size_t frames, double sampleRate)
    {
        for (size_t i = 0; i < frames; ++i)
        {
            const double phase = 2.0 * M_PI * 440.0 * static_cast<double> (start + i) / sampleRate;
            channels[0][i] = static_cast<float> (0.5 * std::sin (phase));
            channels[1][i] = static_cast<float> (0.5 * std::sin (phase * 1.5));
        }
    }
}

const char* StandInRenderer::Usage()
{
    return "usage: AAXStandInHost [--bundle PATH] (--in FILE.wav | --tone SECONDS) --out FILE.wav\n"
           "                      [--preset CHUNKFILE] [--set \"Parameter Name=value text\"]...\n"
           "                      [--block N] [--offline] [--chunks PREFIX] [--quiet]\n"
           "  --bundle   the plug-in bundle (Grindel 2.aaxplugin) or its binary; default: the build's bundle\n"
           "  --preset   a chunk file written earlier (PREFIX.elck or PREFIX.juce), restored before rendering\n"
           "  --chunks   where the saved chunks go: PREFIX.elck and PREFIX.juce (default: the output's name)\n"
           "       AAXStandInHost ... --editor\n"
           "  --editor   shows the editor in a window while the input (looped) or the tone plays through the\n"
           "             plug-in in real time; closing the window ends the run, which then writes as usual\n"
           "       AAXStandInHost [--bundle PATH] --snapshot FILE.png [--skin 885|1180|1475] [--browser]\n"
           "  --snapshot a picture of the editor (default skin, factory state) while the tone plays\n"
           "  --skin     the snapshot's skin; --browser: with the browser open\n";
}

bool StandInRenderer::Parse (const std::vector<std::string>& args, Options& o, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i)
    {
        const auto& a = args[i];
        const auto next = [&]() -> std::string {
            if (i + 1 >= args.size())
            {
                error = a + " needs a value";
                return {};
            }
            return args[++i];
        };

        if (a == "--bundle")
        {
            o.bundle = next();
            if (error.empty() && o.bundle.empty()) error = "--bundle needs a path";
        }
        else if (a == "--in")
            o.input = next();
        else if (a == "--out")
            o.output = next();
        else if (a == "--preset")
            o.preset = next();
        else if (a == "--chunks")
            o.chunkPrefix = next();
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
            o.snapshot = next();
            const auto dot = o.snapshot.size() >= 4 ? o.snapshot.substr (o.snapshot.size() - 4) : std::string();
            if (error.empty() && ! (dot == ".png" || dot == ".PNG"))
                error = "--snapshot needs a file name ending in .png, not \"" + o.snapshot + "\"";
        }
        else if (a == "--skin")
        {
            const auto value = next();
            if (error.empty() && ! (parseWhole (value, o.skin) && (o.skin == 885 || o.skin == 1180 || o.skin == 1475)))
                error = "--skin needs 885, 1180 or 1475, not \"" + value + "\"";
        }
        else if (a == "--tone")
        {
            const auto value = next();
            if (error.empty() && ! (parseWhole (value, o.toneSeconds) && o.toneSeconds > 0.0 && o.toneSeconds <= 600.0))
                error = "--tone needs a number of seconds above 0 and up to 600, not \"" + value + "\"";
        }
        else if (a == "--block")
        {
            const auto value = next();
            if (error.empty() && ! (parseWhole (value, o.blockSize) && o.blockSize >= 1 && o.blockSize <= 8192))
                error = "--block needs a whole number of samples from 1 to 8192, not \"" + value + "\"";
        }
        else if (a == "--set")
        {
            const auto pair = next();
            const auto equals = pair.find ('=');
            if (error.empty() && (equals == std::string::npos || equals == 0 || equals + 1 == pair.size()))
                error = "--set needs \"Parameter Name=value text\", not \"" + pair + "\"";
            else if (error.empty())
                o.settings.emplace_back (pair.substr (0, equals), pair.substr (equals + 1));
        }
        else
            error = "unknown argument " + a;

        if (! error.empty())
            return false;
    }

    if (! o.snapshot.empty())
    {
        if (o.editor || ! o.output.empty() || ! o.input.empty() || o.toneSeconds > 0.0 || ! o.preset.empty() || ! o.settings.empty())
            error = "--snapshot takes only --bundle, --skin, --browser and --block";
        else if (o.bundle.empty())
            error = "--bundle is required";
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
    else if (o.blockSize < 1 || o.blockSize > 8192)
        error = "--block must be 1 to 8192";
    else if (o.bundle.empty())
        error = "--bundle is required";

    if (o.chunkPrefix.empty())
        o.chunkPrefix = stem (o.output);

    return error.empty();
}

std::string StandInRenderer::Check (const Options& o)
{
    std::string problem;

    if (! o.input.empty())
        problem = fileProblem ("input", o.input);
    if (problem.empty() && ! o.preset.empty())
        problem = fileProblem ("preset", o.preset);
    if (problem.empty())
        problem = outputProblem ("output", o.output);

    // The input is read while the output is written: one file for both would be lost.
    if (std::error_code ec; problem.empty() && ! o.input.empty() && std::filesystem::equivalent (o.input, o.output, ec))
        problem = "output " + o.output + " is the input file; name another output";
    if (problem.empty())
        problem = outputProblem ("chunks", o.chunkPrefix + ".elck");
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
    }
    else
        totalFrames = static_cast<uint64_t> (o.toneSeconds * audio.sampleRate);

    std::vector<uint8_t> preset;

    if (! o.preset.empty() && ! readFile (o.preset, preset))
    {
        err << "cannot read preset " << o.preset << "\n";
        return 1;
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
        out << "registered \"" << registered.effectID << "\" by " << registered.manufacturer << ", package version 0x"
            << std::hex << registered.packageVersion << std::dec << ", SDK 0x" << std::hex << registered.sdkVersion << std::dec << "\n";
        for (const auto& name : registered.names)
            out << "  name: " << name << "\n";
        for (const auto& name : registered.packageNames)
            out << "  package: " << name << "\n";
        for (auto category : registered.categories)
            out << "  category: 0x" << std::hex << category << std::dec << "\n";
        out << "  components: " << registered.components << "\n";
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
            if (const auto restored = instance->SetChunk (preset); restored != 0)
            {
                err << "cannot restore preset " << o.preset << " (" << restored << ")\n";
                result = 1;
            }
        }

        for (const auto& [name, text] : o.settings)
        {
            if (result != 0)
                break;

            const auto id = instance->FindParameter (name);
            double value = 0.0;

            if (id.empty())
            {
                err << "no parameter named \"" << name << "\"\n";
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
            std::vector<const float*> inputs (channels);
            std::vector<float*> outputs (channels);

            for (size_t c = 0; c < channels; ++c)
            {
                inputs[c] = input[c].data();
                outputs[c] = rendered[c].data();
            }

            StandInWavFile output;
            output.sampleRate = audio.sampleRate;
            output.bitsPerSample = audio.bitsPerSample;
            bool written = output.OpenForWriting (o.output, numChannels, error);

            if (o.editor && written)
            {
                // Until the user closes the window; the render is what passed meanwhile.
                StandInEditorRun editor (session, *instance, o.blockSize);
                written = editor.Open (registered.names.empty() ? "editor" : registered.names.front(), error)
                    && editor.StartAudio (o.input, error) && editor.RunUntilClosed (&output, o.quiet ? nullptr : &out, error);
            }

            for (uint64_t start = 0; written && ! o.editor && start < totalFrames;)
            {
                size_t length = static_cast<size_t> (std::min<uint64_t> (blockSize, totalFrames - start));

                if (tone)
                    makeTone (input, start, length, audio.sampleRate);
                else if ((length = audio.ReadFrames (input, length)) == 0)
                    break;   // the file ended early

                instance->ProcessBlock (inputs.data(), outputs.data(), static_cast<int32_t> (length));
                written = output.WriteFrames (rendered, length, error);
                start += length;
            }

            if (o.offline)
                instance->Effect().NotificationReceived (AAX_eNotificationEvent_ExitingOfflineMode, nullptr, 0);

            if (std::string closeError; ! output.Close (closeError) || ! written)
            {
                err << (written ? closeError : error) << "\n";
                result = 1;
            }

            for (const AAX_CTypeID chunkID : { AAX_CTypeID ('elck'), AAX_CTypeID ('juce') })
            {
                AAX_Result got = 0;
                const auto record = instance->GetChunk (chunkID, got);
                const auto path = o.chunkPrefix + "." + fourCC (chunkID);

                if (record.empty() || ! writeFile (path, record))
                {
                    err << "cannot save chunk '" << fourCC (chunkID) << "' to " << path << " (" << got << ")\n";
                    result = 1;
                }
                else if (! o.quiet)
                    out << "chunk '" << fourCC (chunkID) << "': " << record.size() << " bytes to " << path << "\n";
            }

            if (! o.quiet)
            {
                out << "parameters:\n";
                for (const auto& id : instance->ParameterIDs())
                    out << "  " << std::left << std::setw (16) << id << " " << std::setw (28) << instance->ParameterName (id)
                        << " " << instance->ValueText (id) << "\n";
                out << "latency: " << instance->Latency() << " samples\n";
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
