// Loads the plug-in through JUCE's audio-processor interface, renders a WAV file through it
// and writes the result and the plug-in's saved state.

#include "core/PluginAudioProcessor.h"
#include <iostream>

namespace
{
    struct Options
    {
        juce::File input, output, stateOut, stateIn;
        double toneSeconds = 0.0;
        int blockSize = 512;
        bool offline = false;
        juce::StringPairArray settings;
    };

    void printUsage()
    {
        std::cerr << "usage: GrindelRender (--in FILE.wav | --tone SECONDS) --out FILE.wav\n"
                     "                     [--block N] [--offline] [--set \"Parameter Name=value text\"]...\n"
                     "                     [--restore STATE] [--state STATE]\n"
                     "  --state writes the saved state block (default: the output name with .state);\n"
                     "  a readable copy of its XML goes beside it with .state.xml.\n";
    }

    bool parse (const juce::StringArray& args, Options& o, juce::String& error)
    {
        for (int i = 0; i < args.size(); ++i)
        {
            const auto& a = args[i];
            const auto next = [&]() -> juce::String
            {
                if (i + 1 >= args.size()) { error = a + " needs a value"; return {}; }
                return args[++i];
            };
            const auto file = [&] { return juce::File::getCurrentWorkingDirectory().getChildFile (next()); };

            if (a == "--in")            o.input = file();
            else if (a == "--out")      o.output = file();
            else if (a == "--state")    o.stateOut = file();
            else if (a == "--restore")  o.stateIn = file();
            else if (a == "--tone")     o.toneSeconds = next().getDoubleValue();
            else if (a == "--block")    o.blockSize = next().getIntValue();
            else if (a == "--offline")  o.offline = true;
            else if (a == "--set")
            {
                const auto pair = next();
                if (! pair.contains ("=")) { error = "--set needs Name=value"; return false; }
                o.settings.set (pair.upToFirstOccurrenceOf ("=", false, false), pair.fromFirstOccurrenceOf ("=", false, false));
            }
            else { error = "unknown argument " + a; return false; }

            if (error.isNotEmpty())
                return false;
        }

        if (o.output == juce::File())          error = "--out is required";
        else if (o.input == juce::File() && o.toneSeconds <= 0.0) error = "--in or --tone is required";
        else if (o.blockSize < 1 || o.blockSize > 65536) error = "--block must be 1 to 65536";

        if (o.stateOut == juce::File() && o.output != juce::File())
            o.stateOut = o.output.withFileExtension ("state");

        return error.isEmpty();
    }

    juce::AudioBuffer<float> makeTone (double seconds, double rate)
    {
        juce::AudioBuffer<float> tone (2, (int) (seconds * rate));

        for (int i = 0; i < tone.getNumSamples(); ++i)
        {
            const auto phase = juce::MathConstants<double>::twoPi * 440.0 * i / rate;
            tone.setSample (0, i, (float) (0.5 * std::sin (phase)));
            tone.setSample (1, i, (float) (0.5 * std::sin (phase * 1.5)));
        }

        return tone;
    }

    int run (const Options& o)
    {
        juce::AudioFormatManager formats;
        formats.registerBasicFormats();

        double rate = 48000.0;
        unsigned int bits = 24;
        juce::AudioBuffer<float> audio;

        if (o.input != juce::File())
        {
            std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (o.input));

            if (reader == nullptr || reader->lengthInSamples > (juce::int64) std::numeric_limits<int>::max()
                || reader->numChannels < 1)
            {
                std::cerr << "cannot read " << o.input.getFullPathName() << "\n";
                return 1;
            }

            rate = reader->sampleRate;
            bits = juce::jlimit (16u, 32u, reader->bitsPerSample);
            audio.setSize ((int) juce::jmin (2u, reader->numChannels), (int) reader->lengthInSamples);
            reader->read (&audio, 0, audio.getNumSamples(), 0, true, audio.getNumChannels() > 1);
        }
        else
        {
            audio = makeTone (o.toneSeconds, rate);
        }

        PluginAudioProcessor processor;

        if (processor.getPlugin().getParametersError().isNotEmpty())
        {
            std::cerr << processor.getPlugin().getParametersError() << "\n";
            return 1;
        }

        if (o.stateIn != juce::File())
        {
            juce::MemoryBlock block;

            if (! o.stateIn.loadFileAsData (block))
            {
                std::cerr << "cannot read " << o.stateIn.getFullPathName() << "\n";
                return 1;
            }

            processor.setStateInformation (block.getData(), (int) block.getSize());
        }

        for (const auto& name : o.settings.getAllKeys())
        {
            auto* parameter = processor.getPlugin().getParameterManager().getParameterByName (name);

            if (parameter == nullptr)
            {
                std::cerr << "no parameter named \"" << name << "\"\n";
                return 1;
            }

            parameter->setValue (parameter->getValueForText (o.settings[name]), true);
        }

        const int channels = audio.getNumChannels();
        const auto layout = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
        processor.setBusesLayout ({ { layout }, { layout } });
        processor.setNonRealtime (o.offline);
        processor.prepareToPlay (rate, o.blockSize);

        juce::MidiBuffer midi;

        for (int start = 0; start < audio.getNumSamples(); start += o.blockSize)
        {
            const int length = juce::jmin (o.blockSize, audio.getNumSamples() - start);
            juce::AudioBuffer<float> block (audio.getArrayOfWritePointers(), channels, start, length);
            processor.processBlock (block, midi);
            midi.clear();
        }

        processor.releaseResources();

        o.output.deleteFile();
        std::unique_ptr<juce::OutputStream> stream (o.output.createOutputStream());
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatWriter> writer (stream != nullptr
            ? wav.createWriterFor (stream.get(), rate, (unsigned int) channels, (int) bits, {}, 0) : nullptr);

        if (writer == nullptr)
        {
            std::cerr << "cannot write " << o.output.getFullPathName() << "\n";
            return 1;
        }

        stream.release();   // the writer owns it now
        writer->writeFromAudioSampleBuffer (audio, 0, audio.getNumSamples());
        writer.reset();

        juce::MemoryBlock state;
        processor.getStateInformation (state);

        if (! o.stateOut.replaceWithData (state.getData(), state.getSize()))
        {
            std::cerr << "cannot write " << o.stateOut.getFullPathName() << "\n";
            return 1;
        }

        processor.getPlugin().createStateXml()->writeTo (o.stateOut.withFileExtension ("state.xml"));

        std::cout << "rendered " << audio.getNumSamples() << " samples at " << rate << " Hz to "
                  << o.output.getFullPathName() << "\nstate: " << o.stateOut.getFullPathName() << "\n";
        return 0;
    }
}

int main (int argc, char* argv[])
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (juce::CharPointer_UTF8 (argv[i]));

    Options options;
    juce::String error;

    if (! parse (args, options, error))
    {
        std::cerr << error << "\n";
        printUsage();
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    return run (options);
}
