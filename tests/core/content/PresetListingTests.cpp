// The folder listing: the root's start tag read straight from a preset file's bytes must list
// and refuse exactly what the full reader does, and one listing shared by the sources of a
// process must follow every change of the folder.

#include "ContentTestSupport.h"
#include "core/content/PresetHeader.h"
#include "core/parameters/AtomicFile.h"
#include <set>
#include <thread>

namespace
{
    struct Verdict
    {
        bool listed = false;
        juce::String application, tags;

        bool operator== (const Verdict& o) const { return listed == o.listed && application == o.application && tags == o.tags; }
    };

    std::ostream& operator<< (std::ostream& out, const Verdict& v)
    {
        return out << (v.listed ? "listed" : "skipped") << " application=\"" << v.application << "\" tags=\"" << v.tags << "\"";
    }

    Verdict listing (const std::string& bytes)
    {
        PresetHeader header;
        juce::String error;
        const auto listed = PresetHeader::read (bytes.data(), bytes.size(), header, error);
        EXPECT_EQ (listed, error.isEmpty()) << error;
        return { listed, header.application, header.tags };
    }

    // What the full reader gives the listing.
    Verdict fullReader (const std::string& bytes)
    {
        juce::String error;
        const auto root = Preset::readRootElement (bytes.data(), bytes.size(), true, error);
        return root == nullptr ? Verdict {} : Verdict { true, root->getStringAttribute ("application"), root->getStringAttribute ("tags") };
    }

    bool loads (const std::string& bytes)
    {
        juce::String error;
        const auto root = Preset::readRootElement (bytes.data(), bytes.size(), false, error);
        Preset preset;
        return root != nullptr && preset.readFromXml (*root);
    }

    std::string writtenPreset (const juce::String& tags)
    {
        const test::TempFolder folder;
        Preset preset;
        preset.application = "Grindel 2";
        preset.author = "A & B <\"me\">";
        preset.tags = tags;
        preset.setValue (1, "0.5");
        const auto file = folder.get().getChildFile ("P.grprs2");
        EXPECT_TRUE (preset.saveToFile (file).wasOk());
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        return data.toString().toStdString();
    }

    std::string replaced (std::string text, const std::string& from, const std::string& to)
    {
        const auto at = text.find (from);
        EXPECT_NE (at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace (at, from.size(), to);
    }

    void write (const juce::File& file, const std::string& bytes)
    {
        juce::FileOutputStream out (file);
        out.setPosition (0);
        out.truncate();
        out.write (bytes.data(), bytes.size());
    }

    std::string itemNames (const ContentSource& source)
    {
        juce::StringArray names;

        for (auto* item : source.getItems())
            names.add (item->name + "=" + item->tags.toString());

        return names.joinIntoString (", ").toStdString();
    }

    void ageFiles (const juce::File& folder, const juce::Time& longAgo = juce::Time (2020, 0, 1, 0, 0))
    {
        for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFiles))
            entry.getFile().setLastModificationTime (longAgo);

        folder.setLastModificationTime (longAgo);
    }

    void savePreset (const juce::File& folder, const juce::String& name, const juce::String& tags)
    {
        Preset preset;
        preset.application = "Grindel 2";
        preset.tags = tags;
        ASSERT_TRUE (preset.saveToFile (folder.getChildFile (name + Preset::fileExtension)).wasOk());
    }

    std::vector<const ContentItem*> itemPointers (const ContentSource& source)
    {
        return { source.getItems().begin(), source.getItems().end() };
    }

    /** Every "category:tag" (and "category:") the items use, sorted. */
    std::set<std::string> pairsOf (const juce::Array<const CategoryTagMap*>& maps)
    {
        std::set<std::string> pairs;

        for (const auto* map : maps)
            for (int c = 0; c < map->getNumCategories(); ++c)
            {
                pairs.insert ((map->getCategoryName (c) + ":").toStdString());

                for (const auto& tag : map->getTagList (c))
                    pairs.insert ((map->getCategoryName (c) + ":" + tag).toStdString());
            }

        return pairs;
    }

    /** The source's tags are exactly its items' tags, and each item's ids are its tags'. */
    void expectTagsOfItems (const ContentSource& source, const std::string& context)
    {
        juce::Array<const CategoryTagMap*> itemTags;

        for (const auto* item : source.getItems())
        {
            itemTags.add (&item->tags);
            TagIdSet ids;
            ids.setFromTags (const_cast<ContentSource&> (source).getTagDictionary(), item->tags);
            EXPECT_EQ (item->tagIds, ids) << context << ": " << item->name;
        }

        EXPECT_EQ (pairsOf ({ &source.tags }), pairsOf (itemTags)) << context;
    }
}

TEST (PresetListing, ReadsAndRefusesWhatTheFullReaderDoes)
{
    const auto plain = writtenPreset ("Vintage Sampler:12 Bit|Lo-Fi;Degradation:Crunchy");
    const auto start = plain.find ("<Preset");
    ASSERT_NE (start, std::string::npos);
    const auto header = plain.substr (0, start);
    const auto body = plain.substr (plain.find ('>', start) + 1);

    // { case, bytes, listed, loads }
    struct Case
    {
        const char* name;
        std::string bytes;
        bool listed, loads;
    };

    const auto root = [&] (const std::string& attributes) { return header + "<Preset" + attributes + ">" + body; };
    const std::vector<Case> cases {
        { "our writer's file", plain, true, true },
        { "UTF-8 byte-order mark", "\xef\xbb\xbf" + plain, true, true },
        { "UTF-8 tags", root (" application=\"Grindel 2\" tags=\"K\xc3\xa4se:Gr\xc3\xbc\xc3\x9f"
                              "e\""),
          true, true },
        { "Windows-1252 tags", root (" tags=\"K\xe4"
                                     "se:Gr\xfc\xdf"
                                     "e\""),
          true, true },
        { "UTF-8 tags in a file with a stray byte", "<!-- \xff -->" + root (" tags=\"K\xc3\xa4se\""), true, true },
        { "named entities", root (" tags=\"a&amp;b:&lt;c&gt;|&quot;d&apos;\""), true, true },
        { "entities in upper case", root (" tags=\"a&AMP;b\""), true, true },
        { "character references", root (" tags=\"&#65;&#x42;:c\""), true, true },
        { "unknown entity", root (" tags=\"a&nbsp;b\""), true, true },
        { "entity cut off", root (" tags=\"a&amp\""), false, false },
        { "single quotes", root (" application='Grindel 2' tags='A:b'"), true, true },
        { "spaces around =", root (" tags = \"A:b\"\r\n\tapplication\n=\n\"Grindel 2\""), true, true },
        { "first of two tags", root (" tags=\"A:first\" tags=\"A:second\""), true, true },
        { "no attributes", root (""), true, true },
        // JUCE ends the root at a value without quotes: the rest follows the root.
        { "value without quotes", root (" tags=A:b application=\"X\""), false, false },
        { "attribute without value", root (" tags application=\"X\""), false, false },
        { "attribute name JUCE asserts on", root (" -x=\"1\""), false, false },
        { "quote left open", root (" tags=\"A:b"), false, false },
        { "comment inside the tag", root (" <!-- c --> tags=\"A:b\""), true, true },
        { "comment before the root", "<!-- \xc3\xa4 -->" + plain, true, true },
        { "instruction before the root", "<?x ?>\n" + plain, true, true },
        { "no declaration", plain.substr (start), true, true },
        { "document type", replaced (plain, "<Preset", "<!DOCTYPE Preset><Preset"), false, false },
        { "another root", replaced (replaced (plain, "<Preset", "<Other"), "</Preset>", "</Other>"), false, false },
        { "longer root name", replaced (plain, "<Preset ", "<Presets "), false, false },
        { "root without children", header + "<Preset tags=\"A:b\"/>\n", true, true },
        { "root closed early", header + "<Preset tags=\"A:b\"/>" + body, false, false },
        { "cut short", plain.substr (0, plain.size() - 4), false, false },
        { "cut in the start tag", plain.substr (0, start + 20), false, false },
        { "NUL inside", replaced (plain, "<Preset ", std::string ("<Preset \0", 9)), false, false },
        { "trailing NBSP", plain + "\xc2\xa0", false, false },
        { "trailing vertical tab", plain + "\v", true, true },
        { "children nested too deeply", replaced (plain, "</Preset>", [] { std::string s; for (int i = 0; i < 40; ++i) s += "<a>"; for (int i = 0; i < 40; ++i) s += "</a>"; return s; }() + "</Preset>"), true, false },
        { "comment after the root", plain + "<!-- made by hand -->\n", true, true },
        { "instruction and comments after the root", plain + "<?x y?>\n<!-- a --><!-- b -->  \n", true, true },
        { "comment after a self-closing root", header + "<Preset tags=\"A:b\"/>\n<!-- c -->\n", true, true },
        { "text after the root", plain + "junk", false, false },
        { "comment left open after the root", plain + "<!-- open", false, false },
        { "ISO-8859-1", replaced (root (" application=\"Grindel 2\" tags=\"K\xe4se:a\""), "UTF-8", "ISO-8859-1"), true, true },
        { "ISO-8859-1 that reads as UTF-8", replaced (root (" tags=\"K\xc3\xa4se:a\""), "UTF-8", "iso-8859-1"), true, true },
        { "UTF-16", std::string ("\xff\xfe<\0P\0", 6), false, false },
        { "empty", "", false, false },
    };

    int direct = 0;

    for (const auto& c : cases)
    {
        const auto oracle = fullReader (c.bytes);
        juce::String why;
        Preset::readRootElement (c.bytes.data(), c.bytes.size(), true, why);
        EXPECT_EQ (listing (c.bytes), oracle) << c.name << ": " << why << "\n"
                                              << c.bytes.substr (0, 400);
        EXPECT_EQ (oracle.listed, c.listed) << c.name;
        EXPECT_EQ (loads (c.bytes), c.loads) << c.name;

        PresetHeader h;
        direct += PresetHeader::readDirect (c.bytes.data(), c.bytes.size(), h) ? 1 : 0;
    }

    // A declared ISO-8859-1 is read as such, also where its bytes would pass for UTF-8.
    for (const auto& [tags, expected] : { std::pair { "K\xe4se:a", "K\xc3\xa4se:a" }, { "K\xc3\xa4se:a", "K\xc3\x83\xc2\xa4se:a" } })
        EXPECT_EQ (listing (replaced (root (" tags=\"" + std::string (tags) + "\""), "UTF-8", "ISO-8859-1")).tags, juce::String (juce::CharPointer_UTF8 (expected)));

    PresetHeader h;
    EXPECT_TRUE (PresetHeader::readDirect (plain.data(), plain.size(), h)) << "our writer's files take the direct way";
    EXPECT_EQ (h.tags, "Vintage Sampler:12 Bit|Lo-Fi;Degradation:Crunchy");
    EXPECT_GE (direct, 10);

    // Every cut and every byte of the start tag changed to one that matters to a reader.
    for (size_t length = 0; length <= plain.size(); ++length)
        EXPECT_EQ (listing (plain.substr (0, length)), fullReader (plain.substr (0, length))) << "cut at " << length;

    static constexpr char interesting[] = "\"'&<>=/ \t\n\v?!-;#x\0\x80\xc3\xff";
    const std::string bytes (interesting, sizeof (interesting) - 1);

    for (size_t at = 0; at < plain.find ('>', start) + 2; ++at)
    {
        for (const auto b : bytes)
        {
            auto changed = plain;
            changed[at] = b;
            EXPECT_EQ (listing (changed), fullReader (changed)) << "byte " << at << " set to " << (int) (unsigned char) b;
        }
    }
}

// After the root, XML allows white space, comments and processing instructions; the reader,
// the listing and a load accept or refuse a file alike, whether the root has children or not.
TEST (PresetListing, OnlyWhiteSpaceCommentsAndInstructionsMayFollowTheRoot)
{
    test::PluginFixture fixture;
    const test::TempFolder temp;
    PresetsDirectoryContent<Preset> source { fixture.plugin(), temp.get() };

    // { case, what follows the root, accepted }
    const std::vector<std::tuple<const char*, std::string, bool>> trailers {
        { "nothing", "", true },
        { "white space", "\r\n  \t", true },
        { "comment", "<!-- c -->", true },
        { "instruction", "<?pi x?>", true },
        { "a mix", "\n<!-- a --> <?pi?>\r\n<!--b-->\t<?q <x>?>\n", true },
        { "junk", "garbage", false },
        { "another element", "<Other/>", false },
        { "another preset", "<Preset name=\"b\"/>", false },
        { "another preset with a closing tag", "\n<Preset name=\"b\"></Preset>\n", false },
        { "text and a closing tag", "text</Preset>", false },
        { "CDATA", "<![CDATA[x]]>", false },
        { "document type", "<!DOCTYPE Preset>", false },
        { "comment left open", "<!-- open", false },
        { "instruction left open", "<?pi open", false },
        { "CDATA end", "]]>", false },
        { "NUL", std::string ("\0", 1), false },
        { "NUL and more", std::string ("\n\0<!-- -->", 10), false },
    };

    const auto written = writtenPreset ("A:b");
    const std::vector<std::pair<const char*, std::string>> roots {
        { "with children", written.substr (0, written.rfind ('>') + 1) },
        { "self-closing", "<?xml version=\"1.0\"?>\n<Preset application=\"Grindel 2\" tags=\"A:b\"/>" },
    };

    for (const auto& [rootName, root] : roots)
        for (size_t i = 0; i < trailers.size(); ++i)
            write (temp.get().getChildFile (juce::String (rootName) + " " + juce::String ((int) i) + Preset::fileExtension),
                   root + std::get<1> (trailers[i]));

    source.refresh();

    for (const auto& [rootName, root] : roots)
    {
        for (size_t i = 0; i < trailers.size(); ++i)
        {
            const auto& [name, trailer, accepted] = trailers[i];
            const auto bytes = root + trailer;
            const auto itemName = juce::String (rootName) + " " + juce::String ((int) i);

            for (const bool rootOnly : { false, true })
            {
                juce::String error;
                const auto parsed = BoundedXmlReader::parse (bytes.data(), bytes.size(), Preset::xmlLimits, error, rootOnly);
                EXPECT_EQ (parsed != nullptr, accepted) << rootName << ", " << name << (rootOnly ? " (root only)" : "") << ": " << error;
                EXPECT_TRUE (accepted || error.contains ("follow the root") || error.contains ("NUL")) << rootName << ", " << name << ": " << error;
            }

            EXPECT_EQ (source.findItem (itemName) != nullptr, accepted) << rootName << ", " << name << ": listed";
            EXPECT_EQ (source.loadPresetByName (itemName, 0) != nullptr, accepted) << rootName << ", " << name << ": loaded";
        }
    }
}

TEST (PresetListing, SourcesSharingAFolderFollowEveryChange)
{
    test::PluginFixture fixture;
    const test::TempFolder temp;
    const auto folder = temp.get();
    const auto save = [&] (const juce::String& name, const juce::String& tags, const juce::String& application = "Grindel 2") {
        Preset preset;
        preset.application = application;
        preset.tags = tags;
        ASSERT_TRUE (preset.saveToFile (folder.getChildFile (name + Preset::fileExtension)).wasOk());
    };

    save ("A", "C:a");
    save ("b", "C:b");
    save ("Foreign", "C:f", "Other");
    write (folder.getChildFile ("Broken.grprs2"), "<Preset tags=\"C:x\"");
    ageFiles (folder);

    juce::StringArray log1, log2;
    PresetsDirectoryContent<Preset> first (fixture.plugin(), folder);
    first.logger = [&] (const juce::String& line) { log1.add (line); };
    first.refresh();
    EXPECT_EQ (itemNames (first), "A=C:a, b=C:b");

    // A source made later takes the listing as it is, and logs what it skips as the first.
    PresetsDirectoryContent<Preset> second (fixture.plugin(), folder);
    second.logger = [&] (const juce::String& line) { log2.add (line); };
    second.refresh();
    EXPECT_EQ (itemNames (second), itemNames (first));
    EXPECT_EQ (log2, log1);
    EXPECT_EQ (log1.size(), 2) << log1.joinIntoString ("\n");

    const auto index = PresetFolderIndex::forFolder (folder, Preset::fileExtension);
    EXPECT_EQ (index->getFilesReadByLastListing(), 0) << "nothing was read again";

    // Another program saves a preset anew, removes one and adds one.
    save ("A", "C:a2");
    folder.getChildFile ("b.grprs2").deleteFile();
    save ("c", "C:c");

    for (auto* source : { &first, &second })
    {
        source->refresh();
        EXPECT_EQ (itemNames (*source), "A=C:a2, c=C:c");
    }

    // A preset rewritten in place (the folder unchanged) shows at the next refresh of each.
    ageFiles (folder);
    first.refresh();
    write (folder.getChildFile ("c.grprs2"), "<Preset tags=\"C:in place\"></Preset>");
    folder.getChildFile ("c.grprs2").setLastModificationTime (juce::Time (2021, 0, 1, 0, 0));
    folder.setLastModificationTime (juce::Time (2020, 0, 1, 0, 0));

    for (auto* source : { &second, &first })
    {
        source->refresh();
        EXPECT_EQ (itemNames (*source), "A=C:a2, c=C:in place");
    }

    EXPECT_EQ (index->getFilesReadByLastListing(), 0) << "the second refresh found the file read by the first";

    // An item listed before a change is refused by the other source until it refreshes.
    PresetsDirectoryContent<Preset> third (fixture.plugin(), folder);
    third.refresh();
    save ("A", "C:a3");
    auto* item = first.findItem ("A");
    ASSERT_NE (item, nullptr);
    EXPECT_FALSE (first.renameItem (*item, "Z"));
    EXPECT_TRUE (first.getLastError().contains ("changed on disk")) << first.getLastError();

    // Its own write is known to the source that made it.
    auto* own = third.findItem ("c");
    ASSERT_NE (own, nullptr);
    EXPECT_TRUE (third.setItemTags (*own, CategoryTagMap::fromString ("C:own")).wasOk());
    EXPECT_TRUE (third.renameItem (*own, "d")) << third.getLastError();
}

TEST (PresetListing, ListingsMadeOnSeveralThreadsAgree)
{
    const test::TempFolder temp;

    for (int i = 0; i < 50; ++i)
        write (temp.get().getChildFile ("P" + juce::String (i) + Preset::fileExtension), "<Preset tags=\"C:" + std::to_string (i % 7) + "\"></Preset>");

    std::vector<std::thread> threads;
    std::atomic<int> wrong { 0 };

    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back ([&, t] {
            for (int round = 0; round < 20; ++round)
            {
                const auto listing = PresetFolderIndex::forFolder (temp.get(), Preset::fileExtension)->list ((round + t) % 2 == 0);

                if (listing->entries.size() != 50 || listing->find ("P7") == nullptr || listing->find ("P7")->tags->toString() != "C:0"
                    || ! std::is_sorted (listing->entries.begin(), listing->entries.end(), [] (const auto& a, const auto& b) { return a->sortKey.compare (b->sortKey) < 0; }))
                    ++wrong;
            }
        });
    }

    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ (wrong.load(), 0);
}

TEST (PresetListing, ARefreshChangesOnlyTheItemsWhoseFilesChanged)
{
    test::PluginFixture fixture;
    const test::TempFolder temp;
    const auto folder = temp.get();
    savePreset (folder, "A", "C:a|x");
    savePreset (folder, "B", "C:b|x");
    savePreset (folder, "C", "D:c");
    ageFiles (folder);

    PresetsDirectoryContent<Preset> source (fixture.plugin(), folder);
    source.refresh();
    const auto index = PresetFolderIndex::forFolder (folder, Preset::fileExtension);
    EXPECT_EQ (itemNames (source), "A=C:a|x, B=C:b|x, C=D:c");
    EXPECT_EQ (source.getItemsChangedByLastRefresh(), 3);
    const auto before = itemPointers (source);

    // Nothing changed: nothing is read, every item stays as it was.
    source.refresh();
    EXPECT_EQ (index->getFilesReadByLastListing(), 0);
    EXPECT_EQ (source.getItemsChangedByLastRefresh(), 0);
    EXPECT_EQ (itemPointers (source), before);

    // Every file's stamp changed, not what the files hold: all read, no item changed.
    ageFiles (folder, juce::Time (2020, 5, 1, 0, 0));
    source.refresh();
    EXPECT_EQ (index->getFilesReadByLastListing(), 3);
    EXPECT_EQ (source.getItemsChangedByLastRefresh(), 0);
    EXPECT_EQ (itemPointers (source), before);

    // Another program saves B with other tags, deletes C and adds D: those three change.
    savePreset (folder, "B", "C:b2");
    folder.getChildFile ("C.grprs2").deleteFile();
    savePreset (folder, "D", "C:x");
    source.refresh();
    EXPECT_EQ (index->getFilesReadByLastListing(), 2);
    EXPECT_EQ (source.getItemsChangedByLastRefresh(), 3);
    EXPECT_EQ (itemNames (source), "A=C:a|x, B=C:b2, D=C:x");
    EXPECT_EQ (source.getItems()[0], before[0]);
    EXPECT_EQ (source.getItems()[1], before[1]) << "a changed item stays the same object";
    EXPECT_FALSE (source.tags.containsCategory ("D")) << "the category of the deleted item goes with it";
    EXPECT_FALSE (source.tags.contains ("C", "b"));
    expectTagsOfItems (source, "after the change");
}

TEST (PresetListing, InstancesShareTheListingAndKeepTheirOwnItemsAndChanges)
{
    test::PluginFixture fixture;
    const test::TempFolder temp;
    const auto folder = temp.get();
    savePreset (folder, "A", "C:a");
    savePreset (folder, "B", "C:b");
    ageFiles (folder);

    PresetsDirectoryContent<Preset> first (fixture.plugin(), folder), second (fixture.plugin(), folder);
    first.refresh();
    first.getItems();

    // The second instance's source takes the listing as it is; its items are made only when
    // asked for, as objects of its own.
    second.refresh();
    EXPECT_EQ (second.getItemsChangedByLastRefresh(), 0) << "no item made before anyone asks";
    EXPECT_EQ (second.getNumItems(), 2);
    EXPECT_EQ (itemNames (second), itemNames (first));
    EXPECT_EQ (second.getItemsChangedByLastRefresh(), 2);
    EXPECT_NE (second.getItems()[0], first.getItems()[0]);
    second.getItems()[0]->filteredOut = true;
    EXPECT_FALSE (first.getItems()[0]->filteredOut);

    // A change by one instance shows in the other at its next refresh.
    fixture.parameter ("Mix").setValue (30.0f, true);
    ASSERT_NE (first.addNewItem ("New", CategoryTagMap::fromString ("E:new")), nullptr);
    ASSERT_TRUE (second.deleteItem (second.findItem ("A")));
    EXPECT_EQ (itemNames (first), "A=C:a, B=C:b, New=E:new");
    EXPECT_EQ (itemNames (second), "B=C:b");
    expectTagsOfItems (first, "first, before its refresh");
    expectTagsOfItems (second, "second, before its refresh");

    const auto keptB = first.findItem ("B");

    for (auto* source : { &first, &second })
    {
        source->refresh();
        EXPECT_EQ (itemNames (*source), "B=C:b, New=E:new");
        expectTagsOfItems (*source, "after the refresh");
    }

    EXPECT_EQ (first.findItem ("B"), keptB);
    EXPECT_EQ (first.getItemsChangedByLastRefresh(), 1) << "only A went";
}

TEST (PresetListing, TagCountsFollowEveryChangeOfTwoInstances)
{
    test::PluginFixture fixture;
    const test::TempFolder temp;
    const auto folder = temp.get();
    const juce::StringArray pool { "C:a", "C:a|b", "C:b;D:x", "D:x|y", "E:z", "", "C:c;E:z|w" };
    juce::Random random (5);

    for (int i = 0; i < 6; ++i)
        savePreset (folder, "P" + juce::String (i), pool[i % pool.size()]);

    TagDictionary dictionary;
    PresetsDirectoryContent<Preset> first (fixture.plugin(), folder), second (fixture.plugin(), folder);
    second.setTagDictionary (&dictionary);

    for (auto* source : { &first, &second })
        source->refresh();

    // Each step: one instance adds, deletes, retags or refreshes, or another program saves or
    // deletes a file; both instances' tags always match their items.
    for (int step = 0; step < 120; ++step)
    {
        auto& source = random.nextBool() ? first : second;
        const auto name = "P" + juce::String (random.nextInt (9));
        const auto tags = CategoryTagMap::fromString (pool[random.nextInt (pool.size())]);
        auto* item = source.findItem (name);

        const auto op = random.nextInt (6);

        if (op == 0)
            source.addNewItem (name, tags);
        else if (op == 1 && item != nullptr)
            source.deleteItem (item);
        else if (op == 2 && item != nullptr)
            source.setItemTags (*item, tags);
        else if (op == 3)
            savePreset (folder, name, tags.toString());
        else if (op == 4)
            folder.getChildFile (name + Preset::fileExtension).deleteFile();
        else if (op == 5)
            source.refresh();

        for (auto* s : { &first, &second })
            expectTagsOfItems (*s, "step " + std::to_string (step));

        if (HasFailure())
            break;
    }

    // After a refresh each shows what a new source of the folder shows.
    PresetsDirectoryContent<Preset> fresh (fixture.plugin(), folder);
    fresh.refresh();

    for (auto* source : { &first, &second })
    {
        source->refresh();
        EXPECT_EQ (itemNames (*source), itemNames (fresh));
        EXPECT_EQ (pairsOf ({ &source->tags }), pairsOf ({ &fresh.tags }));
    }
}

TEST (PresetListing, InstancesMadeOnSeveralThreadsWhileTheFolderChanges)
{
    test::PluginFixture fixture;
    const test::TempFolder temp;
    const auto folder = temp.get();

    for (int i = 0; i < 40; ++i)
        write (folder.getChildFile ("P" + juce::String (i) + Preset::fileExtension), "<Preset tags=\"C:" + std::to_string (i % 5) + "\"></Preset>");

    std::atomic<bool> writing { true };
    std::atomic<int> wrong { 0 };

    // Another program adds and removes presets meanwhile; P0 to P39 stay.
    std::thread writer ([&] {
        for (int i = 0; writing; ++i)
        {
            const auto file = folder.getChildFile ("Q" + juce::String (i % 10) + Preset::fileExtension);

            if (file.existsAsFile())
                file.deleteFile();
            else
                write (file, "<Preset tags=\"Q:" + std::to_string (i % 3) + "\"></Preset>");
        }
    });

    std::vector<std::thread> hosts;

    for (int t = 0; t < 4; ++t)
    {
        hosts.emplace_back ([&] {
            for (int round = 0; round < 15; ++round)
            {
                PresetsDirectoryContent<Preset> source (fixture.plugin(), folder);
                source.logger = [] (const juce::String&) {};
                source.refresh();
                const auto numListed = source.getNumItems();
                const auto* p7 = source.findItem ("P7");

                if (source.getItems().size() != numListed || numListed < 40 || p7 == nullptr || p7->tags.toString() != "C:2"
                    || ! source.tags.contains ("C", "4"))
                    ++wrong;

                for (const auto* item : source.getItems())
                    if (! source.tags.contains (item->tags.getCategoryName (0), item->tags.getTagList (0)[0]))
                        ++wrong;
            }
        });
    }

    for (auto& host : hosts)
        host.join();

    writing = false;
    writer.join();
    EXPECT_EQ (wrong.load(), 0);
}
