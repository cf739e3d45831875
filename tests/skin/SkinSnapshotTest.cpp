// The product's skins as the build installs them: each builds, holds the controls the editor
// binds by name and one for every parameter of the effect, and renders to a PNG snapshot
// (written beside the test binary's build tree, for a look).

#include "support/TestPlugin.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/PackageSkin.h"
#include "skin/Panel.h"
#include "skin/widgets/GFXMultiStateButton.h"
#include "skin/widgets/ImgAnim.h"
#include "skin/widgets/PresetNameDisplay.h"
#include "skin/widgets/ImgButton.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace
{
    const juce::File installedSkins (GRINDEL_BUILT_SKINS);
    const juce::File snapshotFolder (GRINDEL_SKIN_SNAPSHOTS);

    /** Every widget in the tree bound to a parameter, by the parameter's name. */
    void collectBound (juce::Component& c, juce::StringArray& names)
    {
        if (auto* controller = dynamic_cast<GUIController*> (&c))
            if (auto* p = controller->getParameter())
                names.addIfNotAlreadyThere (p->getName());

        for (auto* child : c.getChildren())
            collectBound (*child, names);
    }
}

class ProductSkins : public ::testing::TestWithParam<int>
{};

TEST_P (ProductSkins, BuildWithEveryControlAndRender)
{
    const int width = GetParam();
    const auto file = installedSkins.getChildFile (juce::String (width) + PackageSkin::fileExtension);
    ASSERT_TRUE (file.existsAsFile()) << file.getFullPathName();

    test::TestPlugin plugin;
    std::unique_ptr<Panel> root;
    PackageSkin skin (file, &plugin);
    root.reset (dynamic_cast<Panel*> (skin.createGui ({}).release()));
    ASSERT_NE (root, nullptr) << skin.getErrorText();

    EXPECT_EQ (root->getWidth(), width);
    EXPECT_EQ (root->getHeight(), juce::roundToInt (600.0f * (float) width / 1180.0f));

    for (auto* name : { "PresetPrevious", "PresetNext", "PresetBrowse", "Options" })
        EXPECT_NE (skin.findComponent<ImgButton> (name), nullptr) << name;

    EXPECT_NE (skin.findComponent<GFXMultiStateButton> ("MidiLearnButton"), nullptr);

    for (auto* name : { "MIDIActivity", "LeftVUMeter", "RightVUMeter" })
        EXPECT_NE (skin.findComponent<ImgAnim> (name), nullptr) << name;

    EXPECT_NE (skin.findComponent<PresetNameDisplay> ("PresetName"), nullptr);

    // Every image of the skin loaded: no stand-in icons.
    std::function<void (juce::Component&)> checkImages = [&] (juce::Component& c) {
        if (auto* gfx = dynamic_cast<BaseGFXController*> (&c))
        {
            EXPECT_EQ (gfx->getIcon(), nullptr) << c.getName();
        }

        for (auto* child : c.getChildren())
            checkImages (*child);
    };
    checkImages (*root);

    juce::StringArray bound;
    collectBound (*root, bound);

    for (auto* p : plugin.getParameterManager().getParameters())
        if (p->getId() < ParameterManager::firstCommandId)
        {
            EXPECT_TRUE (bound.contains (p->getName())) << p->getName();
        }

    // Some life in the picture: values and a lit meter.
    plugin.getParameterManager().getParameterByName ("Bit Depth")->setValue (12.0f, true);
    plugin.getParameterManager().getParameterByName ("Sample Rate")->setValue (26040.0f, true);
    plugin.getParameterManager().getParameterByName ("Mix")->setValue (70.0f, true);
    plugin.getParameterManager().flushPendingUpdates();
    skin.findComponent<ImgAnim> ("LeftVUMeter")->setValue (0.8f);
    skin.findComponent<ImgAnim> ("RightVUMeter")->setValue (0.7f);
    skin.findComponent<ImgAnim> ("MIDIActivity")->setFrame (1);

    DefaultLookAndFeel lookAndFeel;
    root->setLookAndFeel (&lookAndFeel);
    const auto snapshot = root->createComponentSnapshot (root->getLocalBounds());
    root->setLookAndFeel (nullptr);
    ASSERT_TRUE (snapshot.isValid());

    snapshotFolder.createDirectory();
    const auto png = snapshotFolder.getChildFile (juce::String (width) + ".png");
    png.deleteFile();
    juce::FileOutputStream out (png);
    ASSERT_TRUE (out.openedOk());
    EXPECT_TRUE (juce::PNGImageFormat().writeImageToStream (snapshot, out));
}

INSTANTIATE_TEST_SUITE_P (Sizes, ProductSkins, ::testing::Values (1180, 885, 1475));
