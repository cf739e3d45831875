#include "EditorBrowserRig.h"
#include "editor/browser/ContentResults.h"

using namespace brtest;

namespace
{
    /** A folder of audio samples, the kind of source that accepts them (neither preset source
        does): each file is an item named after it. */
    class SampleFolder : public ContentSource
    {
    public:
        explicit SampleFolder (const juce::File& f) : ContentSource ("Samples", false), folder (f) {}

        bool canImportSamples() const override { return true; }
        juce::File getItemFile (const juce::String& itemName) const override { return folder.getChildFile (itemName + ".wav"); }

    protected:
        void scanItems (juce::Array<ItemRecord>& records) override
        {
            for (const auto& file : folder.findChildFiles (juce::File::findFiles, false, "*.wav"))
                records.add ({ file.getFileNameWithoutExtension(), {} });
        }

        bool itemDataExists (const juce::String& itemName) const override { return getItemFile (itemName).exists(); }

        bool copyItemData (const juce::File& file, const juce::String& itemName, CategoryTagMap&) override
        {
            return folder.createDirectory() && file.copyFileTo (getItemFile (itemName));
        }

    private:
        juce::File folder;
    };
}

TEST (SampleImport, ChosenFilesAreCopiedAndATakenNameAsksForAnother)
{
    SKIP_WITHOUT_DISPLAY();

    test::TempFolder temp;
    const auto chosen = temp.get().getChildFile ("Chosen");
    ASSERT_TRUE (chosen.createDirectory());
    for (auto name : { "kick.aif", "kick.wav", "snare.wav" })
        ASSERT_TRUE (chosen.getChildFile (name).replaceWithText (name));

    // The browser goes before the source it lists.
    SampleFolder samples (temp.get().getChildFile ("Samples"));
    BrowserRig b;
    auto& browser = b.getBrowser();
    browser.setCurrentSource (&samples);
    b.openOnScreen();
    b.click (browser.getEditModeButton());
    ASSERT_TRUE (browser.getImportSamplesButton().isShowing());

    const auto chooseAll = [&] {
        b.click (browser.getImportSamplesButton());
        auto* files = browser.getFileBrowser();
        ASSERT_NE (files, nullptr);
        EXPECT_EQ (browser.getTitle(), "Presets - Import Samples");
        EXPECT_FALSE (browser.getEditRow().isVisible());
        files->setRoot (chosen);
        auto* list = dynamic_cast<juce::FileListComponent*> (files->getDisplayComponent());
        ASSERT_NE (list, nullptr);
        EXPECT_EQ (list->getRowHeight(), 20);
        ASSERT_TRUE (test::pumpUntil ([list] { return list->directoryContentsList.getNumFiles() == 3 && ! list->directoryContentsList.isStillLoading(); }, 10000));
        // The list learns of the loaded files by a message of its own: it is told now.
        list->updateContent();
        list->selectRangeOfRows (0, 2);
        ASSERT_TRUE (test::pumpUntil ([files] { return files->getNumSelectedFiles() == 3; }));
        b.click (browser.getOkButton());
    };

    // The second "kick" asks for a name; the entered one is used.
    chooseAll();
    auto* rename = browser.getRenameDialog();
    ASSERT_NE (rename, nullptr);
    ASSERT_TRUE (test::pumpUntil ([rename] { return rename->getTextField().hasKeyboardFocus (false); }));
    EXPECT_EQ (rename->getText(), "kick (1)");
    rename->getTextField().selectAll();
    b.type ("kick two");
    b.key (juce::KeyPress (juce::KeyPress::returnKey));
    ASSERT_TRUE (test::pumpUntil ([&] { return browser.getFileBrowser() == nullptr; }));
    EXPECT_EQ (browser.getImportedCount(), 3);
    EXPECT_EQ (browser.getTitle(), "Presets");
    EXPECT_TRUE (samples.getItemFile ("kick two").existsAsFile());
    EXPECT_EQ (b.getSelectedNames(), juce::StringArray ({ "kick", "kick two", "snare" }));

    // Cancel in the rename dialog keeps what came before and leaves the rest.
    chooseAll();
    rename = browser.getRenameDialog();
    ASSERT_NE (rename, nullptr);
    ASSERT_TRUE (test::pumpUntil ([rename] { return rename->isShowing(); }));
    b.click (*rename->getButtonForKind (Orvik::AlertWindow::Cancel));
    EXPECT_EQ (browser.getFileBrowser(), nullptr);
    EXPECT_EQ (browser.getImportedCount(), 0);
    EXPECT_EQ (samples.getNumItems(), 3);
}

TEST (SampleImport, ProductsChooseTheFilePatternsAndHearTheFileBrowserOpenAndClose)
{
    SKIP_WITHOUT_DISPLAY();

    struct TextBrowser : ContentBrowser
    {
        using ContentBrowser::ContentBrowser;
        juce::String getSampleFilePatterns() const override { return "*.txt"; }
        void fileBrowserOpened() override { events.add ("opened"); }
        void fileBrowserClosed (bool imported) override { events.add (imported ? "closed, imported" : "closed"); }
        juce::StringArray events;
    };

    test::TempFolder temp;
    SampleFolder samples (temp.get().getChildFile ("Samples"));
    BrowserRig b;
    TextBrowser browser (b.getPlugin(), "Texts", ".grzip");
    browser.setCurrentSource (&samples);
    browser.setWindowed (false);
    b.openOnScreen();
    b.getBrowser().close (true);
    b.getEditor().addChildComponent (browser);
    browser.setBounds (b.getBrowser().getBounds());
    browser.sendLookAndFeelChange();
    browser.open (false);
    browser.toFront (false);
    test::pump (20);
    b.click (browser.getEditModeButton());
    ASSERT_TRUE (browser.isEditMode());
    ASSERT_TRUE (browser.getImportSamplesButton().isShowing());
    b.click (browser.getImportSamplesButton());

    auto* files = browser.getFileBrowser();
    ASSERT_NE (files, nullptr);
    EXPECT_EQ (browser.events, juce::StringArray ({ "opened" }));
    EXPECT_TRUE (files->isFileSuitable (temp.get().getChildFile ("notes.txt")));
    EXPECT_FALSE (files->isFileSuitable (temp.get().getChildFile ("kick.wav")));

    b.click (browser.getCancelButton());
    EXPECT_EQ (browser.getFileBrowser(), nullptr);
    EXPECT_EQ (browser.events, juce::StringArray ({ "opened", "closed" }));
    b.getEditor().removeChildComponent (&browser);
}
