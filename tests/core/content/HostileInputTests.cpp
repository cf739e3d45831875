// Hostile files and blocks, one table per format: each input says what the user sees
// (refused with an error, clamped, skipped) and leaves every other file of the data folder as
// it was. The XML attacks are shared by every XML format; special files (FIFO, device, folder)
// must never block or be read without end.

#include "ContentTestSupport.h"
#include "core/CommandParameter.h"
#include "core/content/PackageImportJob.h"
#include <juce_cryptography/juce_cryptography.h>

#include <cctype>
#include <regex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
    using Checksums = std::map<juce::String, juce::String>;

    // Every file under the folder by its path: a hash of its bytes, or why it cannot be read
    // (a FIFO or a link to a device is described, never read).
    Checksums checksums (const juce::File& root)
    {
        Checksums sums;

        for (const auto& entry : juce::RangedDirectoryIterator (root, true, "*", juce::File::findFiles))
        {
            // The developer log some tests read is written while they run.
            if (entry.getFile().getFileName().startsWith ("Log_"))
                continue;

            juce::MemoryBlock data;
            juce::String error;
            sums[entry.getFile().getRelativePathFrom (root)] = BoundedXmlReader::readFile (entry.getFile(), 64 << 20, data, error)
                ? juce::SHA256 (data).toHexString()
                : error;
        }

        return sums;
    }

    std::string deep (int levels, const std::string& open = "<a>")
    {
        std::string text;

        for (int i = 0; i < levels; ++i)
            text += open;

        return text;
    }

    /** XML attacks that every reader must refuse before JUCE's reader sees them, wrapped in
        the format's root; each with the words its error must contain. */
    struct XmlAttack
    {
        const char* name;
        std::string text;
        const char* error;
    };

    std::vector<XmlAttack> xmlAttacks (const std::string& root, size_t maxBytes)
    {
        const auto open = "<" + root + ">", close = "</" + root + ">";
        return {
            { "deep nesting", open + deep (100000) + close, "nested too deeply" },
            { "nesting behind a quote in a comment", open + "<a <!-- \" --> >" + deep (100000) + "\"" + close, "nested too deeply" },
            { "nesting inside an unknown entity", open + "&" + deep (100000) + ";" + close, "nested too deeply" },
            { "nesting in an attribute-less tag run", open + deep (100000, "<a\n>") + close, "nested too deeply" },
            { "document type with entities", "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;\">]>" + open + "&b;" + close, "document type" },
            { "character reference cut off", open + "<a x=\"&#x", "character reference|truncated" },
            { "character reference cut off in text", open + "&#x1", "character reference|truncated" },
            { "element name JUCE asserts on", open + "<1a/>" + close, "element name" },
            { "attribute name JUCE asserts on", "<" + root + " -x=\"1\"/>", "attribute name" },
            { "too large", open + "<!--" + std::string (maxBytes, 'x') + "-->" + close, "larger than|oversized" },
            { "empty", "", "not an XML document|truncated" },
            { "binary", std::string ("\x00\x01\xff\xfe\x80<", 6), "" },
            { "UTF-16 garbage", std::string ("\xff\xfe\x00<\x00P\x00", 7), "" },
            { "not XML", "this is not XML <<<", "" },
        };
    }

    // Whether the text has one of the "|"-separated words (none: any text will do).
    bool containsAny (const juce::String& text, const char* words)
    {
        const auto list = juce::StringArray::fromTokens (words, "|", {});
        return list.isEmpty() || std::any_of (list.begin(), list.end(), [&] (const juce::String& w) { return text.contains (w); });
    }

    void writeBytes (const juce::File& file, const std::string& bytes)
    {
        file.getParentDirectory().createDirectory();
        file.deleteFile();
        juce::FileOutputStream out (file);
        out.write (bytes.data(), bytes.size());
    }

    /** Special files under a name where a regular file is expected. */
    struct SpecialFile
    {
        const char* name;
        std::function<bool (const juce::File&)> make;
    };

    const std::vector<SpecialFile>& specialFiles()
    {
        static const std::vector<SpecialFile> files {
            { "FIFO", [] (const juce::File& f) { return ::mkfifo (f.getFullPathName().toRawUTF8(), 0600) == 0; } },
            { "link to /dev/zero", [] (const juce::File& f) { return juce::File ("/dev/zero").createSymbolicLink (f, true); } },
            { "link to /dev/urandom", [] (const juce::File& f) { return juce::File ("/dev/urandom").createSymbolicLink (f, true); } },
            { "folder", [] (const juce::File& f) { return f.createDirectory().wasOk(); } },
        };
        return files;
    }

    /** Runs every XML attack and special file through one reader: it must refuse each (false,
        with the attack's words in the error) and change no file while it runs; done() then
        lets go of whatever the reader needed alive. Returns the number of inputs tried. */
    int refusesEveryAttack (
        const juce::File& dataFolder, const juce::File& target, const std::string& root, size_t maxBytes,
        const std::function<bool (juce::String&)>& read, const std::function<void()>& done = [] {})
    {
        int tried = 0;

        const auto attempt = [&] (const juce::String& name, const char* words) {
            ++tried;
            const auto before = checksums (dataFolder);
            juce::String error;
            EXPECT_FALSE (read (error)) << name;
            EXPECT_TRUE (containsAny (error, words)) << name << ": " << error.substring (0, 300);
            EXPECT_EQ (checksums (dataFolder), before) << name;
            done();
            target.deleteRecursively();
        };

        for (const auto& attack : xmlAttacks (root, maxBytes))
        {
            writeBytes (target, attack.text);
            attempt (attack.name, attack.error);
        }

        for (const auto& special : specialFiles())
        {
            target.getParentDirectory().createDirectory();
            EXPECT_TRUE (special.make (target)) << special.name;
            attempt (special.name, "not a regular file");
        }

        return tried;
    }

    // A package whose descriptor is the given bytes, with a matching hash.
    juce::File writePackage (const juce::File& file, const juce::MemoryBlock& descriptor)
    {
        juce::MemoryBlock content;
        {
            juce::ZipFile::Builder inner;
            inner.addEntry (new juce::MemoryInputStream (juce::MemoryBlock ("<Preset/>", 9), true), 0, "A.grprs2", juce::Time (2020, 0, 1, 0, 0));
            juce::MemoryOutputStream out (content, false);
            inner.writeToStream (out, nullptr);
        }

        const auto hash = ContentPackage::computeHash (content, descriptor);
        juce::ZipFile::Builder outer;
        outer.addEntry (new juce::MemoryInputStream (hash.toRawUTF8(), hash.getNumBytesAsUTF8(), true), 0, "hash", juce::Time (2020, 0, 1, 0, 0));
        outer.addEntry (new juce::MemoryInputStream (content, true), 0, "content", juce::Time (2020, 0, 1, 0, 0));
        outer.addEntry (new juce::MemoryInputStream (descriptor, false), 0, "__desc__", juce::Time (2020, 0, 1, 0, 0));

        file.getParentDirectory().createDirectory();
        file.deleteFile();
        juce::FileOutputStream out (file);
        outer.writeToStream (out, nullptr);
        return file;
    }

    juce::MemoryBlock stateBlock (const std::string& text, juce::uint32 length)
    {
        juce::MemoryOutputStream out;
        out.writeInt (0x21324356);   // "VC2!"
        out.writeInt ((int) length);
        out.write (text.data(), text.size());
        out.writeByte (0);
        return out.getMemoryBlock();
    }

    void report (const char* format, int tried)
    {
        std::cout << "[hostile inputs] " << format << ": " << tried << " tried" << std::endl;
    }
}

//==============================================================================
TEST (HostileInput, PresetsAreRefusedSkippedOrLoadedWithDefaults)
{
    test::PluginFixture fixture;
    auto* source = fixture.plugin().getUserPresetSource();
    const auto target = source->getItemFile ("Hostile");

    // Refused with an error when loaded; a refresh, which reads only the root's attributes,
    // skips the file when those are unreadable.
    auto tried = refusesEveryAttack (fixture.root.getUserFolder().getParentDirectory(), target, "Preset", (size_t) Preset::maxFileSize, [&] (juce::String& error) {
        source->refresh();
        Preset preset;
        return preset.loadFromFile (target, &error);
    });

    // Values that do not parse: the parameter's default, and the load says it was partial.
    auto& mix = fixture.parameter ("Mix");

    for (const char* value : { "nan", "inf", "-inf", "", "text", "1e999", "0x10", "12abc" })
    {
        ++tried;
        mix.setValue (3.0f, false);
        Preset preset;
        preset.setValue (mix.getId(), value);
        EXPECT_FALSE (fixture.plugin().loadPreset (preset, 0, false)) << value;
        EXPECT_FLOAT_EQ (mix.getValue(), mix.getDefaultValue()) << value;
    }

    Preset good;
    good.setValue (mix.getId(), "42");
    EXPECT_TRUE (fixture.plugin().loadPreset (good, 0, false));
    EXPECT_FLOAT_EQ (mix.getValue(), 42.0f);
    report ("preset", tried);
}

TEST (HostileInput, TagTextsAreClampedAndMergeInLinearTime)
{
    int tried = 0;

    const auto clamped = [&] (const char* name, const juce::String& text, int categories, int tags) {
        ++tried;
        const auto start = test::threadCpuMs();
        const auto map = CategoryTagMap::fromString (text);
        EXPECT_EQ (map.getNumCategories(), categories) << name;
        EXPECT_EQ (map.getNumTags(), tags) << name;
        EXPECT_LT (test::threadCpuMs() - start, 2000.0) << name;
    };

    juce::StringArray manyCategories, manyTags, repeated;

    for (int i = 0; i < 20000; ++i)
    {
        manyCategories.add ("C" + juce::String (i) + ":t");
        manyTags.add ("t" + juce::String (i));
        repeated.add ("C:t");
    }

    clamped ("20,000 categories", manyCategories.joinIntoString (";"), CategoryTagMap::maxCategoriesPerItem, CategoryTagMap::maxCategoriesPerItem);
    clamped ("20,000 tags in one category", "C:" + manyTags.joinIntoString ("|"), 1, CategoryTagMap::maxTagsPerItem);
    clamped ("one pair 20,000 times", repeated.joinIntoString (";"), 1, 1);
    clamped ("separators only", juce::String::repeatedString (";:|", 100000), 0, 0);
    clamped ("empty names", ":a|b;;  :c", 0, 0);

    // A source's and a dictionary's totals grow past any one item: 50,000 distinct tags, as
    // from 50,000 presets, merge in linear time.
    ++tried;
    const auto start = test::threadCpuMs();
    CategoryTagMap total;
    TagDictionary dictionary;

    for (int i = 0; i < 50000; ++i)
    {
        const auto item = CategoryTagMap::fromString ("C" + juce::String (i % 500) + ":t" + juce::String (i));
        total.addAll (item);
        dictionary.addAll (item);
    }

    EXPECT_LT (test::threadCpuMs() - start, 5000.0);
    EXPECT_EQ (total.getNumTags(), 50000);
    EXPECT_TRUE (total.contains ("C7", "t7"));
    EXPECT_FALSE (total.contains ("C7", "t8"));
    EXPECT_EQ (dictionary.getId ("C7", "t7"), 8001);

    // Removing keeps the look-ups true.
    total.removeCategory ("C0");
    EXPECT_FALSE (total.contains ("C0", "t0"));
    EXPECT_TRUE (total.contains ("C499", "t499"));
    total.removeTag ("C499", "t499");
    EXPECT_FALSE (total.contains ("C499", "t499"));
    report ("tags", tried);
}

TEST (HostileInput, SettingsAreIgnoredWithoutBlockingOrChangingFiles)
{
    test::ScopedDataRoot root;
    const auto user = root.getUserFolder();
    const auto settings = user.getChildFile ("Grindel 2.ini");
    test::writeText (user.getChildFile ("superpowers"), {});   // the log says why
    std::unique_ptr<PluginAudioProcessor> processor;

    // The plug-in starts with its defaults; the file stays as it is while the plug-in runs.
    const auto tried = refusesEveryAttack (
        user.getParentDirectory(), settings, "GrindelSettings", BoundedXmlReader::standardLimits.maxBytes, [&] (juce::String& error) {
        processor = std::make_unique<PluginAudioProcessor>();
        auto& plugin = processor->getPlugin();
        error = plugin.getLogFile().loadFileAsString();
        EXPECT_NE (plugin.getMidiControlMap().getParameter (74), nullptr);   // the default map
        return ! error.contains ("could not be read"); }, [&] {
        const auto log = processor->getPlugin().getLogFile();
        processor.reset();
        log.deleteFile(); });

    report ("settings", tried);
}

TEST (HostileInput, MidiMapsAreRefusedAndBadEntriesSkipped)
{
    test::PluginFixture fixture;
    auto& map = fixture.plugin().getMidiControlMap();
    const auto target = fixture.root.getUserFolder().getChildFile ("Hostile.grccmap");
    auto* cutoff = &fixture.parameter ("Filter Cutoff");

    auto tried = refusesEveryAttack (fixture.root.getUserFolder().getParentDirectory(), target, "MidiControlMap", BoundedXmlReader::standardLimits.maxBytes, [&] (juce::String& error) {
        const auto loaded = map.loadFromFile (target, &error);
        EXPECT_EQ (map.getParameter (74), cutoff);   // the map as it was
        return loaded;
    });

    // Entries a controller must not drive, or that name no CC, are skipped; the good one stays.
    for (const auto& entry : std::vector<std::pair<const char*, const char*>> {
             { "abc", "Mix" }, { "4294967370", "Mix" }, { "-1", "Mix" }, { "128", "Mix" }, { "74.5", "Mix" }, { "", "Mix" }, { "1", "Options" }, { "2", "About" }, { "3", "Preset Save" }, { "4", "Preset Name" }, { "5", "Offline Processing Quality" }, { "6", "Processing Quality" }, { "7", "No Such Parameter" } })
    {
        ++tried;
        const auto xml = juce::String ("<MidiControlMap><assign cc=\"") + entry.first + "\" param=\"" + entry.second
            + "\"/><assign cc=\"20\" param=\"Mix\"/></MidiControlMap>";
        ASSERT_TRUE (map.loadFromFile (test::writeText (target, xml)));
        EXPECT_EQ (map.getParameter (20), &fixture.parameter ("Mix")) << entry.first << " " << entry.second;

        for (int cc = 0; cc < MidiControlMap::numSlots; ++cc)
            EXPECT_TRUE (cc == 20 || map.getParameter (cc) == nullptr) << entry.first << " " << entry.second << " at " << cc;
    }

    // A padded number is still the number.
    ASSERT_TRUE (map.loadFromFile (test::writeText (target, "<MidiControlMap><assign cc=\" 74 \" param=\"Mix\"/></MidiControlMap>")));
    EXPECT_EQ (map.getParameter (74), &fixture.parameter ("Mix"));
    report ("MIDI map", tried);
}

TEST (HostileInput, HostMapsAreRefused)
{
    test::PluginFixture fixture;
    const auto target = fixture.root.getUserFolder().getChildFile ("Hostile.grhpmap");
    HostParametersMap map;
    map.names = { "Mix" };

    auto tried = refusesEveryAttack (fixture.root.getUserFolder().getParentDirectory(), target, "HostParametersMap", BoundedXmlReader::standardLimits.maxBytes, [&] (juce::String& error) {
        const auto loaded = map.loadFromFile (target, &error);
        EXPECT_EQ (map.names, juce::StringArray ("Mix"));
        return loaded;
    });

    // 40,000 names, most of them repeated: read at once.
    ++tried;
    juce::MemoryOutputStream many;
    many << "<HostParametersMap>";
    for (int i = 0; i < 40000; ++i)
        many << "<param name=\"n" << (i % 20000) << "\"/>";
    many << "</HostParametersMap>";
    const auto start = test::threadCpuMs();
    ASSERT_TRUE (map.loadFromFile (test::writeText (target, many.toString())));
    EXPECT_EQ (map.names.size(), 20000);
    EXPECT_LT (test::threadCpuMs() - start, 5000.0);
    report ("host map", tried);
}

TEST (HostileInput, PackagesAreRefusedWholeAndQuickly)
{
    test::PluginFixture fixture;
    const auto target = fixture.root.getCommonFolder().getChildFile ("Presets/Hostile Factory.orvikpkg");
    ContentPackage package;

    // The descriptor's XML attacks, each inside a sound package with a matching hash.
    int tried = 0;
    for (const auto& attack : xmlAttacks ("ContentPackage", (size_t) ContentPackage::maxDescriptorSize))
    {
        ++tried;
        juce::MemoryBlock descriptor;
        descriptor.append (attack.text.data(), attack.text.size());
        writePackage (target, descriptor);
        const auto before = checksums (fixture.root.getCommonFolder());
        juce::String error;
        EXPECT_FALSE (package.open (target, error)) << attack.name;
        EXPECT_TRUE (containsAny (error, attack.error)) << attack.name << ": " << error.substring (0, 200);
        EXPECT_TRUE (package.items.isEmpty());
        EXPECT_EQ (checksums (fixture.root.getCommonFolder()), before) << attack.name;
    }

    // 200,000 items: refused at once; fewer, found by name at once.
    const auto itemsDescriptor = [] (int count) {
        juce::MemoryOutputStream out;
        out << "<ContentPackage format=\"1\" application=\"Grindel 2\" itemExtension=\".grprs2\">";
        for (int i = 0; i < count; ++i)
            out << "<Item name=\"P" << i << "\" file=\"A.grprs2\"/>";
        out << "</ContentPackage>";
        return out.getMemoryBlock();
    };

    for (const int count : { 200000, 20000 })
    {
        ++tried;
        writePackage (target, itemsDescriptor (count));
        const auto start = test::threadCpuMs();
        juce::String error;
        const auto opened = package.open (target, error);
        EXPECT_EQ (opened, count <= ContentPackage::maxItems) << count << " " << error;
        EXPECT_EQ (package.findItem ("P19999") != nullptr, opened);
        EXPECT_EQ (package.findItem ("P200000"), nullptr);
        EXPECT_LT (test::threadCpuMs() - start, 20000.0) << count;
    }

    report ("package", tried);
}

TEST (HostileInput, HostStateBlocksAreRefusedAndChangeNothing)
{
    test::PluginFixture fixture;
    auto& processor = *fixture.processor;
    auto& mix = fixture.parameter ("Mix");
    mix.setValue (33.0f, false);
    int tried = 0;

    const auto refused = [&] (const juce::String& name, const juce::MemoryBlock& block) {
        ++tried;
        const auto before = checksums (fixture.root.getUserFolder().getParentDirectory());
        processor.setStateInformation (block.getData(), (int) block.getSize());
        EXPECT_FLOAT_EQ (mix.getValue(), 33.0f) << name;
        EXPECT_EQ (checksums (fixture.root.getUserFolder().getParentDirectory()), before) << name;
    };

    for (const auto& attack : xmlAttacks ("PluginState", 4 << 20))
        refused (attack.name, stateBlock (attack.text, (juce::uint32) attack.text.size()));

    const std::string state = "<PluginState><ParametersState><Preset><Value id=\"6\" value=\"80\"/></Preset></ParametersState></PluginState>";
    auto wrongMagic = stateBlock (state, (juce::uint32) state.size());
    static_cast<char*> (wrongMagic.getData())[0] = 'X';
    refused ("wrong magic", wrongMagic);
    refused ("length 0", stateBlock (state, 0));
    refused ("length cut into the root", stateBlock (state, 20));
    refused ("only the header", juce::MemoryBlock (stateBlock (state, 9).getData(), 8));

    // A length beyond the block reads only the block.
    ++tried;
    const auto longer = stateBlock (state, 0xffffffffu);
    processor.setStateInformation (longer.getData(), (int) longer.getSize());
    EXPECT_FLOAT_EQ (mix.getValue(), 80.0f);
    report ("'juce' chunk", tried);
}

namespace
{
    /** Runs the check in a child process given ten seconds: a call that waits on a FIFO ends
        the child instead of hanging the test. */
    bool passesInAChildWithinTenSeconds (const std::function<juce::String()>& check)
    {
        const auto child = ::fork();

        if (child == 0)
        {
            ::alarm (10);
            const auto failure = check();
            std::cerr << failure;
            ::_exit (failure.isEmpty() ? 0 : 1);
        }

        int status = 0;
        return child > 0 && ::waitpid (child, &status, 0) == child && WIFEXITED (status) && WEXITSTATUS (status) == 0;
    }
}

TEST (HostileInput, AFifoUnderAPresetsOrAnArchivesNameIsNeverOpened)
{
    // A listed preset replaced by a FIFO: the listing, an export, a copy and a rename pass it
    // by without opening it (which would wait for a writer); an archive that is a FIFO is no ZIP.
    test::PluginFixture fixture;
    test::TempFolder folder;
    PresetsDirectoryContent<Preset> source (fixture.plugin(), folder.get().getChildFile ("Presets"));
    ASSERT_NE (source.addNewItem ("Plain", {}), nullptr);
    auto* piped = source.addNewItem ("Piped", {});
    ASSERT_NE (piped, nullptr);
    const auto fifo = source.getFileForName ("Piped"), archive = folder.get().getChildFile ("in.grzip");
    ASSERT_TRUE (fifo.deleteFile());
    ASSERT_EQ (::mkfifo (fifo.getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_EQ (::mkfifo (archive.getFullPathName().toRawUTF8(), 0600), 0);

    EXPECT_TRUE (passesInAChildWithinTenSeconds ([&]() -> juce::String {
        juce::String error;

        if (createZipFile (folder.get().getChildFile ("out.grzip"), { source.getFileForName ("Plain"), fifo }, 9, &error)
            || ! error.contains ("not a regular file"))
            return "exported: " + error;

        if (ZipReader (archive).isValid())
            return "read a FIFO as a ZIP";

        if (PackageImportJob job; job.start (archive, source) != PackageImportJob::State::finished || ! job.isNotAZip())
            return "imported from a FIFO";

        if (source.addItemCopy (fifo, "Copy", {}) != nullptr || piped->rename ("Renamed"))
            return "copied or renamed";

        source.refresh();
        return source.findItem ("Piped") == nullptr && source.findItem ("Plain") != nullptr ? "" : "listed the FIFO";
    }));
}

namespace
{
    // What a state, a preset or a settings file can change: every parameter's value, the MIDI
    // map's slots and the settings' fields.
    juce::StringArray plugInSnapshot (BasePlugin& plugin)
    {
        juce::StringArray snapshot;

        for (auto* p : plugin.getParameterManager().getParameters())
            snapshot.add (p->getName() + "=" + p->getText());

        for (int cc = 0; cc < MidiControlMap::numSlots; ++cc)
            if (auto* p = plugin.getMidiControlMap().getParameter (cc))
                snapshot.add ("CC " + juce::String (cc) + "=" + p->getName());

        snapshot.add (plugin.authorName + "|" + (plugin.useCustomMidiMap ? "custom" : "default") + "|" + plugin.midiMapPath + "|"
                      + plugin.hostParametersMapPath);
        return snapshot;
    }

    // Moves everything a document can carry; each step gives other values.
    void changeEverything (BasePlugin& plugin, int step)
    {
        auto& map = plugin.getMidiControlMap();
        map.clear();
        float v = 0.13f * (float) step;

        for (auto* p : plugin.getParameterManager().getParameters())
        {
            if (! p->isAutomatable())
                continue;

            p->setNormalisedValue (std::fmod (v += 0.29f, 1.0f), true);

            if (map.getControllerFor (p) < 0 && plugin.getParameterManager().canLearnMidi (p))
                map.setParameter ((step * 7 + p->getId()) % MidiControlMap::numSlots, p);
        }

        plugin.getRealtimeQualityParameter()->setValue ((float) (step % 3), true);
        plugin.getOfflineQualityParameter()->setValue ((float) ((step + 1) % 3), true);
        plugin.getParameterManager().getParameterByIndex (BasePlugin::defaultRealtimeQualityId)->setValue ((float) (step % 3), true);
        plugin.authorName = "Author & \"" + juce::String (step) + "\" <x>";
        plugin.useCustomMidiMap = step % 2 == 1;
        plugin.midiMapPath = "/maps/" + juce::String (step) + ".grccmap";
        plugin.hostParametersMapPath = "/maps/" + juce::String (step) + ".grhpmap";
    }
}

// A state, a preset file and a settings file, cut at every length: each cut before the root
// element closes is refused whole (the plug-in's values, maps and settings as they were);
// only what follows the root (a line end, the state's closing zero) may be missing.
TEST (HostileInput, EveryCutOfAStatePresetOrSettingsFileIsRefusedWhole)
{
    test::PluginFixture fixture;
    auto& processor = *fixture.processor;
    auto& plugin = fixture.plugin();
    const auto presetFile = fixture.root.getUserFolder().getChildFile ("Cut.grprs2");
    const auto settingsFile = plugin.getUserSettingsFile();

    // What each document holds: the plug-in in its first shape.
    changeEverything (plugin, 1);
    juce::MemoryBlock state;
    processor.getStateInformation (state);
    Preset preset;
    plugin.storePresetValues (preset, 0);
    preset.name = "Cut & \"dried\"";
    ASSERT_TRUE (preset.saveToFile (presetFile).wasOk());
    ASSERT_TRUE (plugin.saveUserSettings().wasOk());
    juce::MemoryBlock presetBytes, settingsBytes;
    ASSERT_TRUE (presetFile.loadFileAsData (presetBytes));
    ASSERT_TRUE (settingsFile.loadFileAsData (settingsBytes));

    struct Kind
    {
        const char* name;
        const juce::MemoryBlock& whole;
        std::function<void (const void*, size_t)> read;
    };

    const std::vector<Kind> kinds {
        { "state", state, [&] (const void* data, size_t size) { processor.setStateInformation (data, (int) size); } },
        { "preset", presetBytes, [&] (const void* data, size_t size) {
             presetFile.replaceWithData (data, size);
             if (Preset loaded; loaded.loadFromFile (presetFile))
                 plugin.loadPreset (loaded, 0, true);
         } },
        { "settings", settingsBytes, [&] (const void* data, size_t size) {
             settingsFile.replaceWithData (data, size);
             plugin.loadUserSettings();
         } },
    };

    for (const auto& kind : kinds)
    {
        const std::string bytes (static_cast<const char*> (kind.whole.getData()), kind.whole.getSize());
        const auto end = bytes.rfind ('>') + 1;
        int refused = 0;

        for (size_t length = 0; length <= bytes.size(); ++length)
        {
            changeEverything (plugin, 2);
            const auto before = plugInSnapshot (plugin);
            plugin.takeProblems();
            kind.read (bytes.data(), length);
            const bool changed = plugInSnapshot (plugin) != before;
            EXPECT_EQ (changed, length >= end) << kind.name << " cut at " << length << " of " << bytes.size();
            refused += changed ? 0 : 1;
        }

        std::cout << "[truncation] " << kind.name << ": " << refused << " of " << bytes.size() + 1 << " lengths refused (0 to "
                  << bytes.size() << " bytes; the root closes at " << end << ")" << std::endl;
    }
}

namespace
{
    // The text with every start and end tag of the name spelt with the letter at index in the
    // other case.
    std::string withTagRecased (const std::string& text, const std::string& tag, size_t index)
    {
        auto recased = tag;
        const auto c = (unsigned char) recased[index];
        recased[index] = (char) (std::isupper (c) ? std::tolower (c) : std::toupper (c));
        return std::regex_replace (text, std::regex ("(</?)" + tag + "(?=[\\s/>])"), "$1" + recased);
    }

    std::string fileText (const juce::File& file)
    {
        return file.loadFileAsString().toStdString();
    }
}

// Our tags compare exactly: a state, preset or map with one of its tags spelt with a letter in
// the other case is refused whole (JUCE's case-blind look-ups asserted on it, and release
// builds read it); settings read every element but the misspelt one.
TEST (HostileInput, TagsWithALetterInTheOtherCaseAreRefused)
{
    test::PluginFixture fixture;
    auto& processor = *fixture.processor;
    auto& plugin = fixture.plugin();
    const auto folder = fixture.root.getUserFolder();

    changeEverything (plugin, 1);
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    const std::string state (static_cast<const char*> (block.getData()) + 8, block.getSize() - 9);
    Preset preset;
    plugin.storePresetValues (preset, 0);
    ASSERT_TRUE (preset.saveToFile (folder.getChildFile ("Tags.grprs2")).wasOk());
    ASSERT_TRUE (plugin.getMidiControlMap().saveToFile (folder.getChildFile ("Tags.grccmap")).wasOk());
    HostParametersMap hostMap;
    hostMap.names = { "Mix", "Filter Cutoff" };
    ASSERT_TRUE (hostMap.saveToFile (folder.getChildFile ("Tags.grhpmap")).wasOk());
    ASSERT_TRUE (plugin.saveUserSettings().wasOk());

    struct Kind
    {
        const char* name;
        std::string whole;
        std::vector<std::string> tags;
        std::function<void (const std::string&)> read;
    };

    const auto toFile = [&] (const char* name, const std::string& text) {
        return test::writeText (folder.getChildFile (name), juce::String (text));
    };

    HostParametersMap readMap;
    const std::vector<Kind> kinds {
        { "state", state, { "PluginState", "ProcessingQuality", "ParametersState", "Preset", "Value", "MidiControlMap", "assign" }, [&] (const std::string& text) {
             const auto restored = stateBlock (text, (juce::uint32) text.size());
             processor.setStateInformation (restored.getData(), (int) restored.getSize());
         } },
        { "preset", fileText (folder.getChildFile ("Tags.grprs2")), { "Preset", "Value" }, [&] (const std::string& text) {
             if (Preset loaded; loaded.loadFromFile (toFile ("Read.grprs2", text)))
                 plugin.loadPreset (loaded, 0, true);
         } },
        { "MIDI map", fileText (folder.getChildFile ("Tags.grccmap")), { "MidiControlMap", "assign" }, [&] (const std::string& text) { plugin.getMidiControlMap().loadFromFile (toFile ("Read.grccmap", text)); } },
        { "host map", fileText (folder.getChildFile ("Tags.grhpmap")), { "HostParametersMap", "param" }, [&] (const std::string& text) { readMap.loadFromFile (toFile ("Read.grhpmap", text)); } },
    };

    int tried = 0;

    for (const auto& kind : kinds)
    {
        for (const auto& tag : kind.tags)
        {
            for (size_t index = 0; index < tag.size(); ++index)
            {
                ++tried;
                const auto text = withTagRecased (kind.whole, tag, index);
                ASSERT_NE (text, kind.whole) << kind.name << " " << tag;
                changeEverything (plugin, 2);
                readMap.names = { "Mix" };
                const auto before = plugInSnapshot (plugin);
                kind.read (text);
                EXPECT_EQ (plugInSnapshot (plugin), before) << kind.name << ": " << tag << " at " << index;
                EXPECT_EQ (readMap.names, juce::StringArray ("Mix")) << kind.name << ": " << tag << " at " << index;
            }
        }

        // Spelt as written, the same document reads.
        changeEverything (plugin, 2);
        const auto before = plugInSnapshot (plugin);
        kind.read (kind.whole);
        EXPECT_TRUE (plugInSnapshot (plugin) != before || readMap.names.size() == 2) << kind.name;
    }

    // Settings: each element is a setting of its own; a misspelt one is not read.
    const auto settings = fileText (plugin.getUserSettingsFile());

    for (const std::string tag : { "UserSettings", "Author", "MidiControlMap", "HostParametersMap" })
    {
        ++tried;
        changeEverything (plugin, 2);
        const auto author = plugin.authorName, midiMap = plugin.midiMapPath, hostMapPath = plugin.hostParametersMapPath;
        test::writeText (plugin.getUserSettingsFile(), withTagRecased (settings, tag, 0));
        plugin.loadUserSettings();
        EXPECT_EQ (plugin.authorName == author, tag == "UserSettings" || tag == "Author") << tag;
        EXPECT_EQ (plugin.midiMapPath == midiMap, tag == "UserSettings" || tag == "MidiControlMap") << tag;
        EXPECT_EQ (plugin.hostParametersMapPath == hostMapPath, tag == "UserSettings" || tag == "HostParametersMap") << tag;
    }

    report ("tags in another case", tried);
}
