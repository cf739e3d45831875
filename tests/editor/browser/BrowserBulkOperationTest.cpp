#include "EditorBrowserRig.h"
#include "core/content/ZipReader.h"
#include "editor/StatusBar.h"
#include "support/XInput.h"
#include "core/parameters/FolderLock.h"
#include <thread>

using namespace brtest;

namespace
{
    juce::String presetText (const juce::String& name, const juce::String& tags)
    {
        return "<?xml version=\"1.0\"?>\r\n<Preset name=\"" + name + "\" application=\"Grindel 2\" tags=\"" + tags
            + "\">\r\n  <Value id=\"6\" value=\"25\"/>\r\n</Preset>\r\n";
    }

    /** count presets "<prefix> n" in folder, written in an order unlike their names'. */
    juce::Array<juce::File> writePresets (const juce::File& folder, const juce::String& prefix, int count, const juce::String& tags)
    {
        folder.createDirectory();
        juce::Array<juce::File> files;

        for (int i = 0; i < count; ++i)
        {
            const auto name = prefix + " " + juce::String ((i * 7919) % count);
            const auto file = folder.getChildFile (name + Preset::fileExtension);
            EXPECT_TRUE (file.replaceWithText (presetText (name, tags)));
            files.add (file);
        }

        return files;
    }

    void answer (BrowserRig& b, Orvik::AlertWindow* alert, int kind)
    {
        ASSERT_NE (alert, nullptr);
        ASSERT_TRUE (test::pumpUntil ([alert] { return alert->isShowing(); }));
        b.click (*alert->getButtonForKind (kind));
    }

    /** Another instance holding the folder's lock (the import's writes wait for it) while it lives. */
    struct OtherInstance
    {
        explicit OtherInstance (const juce::File& folder)
            : thread ([this, folder] {
                  const FolderLock lock (folder);
                  locked = lock.isLocked();
                  held = true;

                  while (! released)
                      std::this_thread::sleep_for (std::chrono::milliseconds (1));
              })
        {
            while (! held)
                std::this_thread::yield();
        }

        ~OtherInstance()
        {
            released = true;
            thread.join();
        }

        std::atomic<bool> held { false }, locked { false }, released { false };
        std::thread thread;
    };
}

TEST (BrowserBulk, AnImportsWritesOnTheWorkerNeverReplaceWhatChangedMeanwhileAndStopAtAFullDisk)
{
    SKIP_WITHOUT_DISPLAY();

    test::TempFolder temp;
    // "Entry 0" first, "Entry 1" last (more than a few: they go to the worker).
    const auto archive = temp.get().getChildFile ("Twelve.grzip");
    ASSERT_TRUE (createZipFile (archive, writePresets (temp.get().getChildFile ("Out"), "Entry", 12, "Style:archived"), 0));

    BrowserRig b;
    auto& browser = b.getBrowser();
    auto& transfer = browser.getPackageImport();
    auto& user = b.getUser();
    b.addUserPreset ("Entry 1", "Style:listed");
    b.openOnScreen();
    b.click (browser.getEditModeButton());
    const auto taken = user.getFileForName ("Entry 0"), changed = user.getFileForName ("Entry 1");
    const auto question = [&] { return transfer.getQuestion() != nullptr && transfer.getQuestion()->isShowing(); };

    // Another instance writes "Entry 0" while the import's write of it waits: a question with
    // no Replace (it is no item of the list), never an overwrite.
    {
        OtherInstance other (user.getFolder());
        ASSERT_TRUE (other.locked);
        transfer.importFromFile (archive);
        ASSERT_TRUE (taken.replaceWithText (presetText ("Entry 0", "Style:theirs")));
    }
    ASSERT_TRUE (test::pumpUntil (question));
    EXPECT_EQ (transfer.getQuestion()->getButtonForKind (Orvik::AlertWindow::Replace), nullptr);
    answer (b, transfer.getQuestion(), Orvik::AlertWindow::Skip);
    EXPECT_TRUE (taken.loadFileAsString().contains ("Style:theirs"));

    // "Entry 1" is to be replaced, but changes elsewhere before the write: refused, kept as it
    // was changed, and listed again.
    ASSERT_TRUE (test::pumpUntil (question));
    {
        OtherInstance other (user.getFolder());
        b.click (*transfer.getQuestion()->getButtonForKind (Orvik::AlertWindow::Replace));
        ASSERT_TRUE (changed.replaceWithText (presetText ("Entry 1", "Style:changed")));
    }
    ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isImporting() && transfer.getMessage() != nullptr; }));
    EXPECT_EQ (transfer.getMessage()->getMessageLabel().getText(), "Imported 10 items.\nSkipped 1 entry.\nRefused 1 entry:\n  1: write error");
    EXPECT_TRUE (changed.loadFileAsString().contains ("Style:changed"));
    EXPECT_GE (browser.getResults().indexOf (user.findItem ("Entry 1")), 0);
    answer (b, transfer.getMessage(), Orvik::AlertWindow::OK);

    // A full disk met by the worker stops the job there; what was not tried is counted exactly.
    const auto many = temp.get().getChildFile ("Many.grzip");
    ASSERT_TRUE (createZipFile (many, writePresets (temp.get().getChildFile ("More"), "More", 300, "Style:x"), 0));
    {
        test::ScopedFullDisk full (16);
        transfer.importFromFile (many);
        ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isImporting(); }, 60000));
    }
    ASSERT_NE (transfer.getMessage(), nullptr);
    EXPECT_EQ (transfer.getMessage()->getMessageLabel().getText(),
               "Imported 0 items.\nRefused 1 entry:\n  1: the disk is full\nStopped there: 299 entries were not tried.");
    EXPECT_EQ (user.findItem ("More 0"), nullptr);
}

TEST (BrowserBulk, ATagEditAndADeleteOverManyItemsRunInSlicesShowProgressAndKeepTheirChecks)
{
    SKIP_WITHOUT_DISPLAY();

    constexpr int count = 300;
    BrowserRig b;
    auto& browser = b.getBrowser();
    auto& user = b.getUser();
    writePresets (user.getFolder(), "Item", count, "Style:x");
    user.refresh();
    user.sendChangeMessage();
    b.openOnScreen();
    b.click (browser.getEditModeButton());
    b.click (*b.getRow ("Item 0"));
    b.key (juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 'a'));
    test::pump (20);
    ASSERT_EQ (browser.getResults().getSelectedCount(), count);

    auto& bulk = browser.getBulkOperation();
    auto& status = *b.getEditor().getStatusBar();
    edtest::Mouse mouse (b.getWindow());
    bool messagesFlowed = false;
    const auto runToEnd = [&] {
        // A message posted now is handled while the operation still runs: no slice holds the
        // message thread for long.
        juce::MessageManager::callAsync ([&] { messagesFlowed = bulk.isRunning(); });
        ASSERT_TRUE (test::pumpUntil ([&] { return ! bulk.isRunning(); }, 120000));
        EXPECT_TRUE (messagesFlowed);
        EXPECT_LE (bulk.getLargestSlice(), BrowserBulkOperation::maxItemsPerSlice);
        EXPECT_GE (bulk.getSlicesRun(), count / BrowserBulkOperation::maxItemsPerSlice);
        EXPECT_FALSE (status.getText().contains (" of 300 items")) << "no progress left behind";
    };

    // A tag click: the first slice runs at once, the rest on later turns of the loop.
    mouse.click (*findTag (*findColumn (browser.getTagEditor()->getContainer(), "Style"), "x"),
                 juce::ModifierKeys::leftButtonModifier, {});
    ASSERT_TRUE (bulk.isRunning());
    EXPECT_TRUE (status.getText().startsWith ("Changing tags: ")) << status.getText();
    EXPECT_TRUE (status.getText().endsWith (" of 300 items")) << status.getText();
    runToEnd();

    for (auto* item : user.getItems())
    {
        EXPECT_TRUE (item->tags.getNumTags() == 0) << item->name;
        EXPECT_FALSE (user.getFileForName (item->name).loadFileAsString().contains ("Style:x")) << item->name;
    }

    EXPECT_EQ (user.tags.getNumTags(), 0) << "gathered at the end";

    // Another instance changes one preset: the delete refuses it and says why.
    {
        PresetsDirectoryContent<Preset> other (b.getPlugin(), user.getFolder());
        other.refresh();
        ASSERT_TRUE (other.findItem ("Item 7")->setTags (CategoryTagMap::fromString ("Era:80s")).wasOk());
    }

    b.click (browser.getDeleteButton());
    auto* question = browser.getDeleteAlert();
    ASSERT_NE (question, nullptr);
    ASSERT_TRUE (test::pumpUntil ([question] { return question->isShowing(); }));
    mouse.click (*question->getButtonForKind (Orvik::AlertWindow::Yes), juce::ModifierKeys::leftButtonModifier, {});
    ASSERT_TRUE (bulk.isRunning());
    EXPECT_TRUE (status.getText().startsWith ("Deleting: ")) << status.getText();
    runToEnd();

    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "Item 7" }));
    EXPECT_EQ (user.getFolder().findChildFiles (juce::File::findFiles, false, "*").size(), 1);
    ASSERT_NE (browser.getErrorAlert(), nullptr);
    EXPECT_TRUE (browser.getErrorAlert()->getMessageLabel().getText().startsWith (
        "1 of 300 selected items could not be deleted.\n\"Item 7\" was changed on disk"))
        << browser.getErrorAlert()->getMessageLabel().getText();
    answer (b, browser.getErrorAlert(), Orvik::AlertWindow::OK);
}

TEST (BrowserBulk, ImportAndExportOfThousandsRunInSlicesAskMidRunAndSortEachIntoPlace)
{
    SKIP_WITHOUT_DISPLAY();

    constexpr int count = 2000;
    test::TempFolder temp;
    const auto archive = temp.get().getChildFile ("Many.grzip");
    ASSERT_TRUE (createZipFile (archive, writePresets (temp.get().getChildFile ("Out"), "Entry", count, "Style:x"), 0));

    BrowserRig b;
    auto& browser = b.getBrowser();
    auto& results = browser.getResults();
    auto& transfer = browser.getPackageImport();
    transfer.setFileRequest ([&] (const juce::String&, const juce::String&, bool, std::function<void (const juce::File&)> done) {
        done (archive);
    });
    b.addUserPreset ("Entry 500 old", {});
    b.addUserPreset ("Entry 1500", {});
    b.openOnScreen();
    b.click (browser.getEditModeButton());

    const auto visitsBefore = results.getRowVisits();
    edtest::Mouse (b.getWindow()).click (browser.getImportButton(), juce::ModifierKeys::leftButtonModifier, {});
    ASSERT_TRUE (transfer.isImporting());
    auto& status = *b.getEditor().getStatusBar();
    EXPECT_TRUE (status.getText().startsWith ("Importing: ")) << status.getText();
    EXPECT_TRUE (status.getText().endsWith (" of 2,000 entries")) << status.getText();

    // A message posted now runs before the import reaches its question, which comes mid-run.
    bool messagesFlowed = false;
    juce::MessageManager::callAsync ([&] { messagesFlowed = transfer.isImporting(); });
    ASSERT_TRUE (test::pumpUntil ([&] { return transfer.getQuestion() != nullptr && transfer.getQuestion()->isShowing(); }, 120000));
    EXPECT_TRUE (messagesFlowed);
    answer (b, transfer.getQuestion(), Orvik::AlertWindow::Replace);
    ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isImporting() && transfer.getQuestion() == nullptr; }, 120000));
    const auto visits = results.getRowVisits() - visitsBefore;

    EXPECT_LE (transfer.getLargestSlice(), BrowserBulkOperation::maxItemsPerSlice);
    EXPECT_FALSE (status.getText().contains (" entries")) << "no progress left behind";
    EXPECT_TRUE (b.getUser().getFileForName ("Entry 1500").loadFileAsString().contains ("Style:x"));
    ASSERT_EQ (results.getNumResults(), count + 1);
    EXPECT_EQ (results.getSelectedCount(), count);
    auto sorted = b.getShownNames();
    std::stable_sort (sorted.begin(), sorted.end(), ContentResults::isInDisplayOrder);
    EXPECT_EQ (b.getShownNames(), sorted);
    EXPECT_EQ (b.getShownNames()[501], "Entry 500 old");

    // A binary search per entry, not a sort or a layout of every row.
    EXPECT_LT (visits, 64 * count);

    // The last one imported is current and in view.
    auto* current = results.getCurrentItem();
    ASSERT_NE (current, nullptr);
    auto* row = results.getButton (results.indexOf (current));
    ASSERT_NE (row, nullptr);
    EXPECT_TRUE (row->isShowing());

    // The imported items exported again, in slices too; the file is written at the end only,
    // and a full disk is told.
    const auto out = temp.get().getChildFile ("Back.grzip");
    {
        test::ScopedFullDisk full (64);
        ASSERT_TRUE (transfer.exportTo (out));
        ASSERT_TRUE (transfer.isExporting());
        ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isExporting(); }, 120000));
    }
    ASSERT_NE (transfer.getMessage(), nullptr);
    EXPECT_TRUE (transfer.getMessage()->getMessageLabel().getText().startsWith ("Could not write\n"));
    EXPECT_EQ (temp.get().findChildFiles (juce::File::findFiles, false, "*").size(), 1) << "no archive, no temporary";
    answer (b, transfer.getMessage(), Orvik::AlertWindow::OK);

    ASSERT_TRUE (transfer.exportTo (out));
    EXPECT_TRUE (status.getText().startsWith ("Exporting: ")) << status.getText();
    EXPECT_FALSE (out.exists());
    messagesFlowed = false;
    juce::MessageManager::callAsync ([&] { messagesFlowed = transfer.isExporting(); });
    ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isExporting(); }, 120000));
    EXPECT_TRUE (messagesFlowed);
    EXPECT_LE (transfer.getLargestSlice(), BrowserBulkOperation::maxItemsPerSlice);
    EXPECT_EQ (ZipReader (out).getNumEntries(), count);
    EXPECT_FALSE (status.getText().contains (" items")) << "no progress left behind";
}

namespace
{
    /** Notes whether a real click and a real key press reached the window while an operation
        ran, and how many of its slices had run by then. */
    struct InputProbe : juce::MouseListener, juce::KeyListener
    {
        std::function<bool()> running;
        std::function<int()> slices;
        bool clicked = false, keyed = false, clickedWhileRunning = false, keyedWhileRunning = false;
        int slicesAtSend = 0, slicesAtClick = 0, slicesAtKey = 0;
        double sentAt = 0, clickMs = 0, keyMs = 0;

        void mouseDown (const juce::MouseEvent&) override
        {
            if (sentAt == 0 || std::exchange (clicked, true))
                return;

            clickedWhileRunning = running();
            slicesAtClick = slices();
            clickMs = juce::Time::getMillisecondCounterHiRes() - sentAt;
        }

        bool keyPressed (const juce::KeyPress& key, juce::Component*) override
        {
            if (sentAt > 0 && key.getKeyCode() == juce::KeyPress::F5Key && ! std::exchange (keyed, true))
            {
                keyedWhileRunning = running();
                slicesAtKey = slices();
                keyMs = juce::Time::getMillisecondCounterHiRes() - sentAt;
            }

            return false;
        }
    };

    /** Cmd+A on the result list, given the keyboard focus by a click on its first row. */
    void selectAll (BrowserRig& b)
    {
        auto& results = b.getBrowser().getResults();
        b.click (*b.getRow (results.getItem (0)->name));
        b.key (juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 'a'));
        test::pump (20);
    }

    /** The browser on screen in Edit Mode over count user presets, all selected. */
    void showAllSelected (BrowserRig& b, int count)
    {
        auto& user = b.getUser();
        writePresets (user.getFolder(), "Item", count, "Style:x");
        user.refresh();
        user.sendChangeMessage();
        b.openOnScreen();
        b.click (b.getBrowser().getEditModeButton());
        selectAll (b);
        ASSERT_EQ (b.getBrowser().getResults().getSelectedCount(), count);
    }

    /** Starts an operation, clicks the result list's header and presses F5 through the X
        server, and runs the loop until the operation ends. */
    void runWithRealInput (BrowserRig& b, InputProbe& probe, const std::function<void()>& start)
    {
        test::XInput x;
        ASSERT_TRUE (x.isReady());
        auto& window = b.getWindow();
        window.addMouseListener (&probe, true);
        window.addKeyListener (&probe);

        start();
        ASSERT_TRUE (probe.running());
        probe.slicesAtSend = probe.slices();
        probe.sentAt = juce::Time::getMillisecondCounterHiRes();
        x.click (b.getBrowser().getResults().getHeader());
        x.pressKey (window, "F5");

        EXPECT_TRUE (test::pumpUntil ([&] { return ! probe.running(); }, 600000));
        test::pump (50);
        window.removeMouseListener (&probe);
        window.removeKeyListener (&probe);

        // The loop read the display between slices: the input came while the work went on.
        EXPECT_TRUE (probe.clicked && probe.clickedWhileRunning);
        EXPECT_TRUE (probe.keyed && probe.keyedWhileRunning);
        std::printf ("[ input ] click after %.0f ms, key after %.0f ms\n", probe.clickMs, probe.keyMs);
    }
}

TEST (BrowserBulk, RealInputIsHandledWhileTenThousandItemsAreImportedExportedTaggedAndDeleted)
{
    SKIP_WITHOUT_DISPLAY();

    // ThreadSanitizer looks for races, which a fifth of the items shows as well, in a fifth
    // of its time (about five minutes for all of them).
#if defined(__SANITIZE_THREAD__)
    constexpr int count = 2000;
#else
    constexpr int count = 10000;
#endif
    test::TempFolder temp;
    const auto archive = temp.get().getChildFile ("Many.grzip");
    ASSERT_TRUE (createZipFile (archive, writePresets (temp.get().getChildFile ("Out"), "Entry", count, "Style:y"), 0));

    BrowserRig b;
    showAllSelected (b, count);
    auto& browser = b.getBrowser();
    auto& transfer = browser.getPackageImport();
    auto& bulk = browser.getBulkOperation();
    auto& user = b.getUser();

    // The import walks in slices on the message thread: the input comes within a few of them.
    {
        InputProbe probe;
        probe.running = [&] { return transfer.isImporting(); };
        probe.slices = [&] { return transfer.getSlicesRun(); };
        runWithRealInput (b, probe, [&] { transfer.importFromFile (archive); });
        EXPECT_LE (probe.slicesAtClick - probe.slicesAtSend, 3);
        EXPECT_LE (probe.slicesAtKey - probe.slicesAtSend, 3);
        EXPECT_EQ (browser.getResults().getNumResults(), 2 * count);
        EXPECT_EQ (user.getFolder().findChildFiles (juce::File::findFiles, false, "*").size(), 2 * count);
    }

    // The export, the tag edit and the delete leave the message thread only what the model needs.
    selectAll (b);
    ASSERT_EQ (browser.getResults().getSelectedCount(), 2 * count);
    const auto out = temp.get().getChildFile ("Back.grzip");
    {
        InputProbe probe;
        probe.running = [&] { return transfer.isExporting(); };
        probe.slices = [&] { return transfer.getSlicesRun(); };
        runWithRealInput (b, probe, [&] {
            transfer.exportTo (out);

            // One export at a time: the button waits, and a second one is refused, not swapped in.
            EXPECT_FALSE (browser.getExportButton().isEnabled());
            EXPECT_FALSE (transfer.exportTo (temp.get().getChildFile ("Second.grzip")));
        });
        EXPECT_EQ (ZipReader (out).getNumEntries(), 2 * count);
        EXPECT_TRUE (browser.getExportButton().isEnabled());
        EXPECT_FALSE (temp.get().getChildFile ("Second.grzip").exists());
    }

    {
        InputProbe probe;
        probe.running = [&] { return ! bulk.isIdle(); };
        probe.slices = [&] { return bulk.getSlicesRun(); };
        runWithRealInput (b, probe, [&] {
            b.clickTag (browser.getTagEditor()->getContainer(), "Style", "x");
        });
        PresetsDirectoryContent<Preset> onDisk (b.getPlugin(), user.getFolder());
        onDisk.refresh();
        int withX = 0;

        for (auto* item : onDisk.getItems())
            withX += item->tags.contains ("Style", "x") ? 1 : 0;

        EXPECT_EQ (withX, 2 * count) << "every preset has the tag now, on disk";
        EXPECT_TRUE (user.findItem ("Entry 7")->tags.contains ("Style", "x") && user.findItem ("Entry 7")->tags.contains ("Style", "y"));
    }

    {
        InputProbe probe;
        probe.running = [&] { return ! bulk.isIdle(); };
        probe.slices = [&] { return bulk.getSlicesRun(); };
        runWithRealInput (b, probe, [&] { browser.deleteSelectedConfirmed(); });
        EXPECT_EQ (browser.getResults().getNumResults(), 0);
        EXPECT_EQ (user.getFolder().findChildFiles (juce::File::findFiles, false, "*").size(), 0);
        EXPECT_EQ (browser.getErrorAlert(), nullptr);
    }
}

TEST (BrowserBulk, ClosingTheWindowMidRunStopsTheOperationAndKeepsWhatItDid)
{
    SKIP_WITHOUT_DISPLAY();

    constexpr int count = 3000;
    test::TempFolder temp;
    const auto archive = temp.get().getChildFile ("Many.grzip");
    ASSERT_TRUE (createZipFile (archive, writePresets (temp.get().getChildFile ("Out"), "Entry", count, "Style:y"), 0));

    // A tag edit: the changes written are in the model; the rest never reach the disk.
    {
        BrowserRig b;
        showAllSelected (b, count);
        auto& browser = b.getBrowser();
        auto& bulk = browser.getBulkOperation();
        auto& user = b.getUser();
        b.clickTag (browser.getTagEditor()->getContainer(), "Style", "x");
        ASSERT_TRUE (test::pumpUntil ([&] { return bulk.getLargestSlice() > 0 || ! bulk.isRunning(); }, 60000));
        b.rig.closeHostWindow();
        EXPECT_FALSE (bulk.isRunning());
        ASSERT_TRUE (test::pumpUntil ([&] { return bulk.isIdle(); }, 60000));

        PresetsDirectoryContent<Preset> onDisk (b.getPlugin(), user.getFolder());
        onDisk.refresh();
        int changed = 0;

        for (auto* item : user.getItems())
        {
            const auto* written = onDisk.findItem (item->name);
            ASSERT_NE (written, nullptr) << item->name;
            EXPECT_EQ (item->tags.toString(), written->tags.toString()) << item->name;
            changed += item->tags.getNumTags() == 0 ? 1 : 0;
        }

        EXPECT_GT (changed, 0);
        EXPECT_LT (changed, count) << "stopped part-way";
    }

    // An import: every file it wrote is a whole preset the source lists; the rest stays out.
    {
        BrowserRig b;
        b.openOnScreen();
        auto& browser = b.getBrowser();
        b.click (browser.getEditModeButton());
        auto& transfer = browser.getPackageImport();
        transfer.importFromFile (archive);
        ASSERT_TRUE (test::pumpUntil ([&] { return transfer.getJob().getPosition() > BrowserBulkOperation::maxItemsPerSlice; }, 60000));
        b.rig.closeHostWindow();
        EXPECT_FALSE (transfer.isImporting());
        test::pump (20);

        auto& user = b.getUser();
        const auto files = user.getFolder().findChildFiles (juce::File::findFiles, false, "*");
        EXPECT_GT (files.size(), BrowserBulkOperation::maxItemsPerSlice);
        EXPECT_LT (files.size(), count);
        EXPECT_EQ (user.getNumItems(), files.size());
        PresetsDirectoryContent<Preset> onDisk (b.getPlugin(), user.getFolder());
        onDisk.refresh();
        EXPECT_EQ (onDisk.getNumItems(), files.size()) << "no file half written";
    }
}

TEST (BrowserBulk, AnImportStopsWhenTheBrowserLeavesItsSourceAndSaysSo)
{
    SKIP_WITHOUT_DISPLAY();

    constexpr int count = 3000;
    test::TempFolder temp;
    const auto archive = temp.get().getChildFile ("Many.grzip");
    ASSERT_TRUE (createZipFile (archive, writePresets (temp.get().getChildFile ("Out"), "Entry", count, "Style:y"), 0));

    BrowserRig b;
    b.openOnScreen();
    auto& browser = b.getBrowser();
    b.click (browser.getEditModeButton());
    auto& transfer = browser.getPackageImport();
    transfer.importFromFile (archive);
    ASSERT_TRUE (test::pumpUntil ([&] { return transfer.getJob().getPosition() > BrowserBulkOperation::maxItemsPerSlice; }, 60000));

    // Leaving Edit Mode (the way to another source): nothing more goes into this one.
    b.click (browser.getEditModeButton());
    ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isImporting(); }, 60000));
    const auto files = b.getUser().getFolder().findChildFiles (juce::File::findFiles, false, "*").size();
    EXPECT_LT (files, count);
    EXPECT_EQ (transfer.getJob().getCounts().imported, files);
    ASSERT_NE (transfer.getMessage(), nullptr);
    EXPECT_TRUE (transfer.getMessage()->getMessageLabel().getText().startsWith ("The import stopped after "))
        << transfer.getMessage()->getMessageLabel().getText();
}

TEST (BrowserBulk, ALargeArchiveIsReadOffTheMessageThreadAndItsItemsDeletedAgain)
{
    SKIP_WITHOUT_DISPLAY();

    constexpr int count = 5000;
    test::TempFolder temp;
    const auto archive = temp.get().getChildFile ("Many.grzip");
    ASSERT_TRUE (createZipFile (archive, writePresets (temp.get().getChildFile ("Out"), "Entry", count, "Style:y"), 0));
    ASSERT_GT (archive.getSize(), PackageImportExport::maxArchiveReadAtOnce);

    BrowserRig b;
    b.openOnScreen();
    auto& browser = b.getBrowser();
    b.click (browser.getEditModeButton());
    auto& transfer = browser.getPackageImport();

    // The click's turn does not read the archive's directory: the worker does.
    transfer.importFromFile (archive);
    EXPECT_TRUE (transfer.isImporting());
    EXPECT_EQ (transfer.getJob().getNumEntries(), 0);
    ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isImporting(); }, 120000));
    EXPECT_EQ (transfer.getJob().getCounts().imported, count);

    // Deleting them all: each row is looked at a bounded number of times, however many there are.
    auto& results = browser.getResults();
    ASSERT_EQ (results.getSelectedCount(), count);
    const auto visitsBefore = results.getRowVisits();
    browser.deleteSelectedConfirmed();
    ASSERT_TRUE (test::pumpUntil ([&] { return browser.getBulkOperation().isIdle(); }, 120000));
    EXPECT_EQ (results.getNumResults(), 0);
    EXPECT_LT (results.getRowVisits() - visitsBefore, 64 * count);
}

TEST (BrowserBulk, ASlowDiskHoldsTheWorkerNeverTheMessageThread)
{
    SKIP_WITHOUT_DISPLAY();

    constexpr int count = 100;
    BrowserRig b;
    showAllSelected (b, count);
    auto& browser = b.getBrowser();
    auto& bulk = browser.getBulkOperation();
    const auto folder = b.getUser().getFolder();

    // Another instance holds the folder's lock (as a slow disk would hold a write) until the
    // message loop has turned, or two seconds at most.
    std::atomic<bool> locked { false }, turned { false }, released { false };
    std::thread other ([&] {
        const FolderLock lock (folder);
        locked = true;

        for (int i = 0; i < 200 && ! turned; ++i)
            std::this_thread::sleep_for (std::chrono::milliseconds (10));

        released = true;
    });

    while (! locked)
        std::this_thread::yield();

    b.clickTag (browser.getTagEditor()->getContainer(), "Style", "x");
    bool turnedWhileHeld = false;
    juce::MessageManager::callAsync ([&] {
        turnedWhileHeld = ! released;
        turned = true;
    });
    EXPECT_TRUE (test::pumpUntil ([&] { return turned.load(); }, 10000));
    other.join();
    EXPECT_TRUE (turnedWhileHeld);

    // The tag edit then goes on to its end, every item written.
    ASSERT_TRUE (test::pumpUntil ([&] { return bulk.isIdle(); }, 60000));
    EXPECT_EQ (browser.getErrorAlert(), nullptr);

    for (auto* item : b.getUser().getItems())
        EXPECT_EQ (item->tags.getNumTags(), 0) << item->name;
}
