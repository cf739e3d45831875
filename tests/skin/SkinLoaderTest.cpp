// The skin engine from package to widget tree: the version gate, packages good and hostile,
// the widget factory, named lookup and the life of widgets after their package is gone.

#include "SkinTestPackage.h"
#include "support/TestPlugin.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/CheckBox.h"
#include "skin/ColourEditor.h"
#include "skin/ImageStrippable.h"
#include "skin/PackageSkin.h"
#include "skin/SharedSkinImages.h"
#include "skin/WidgetIcon.h"
#include "skin/Panel.h"
#include "skin/widgets/EnumDisplay.h"
#include "skin/widgets/GFXMultiStateButton.h"
#include "skin/widgets/ImgAnim.h"
#include "skin/widgets/ImgButton.h"
#include "skin/widgets/ImgKnob.h"
#include "skin/widgets/ImgPictureDisplay.h"
#include "skin/widgets/ImgSlider.h"
#include "skin/widgets/ImgSwitch.h"
#include "skin/widgets/NumericDisplay.h"
#include "skin/widgets/PresetNameDisplay.h"
#include "skin/widgets/TextDisplay.h"
#include <typeinfo>
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace
{
    struct SkinLoader : public ::testing::Test
    {
        test::TestPlugin plugin;
        test::TempFolder folder;
        test::SkinTestPackage package;

        juce::File write (const juce::String& name = "1180.orvikskin")
        {
            auto file = folder.get().getChildFile (name);
            EXPECT_TRUE (package.write (file));
            return file;
        }

        std::unique_ptr<Panel> build (Skin& skin)
        {
            auto gui = skin.createGui ({});
            auto* panel = dynamic_cast<Panel*> (gui.get());

            if (panel == nullptr)
                return nullptr;

            gui.release();
            return std::unique_ptr<Panel> (panel);
        }

        juce::String errorOf (const juce::String& descriptionText)
        {
            package.add ("PluginEditor.orvikgui", descriptionText);
            test::MemorySkin skin (package, &plugin);
            EXPECT_EQ (skin.createGui ({}), nullptr);
            return skin.getErrorText();
        }
    };

    // A tree of every kind of image-strip widget, with a container and an unknown element.
    const char* allWidgets = R"(
        <ImgKnob name="Cutoff" param="Filter Cutoff" x="10" y="20" w="48" h="48" gfx="Knob_64.png"/>
        <Mystery name="Unknown" x="1" y="1" w="5" h="5"/>
        <ImgSwitch name="Quality" param="Processing Quality" x="70" y="20" gfx="Switch_3.png"/>
        <ImgButton name="Options" x="120" y="20" gfx="Button_2.png"/>
        <ImgButton name="MidiLearnButton" states="3" x="160" y="20" gfx="Learn_3.png"/>
        <ImgAnim name="LeftVUMeter" x="200" y="20" gfx="Meter_41.png">
            <Container type="Frame"/>
        </ImgAnim>
        <TextDisplay name="MixValue" param="Mix" x="10" y="100" w="100" h="20"/>
        <Panel name="Inner" x="200" y="150" w="100" h="50">
            <controls>
                <ImgSlider name="Mix" param="Mix" x="5" y="5" w="80" h="16" gfx="Fader_11.png"/>
            </controls>
        </Panel>)";
}

//==============================================================================
TEST_F (SkinLoader, VersionGateAcceptsOnlyTheCodesVersion)
{
    // clang-format off
    const struct { const char* guiVersion; const char* expected; } cases[] = {
        { "01.00.21",   "" },
        { "0x010021",   "" },
        { "1.0.0.2.1",  "" },
        { "1.0.33",     "Skin is not compatible. Skin is older than current code." },
        { "",           "Skin is not compatible. Skin is older than current code." },
        { "none",       "Skin is not compatible. Skin is older than current code." },
        { "01.00.22",   "Skin is not compatible. Current code is older than skin." },
        { "2.0.0",      "Skin is not compatible. Skin is older than current code." },
        { "FFFFFFFFFFFFFFFFFFFF", "Skin is not compatible. Current code is older than skin." },
    };
    // clang-format on

    for (const auto& c : cases)
    {
        package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ({}, "w=\"10\" h=\"10\"", c.guiVersion));
        test::MemorySkin skin (package, &plugin);
        const auto gui = skin.createGui ({});

        EXPECT_EQ (skin.getErrorText(), juce::String (c.expected)) << c.guiVersion;
        EXPECT_EQ (gui != nullptr, juce::String (c.expected).isEmpty()) << c.guiVersion;
        EXPECT_EQ (skin.loadGuiDescription ({}).isValid(), juce::String (c.expected).isEmpty()) << c.guiVersion;
    }
}

TEST_F (SkinLoader, BrokenDescriptionsReportWhy)
{
    EXPECT_TRUE (errorOf ("<GuiDescription gui_ver=\"01.00.21\"><Panel>").startsWith ("Skin description \"PluginEditor.orvikgui\" cannot be read: "));
    EXPECT_TRUE (errorOf ("").startsWith ("Skin description \"PluginEditor.orvikgui\" cannot be read: "));
    EXPECT_EQ (errorOf ("<Panel gui_ver=\"01.00.21\"/>"),
               "Skin description \"PluginEditor.orvikgui\" is not a \"GuiDescription\".");
    EXPECT_EQ (errorOf ("<GuiDescription gui_ver=\"01.00.21\"><Label/></GuiDescription>"),
               "Skin description \"PluginEditor.orvikgui\" has no \"Panel\".");

    package.files.clear();
    package.add ("Other.orvikgui", test::SkinTestPackage::description ({}));
    test::MemorySkin skin (package, &plugin);
    EXPECT_EQ (skin.createGui ({}), nullptr);
    EXPECT_EQ (skin.getErrorText(), "Skin description \"PluginEditor.orvikgui\" not found.");
    EXPECT_NE (skin.createGui ("Other"), nullptr);
    EXPECT_TRUE (skin.getErrorText().isEmpty());

    // One past the limit is there but refused for its size, and says so.
    package.add ("PluginEditor.orvikgui", juce::MemoryBlock (4 * 1024 * 1024 + 1, true));
    test::MemorySkin large (package, &plugin);
    EXPECT_EQ (large.createGui ({}), nullptr);
    EXPECT_EQ (large.getErrorText(), "Skin description \"PluginEditor.orvikgui\" is too large.");
}

TEST_F (SkinLoader, PackagesThatAreNotSkinsFailWithTheirReason)
{
    {
        PackageSkin skin (folder.get().getChildFile ("missing.orvikskin"), &plugin);
        EXPECT_EQ (skin.createGui ({}), nullptr);
        EXPECT_EQ (skin.getErrorText(), "Skin file not found.");
    }

    for (const auto& content : { juce::String ("not a zip at all"), juce::String() })
    {
        const auto file = folder.get().getChildFile ("broken.orvikskin");
        file.replaceWithText (content);
        PackageSkin skin (file, &plugin);
        EXPECT_EQ (skin.createGui ({}), nullptr);
        EXPECT_EQ (skin.getErrorText(), "Skin file is not a skin package.");
        EXPECT_FALSE (skin.loadImage ("Knob_64.png").isValid());
    }

    // A truncated package: the directory at its end is gone.
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ({}));
    const auto file = write();
    juce::MemoryBlock data;
    file.loadFileAsData (data);
    file.replaceWithData (data.getData(), data.getSize() / 2);
    PackageSkin skin (file, &plugin);
    EXPECT_EQ (skin.createGui ({}), nullptr);
    EXPECT_FALSE (skin.getErrorText().isEmpty());
}

TEST_F (SkinLoader, PackageIsOpenedOnlyWhenAFileIsRead)
{
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ({}));
    const auto file = write();
    PackageSkin skin (file, &plugin);

    // Replaced after the skin was made but before it read anything: the new content counts.
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ({}, "w=\"123\" h=\"45\""));
    write();

    const auto gui = skin.createGui ({});
    ASSERT_NE (gui, nullptr);
    EXPECT_EQ (gui->getWidth(), 123);
}

//==============================================================================
TEST_F (SkinLoader, GeneratedPackageBuildsTheWholeTree)
{
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description (allWidgets, "background=\"Back.png\""));
    package.add ("Back.png", test::SkinTestPackage::png (320, 240));
    package.add ("Knob_64.png", test::SkinTestPackage::png (40, 40, 64));
    package.add ("Switch_3.png", test::SkinTestPackage::png (30, 20, 3));
    package.add ("Button_2.png", test::SkinTestPackage::png (24, 24, 2));
    package.add ("Learn_3.png", test::SkinTestPackage::png (50, 20, 3));
    package.add ("Meter_41.png", test::SkinTestPackage::png (10, 100, 41));
    package.add ("Fader_11.png", test::SkinTestPackage::png (80, 16, 11));

    PackageSkin skin (write(), &plugin);
    const auto root = build (skin);
    ASSERT_NE (root, nullptr) << skin.getErrorText();

    // The background sets the root's size; every known element is built, the unknown one not.
    EXPECT_EQ (root->getBounds(), juce::Rectangle<int> (0, 0, 320, 240));
    EXPECT_EQ (root->getControls().size(), 7);
    EXPECT_EQ (skin.getComponent ("Unknown"), nullptr);

    // Sizes: given ones win, missing ones take the frame size.
    auto* knob = skin.findComponent<ImgKnob> ("Cutoff");
    ASSERT_NE (knob, nullptr);
    EXPECT_EQ (knob->getBounds(), juce::Rectangle<int> (10, 20, 48, 48));
    EXPECT_EQ (knob->getImageStrip().getFrameCount(), 64);
    EXPECT_EQ (knob->getParameter(), plugin.getParameterManager().getParameterByName ("Filter Cutoff"));

    auto* quality = skin.findComponent<ImgSwitch> ("Quality");
    ASSERT_NE (quality, nullptr);
    EXPECT_EQ (quality->getBounds(), juce::Rectangle<int> (70, 20, 30, 20));
    EXPECT_EQ (quality->getNumPositions(), 3);

    // Lookup by name and type, as the editor binds its named controls.
    EXPECT_NE (skin.findComponent<ImgButton> ("Options"), nullptr);
    EXPECT_EQ (skin.findComponent<GFXMultiStateButton> ("Options"), nullptr);
    EXPECT_EQ (skin.findComponent<ImgButton> ("Cutoff"), nullptr);
    ASSERT_NE (skin.findComponent<GFXMultiStateButton> ("MidiLearnButton"), nullptr);
    EXPECT_EQ (skin.findComponent<GFXMultiStateButton> ("MidiLearnButton")->getNumStates(), 3);
    EXPECT_NE (skin.findComponent<ImgAnim> ("LeftVUMeter"), nullptr);
    EXPECT_NE (skin.findComponent<TextDisplay> ("MixValue"), nullptr);
    EXPECT_NE (skin.findComponent<Panel> ("Inner"), nullptr);
    EXPECT_NE (skin.findComponent<ImgKnob> ("Mix"), nullptr);   // the slider, in the nested panel

    // The contained meter lands where the description puts it, inside its frame.
    auto* meter = skin.findComponent<ImgAnim> ("LeftVUMeter");
    ASSERT_NE (meter->getContainer(), nullptr);
    test::pumpUntil ([&] { return meter->getContainer()->getParentComponent() == root.get(); });
    test::pump (20);
    EXPECT_EQ (root->getLocalPoint (meter, juce::Point<int>()), juce::Point<int> (200, 20));
}

TEST_F (SkinLoader, EachElementTypeBuildsItsOwnWidget)
{
    test::MemorySkin skin (package, &plugin);
    const auto create = [&skin] (const char* xml) { return skin.createComponent (juce::ValueTree::fromXml (xml)); };

    const std::pair<const char*, const std::type_info*> table[] = {
        { "<Panel/>", &typeid (Panel) },
        { "<ImgAnim/>", &typeid (ImgAnim) },
        { "<ImgButton/>", &typeid (ImgButton) },
        { "<ImgButton states=\"3\"/>", &typeid (GFXMultiStateButton) },
        { "<ImgKnob/>", &typeid (ImgKnob) },
        { "<ImgSlider/>", &typeid (ImgSlider) },
        { "<ImgSwitch/>", &typeid (ImgSwitch) },
        { "<ImgPictureDisplay/>", &typeid (ImgPictureDisplay) },
        { "<TextDisplay/>", &typeid (TextDisplay) },
        { "<NumericDisplay/>", &typeid (NumericDisplay) },
        { "<EnumDisplay/>", &typeid (EnumDisplay) },
        { "<PresetNameDisplay/>", &typeid (PresetNameDisplay) },
        { "<CheckBox/>", &typeid (CheckBox) },
        { "<ColourEditor/>", &typeid (ColourEditor) },
        { "<ComboBox/>", &typeid (juce::ComboBox) },
        { "<Label/>", &typeid (juce::Label) },
        { "<ListBox/>", &typeid (juce::ListBox) },
        { "<Table/>", &typeid (juce::TableListBox) },
        { "<TextButton/>", &typeid (juce::TextButton) },
        { "<TextEditor/>", &typeid (juce::TextEditor) },
        { "<TreeView/>", &typeid (juce::TreeView) },
    };

    for (const auto& [xml, type] : table)
    {
        const auto c = create (xml);
        ASSERT_NE (c, nullptr) << xml;
        const auto& widget = *c;
        EXPECT_TRUE (typeid (widget) == *type) << xml;
    }

    // Unknown types and a broken element build nothing.
    for (const auto* xml : { "<Mystery/>", "<panel/>" })
        EXPECT_EQ (create (xml), nullptr) << xml;

    EXPECT_EQ (skin.createComponent ({}), nullptr);
}

TEST_F (SkinLoader, WidgetsOutliveTheirPackage)
{
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description (allWidgets));
    package.add ("Knob_64.png", test::SkinTestPackage::png (40, 40, 64));
    package.add ("Meter_41.png", test::SkinTestPackage::png (10, 100, 41));
    const auto file = write();

    std::unique_ptr<Panel> root;
    {
        PackageSkin skin (file, &plugin);
        root = build (skin);
        ASSERT_NE (root, nullptr);
    }

    ASSERT_TRUE (file.deleteFile());

    // Painting draws the images the widgets copied; values still reach them.
    DefaultLookAndFeel lookAndFeel;
    root->setLookAndFeel (&lookAndFeel);
    const auto snapshot = root->createComponentSnapshot (root->getLocalBounds());
    EXPECT_TRUE (snapshot.isValid());

    auto* knob = dynamic_cast<ImgKnob*> (root->getControls()[0]);
    ASSERT_NE (knob, nullptr);
    knob->getParameter()->setNormalisedValue (1.0f, true);
    EXPECT_TRUE (test::pumpUntil ([&] { return knob->getFrame() == 63; }));
    root->setLookAndFeel (nullptr);
}

TEST_F (SkinLoader, AnImageNamedTwiceIsDecodedOnceAndShared)
{
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description (R"(
        <ImgKnob name="A" param="Filter Cutoff" x="0" y="0" gfx="Knob_64.png"/>
        <ImgKnob name="B" param="Mix" x="50" y="0" gfx="Knob_64.png"/>
        <ImgKnob name="C" param="Mix" x="99" y="0" gfx="Missing_64.png"/>)"));
    package.add ("Knob_64.png", test::SkinTestPackage::png (40, 40, 64));
    test::MemorySkin skin (package, &plugin);
    const auto root = build (skin);
    ASSERT_NE (root, nullptr) << skin.getErrorText();

    auto* a = skin.findComponent<ImgKnob> ("A");
    auto* b = skin.findComponent<ImgKnob> ("B");
    ASSERT_TRUE (a != nullptr && b != nullptr);
    EXPECT_TRUE (a->getImageStrip().getImage().isValid());
    EXPECT_EQ (a->getImageStrip().getImage(), b->getImageStrip().getImage());
    EXPECT_FALSE (skin.loadImage ("Missing_64.png").isValid());
}

TEST_F (SkinLoader, SkinsOfOnePackageVersionShareImagesWhileAnyHoldsThem)
{
    package.add ("Knob_64.png", test::SkinTestPackage::png (40, 40, 64));
    package.add ("Back.png", test::SkinTestPackage::png (30, 20));
    const auto file = write();
    const auto before = SharedSkinImages::getNumImages();
    {
        auto first = std::make_unique<PackageSkin> (file, &plugin);
        auto second = std::make_unique<PackageSkin> (file, &plugin);
        auto* pixels = first->loadImage ("Knob_64.png").getPixelData();
        ASSERT_NE (pixels, nullptr);
        EXPECT_EQ (second->loadImage ("Knob_64.png").getPixelData(), pixels);
        EXPECT_NE (second->loadImage ("Back.png").getPixelData(), pixels);

        // The first skin gone (its editor closed), the second's images stay and are shared on.
        first.reset();
        PackageSkin third (file, &plugin);
        EXPECT_EQ (third.loadImage ("Knob_64.png").getPixelData(), pixels);
        EXPECT_EQ (second->loadImage ("Knob_64.png").getHeight(), 40 * 64);

        // Pixels drawn into are not handed out again.
        auto drawn = third.loadImage ("Back.png");
        juce::Graphics (drawn).fillAll (juce::Colours::red);
        EXPECT_NE (PackageSkin (file, &plugin).loadImage ("Back.png").getPixelData(), drawn.getPixelData());

        // A package saved anew has images of its own.
        package.add ("Knob_64.png", test::SkinTestPackage::png (40, 40, 32));
        ASSERT_TRUE (file.deleteFile());
        write();
        PackageSkin renewed (file, &plugin);
        EXPECT_EQ (renewed.loadImage ("Knob_64.png").getHeight(), 40 * 32);
        EXPECT_EQ (second->loadImage ("Knob_64.png").getHeight(), 40 * 64);
    }

    // Nothing holds them any more: none is kept.
    EXPECT_EQ (SharedSkinImages::getNumImages(), before);
}

TEST_F (SkinLoader, NamesPointOnlyAtLivingWidgets)
{
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ("<ImgAnim name=\"Twice\" x=\"1\" gfx=\"A.png\"/><ImgAnim name=\"Twice\" x=\"2\" gfx=\"A.png\"/>"));
    test::MemorySkin skin (package, &plugin);
    auto root = build (skin);
    ASSERT_NE (root, nullptr);

    ASSERT_NE (skin.getComponent ("Twice"), nullptr);
    EXPECT_EQ (skin.getComponent ("Twice")->getX(), 1);

    root.reset();
    EXPECT_EQ (skin.getComponent ("Twice"), nullptr);
}

TEST_F (SkinLoader, IncludeBuildsAnotherDescriptionAndStopsLoops)
{
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ("<Include file=\"Header\" x=\"5\" y=\"6\"/>"
                                                                              "<Include file=\"PluginEditor\"/>"
                                                                              "<Include file=\"../../outside\"/>"
                                                                              "<Include/>"
                                                                              "<ImgAnim name=\"After\" gfx=\"A.png\"/>"));
    package.add ("Header.orvikgui", test::SkinTestPackage::description ("<ImgAnim name=\"InHeader\" gfx=\"A.png\"/><Include file=\"Header.orvikgui\"/>", "w=\"50\" h=\"20\""));
    package.add ("Loop.orvikgui", test::SkinTestPackage::description ("<Include file=\"Loop\"/>"));

    test::MemorySkin skin (package, &plugin);
    const auto root = build (skin);
    ASSERT_NE (root, nullptr);

    // The header's panel, placed by the include; the self-includes and the bad ones show the
    // broken-include icon in their place (a stand-in, not the description built again).
    const auto& controls = root->getControls();
    ASSERT_EQ (controls.size(), 5);
    ASSERT_NE (skin.getComponent ("InHeader"), nullptr);
    EXPECT_EQ (skin.getComponent ("InHeader")->getParentComponent()->getBounds(), juce::Rectangle<int> (5, 6, 50, 20));
    EXPECT_NE (skin.getComponent ("After"), nullptr);
    EXPECT_TRUE (skin.getErrorText().isEmpty());

    for (int i = 1; i <= 3; ++i)
    {
        auto* icon = dynamic_cast<WidgetIcon*> (controls[i]);
        ASSERT_NE (icon, nullptr) << i;
        ASSERT_NE (icon->getIcon(), nullptr) << i;
        EXPECT_EQ (controls[i]->getBounds(), juce::Rectangle<int> (0, 0, 32, 32)) << i;
    }

    EXPECT_EQ (skin.getComponent ("InHeader")->getParentComponent()->getNumChildComponents(), 2);

    EXPECT_NE (skin.createGui ("Loop"), nullptr);
}

//==============================================================================
TEST_F (SkinLoader, MissingAndHostileImagesFallBackToIcons)
{
    juce::MemoryBlock corrupt = test::SkinTestPackage::png (20, 20);
    static_cast<char*> (corrupt.getData())[30] ^= 0x55;
    corrupt.setSize (corrupt.getSize() - 10);

    // A PNG header announcing a huge image with nothing behind it.
    juce::MemoryBlock huge = test::SkinTestPackage::png (20, 20);
    auto* bytes = static_cast<juce::uint8*> (huge.getData());
    bytes[16] = 0x7F;
    bytes[20] = 0x7F;

    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ("<ImgKnob name=\"Missing\" gfx=\"Nothing_64.png\"/>"
                                                                              "<ImgKnob name=\"Corrupt\" gfx=\"Corrupt_64.png\" w=\"30\" h=\"30\"/>"
                                                                              "<ImgKnob name=\"Huge\" gfx=\"Huge.png\"/>"
                                                                              "<ImgKnob name=\"Climb\" gfx=\"../Knob_64.png\"/>"
                                                                              "<ImgKnob name=\"NoGfx\"/>"
                                                                              "<ImgKnob name=\"Zero\" gfx=\"_0\"/>"
                                                                              "<ImgKnob name=\"ZeroFrames\" gfx=\"Knob_0.png\"/>",
                                                                              "background=\"Absent.png\""));
    package.add ("Corrupt_64.png", corrupt);
    package.add ("Huge.png", huge);
    package.add ("Knob_0.png", test::SkinTestPackage::png (16, 16));
    package.add ("_0", test::SkinTestPackage::png (16, 16));

    test::MemorySkin skin (package, &plugin);
    const auto root = build (skin);
    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getBounds(), juce::Rectangle<int> (0, 0, Panel::defaultSize, Panel::defaultSize));

    for (auto* name : { "Missing", "Corrupt", "Huge", "Climb", "NoGfx" })
    {
        auto* knob = skin.findComponent<ImgKnob> (name);
        ASSERT_NE (knob, nullptr) << name;
        EXPECT_NE (knob->getIcon(), nullptr) << name;
        EXPECT_FALSE (knob->getImageStrip().isValid()) << name;
        EXPECT_GE (knob->getWidth(), 1) << name;
        knob->setValue (0.7f);
        EXPECT_EQ (knob->getFrame(), 0) << name;
    }

    // An image named "_0" and one announcing zero frames are single pictures.
    for (auto* name : { "Zero", "ZeroFrames" })
    {
        auto* knob = skin.findComponent<ImgKnob> (name);
        ASSERT_NE (knob, nullptr);
        EXPECT_EQ (knob->getImageStrip().getFrameCount(), 1) << name;
        EXPECT_EQ (knob->getBounds().getWidth(), 16) << name;
        knob->setValue (1.0f);
        EXPECT_EQ (knob->getFrame(), 0);
    }

    EXPECT_TRUE (root->createComponentSnapshot (root->getLocalBounds()).isValid());
}

TEST_F (SkinLoader, AMissingStripReachesTheWidgetAsAnEmptyOne)
{
    struct Strips : public ImageStrippable
    {
        juce::Array<ImageStrip> loaded;
        void imageStripLoaded (const juce::Identifier&, const ImageStrip& strip) override { loaded.add (strip); }
    } strips;

    package.add ("Strip_4.png", test::SkinTestPackage::png (8, 8, 4));
    test::MemorySkin skin (package, &plugin);
    const juce::Identifier gfx ("gfx");

    EXPECT_TRUE (strips.loadImageStrip (skin, juce::ValueTree ("X").setProperty (gfx, "Strip_4.png", nullptr), gfx));
    EXPECT_FALSE (strips.loadImageStrip (skin, juce::ValueTree ("X").setProperty (gfx, "Missing_4.png", nullptr), gfx));
    EXPECT_FALSE (strips.loadImageStrip (skin, juce::ValueTree ("X"), gfx));   // no attribute: not told

    ASSERT_EQ (strips.loaded.size(), 2);
    EXPECT_EQ (strips.loaded[0].getFrameCount(), 4);
    EXPECT_FALSE (strips.loaded[1].isValid());
}

TEST_F (SkinLoader, AbsurdAttributesAreBounded)
{
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ("<ImgKnob name=\"Negative\" x=\"-99999999\" y=\"abc\" w=\"-5\" h=\"0\" gfx=\"K_4.png\"/>"
                                                                              "<ImgKnob name=\"Enormous\" x=\"3\" w=\"999999999999\" h=\"99999999\" gfx=\"K_4.png\" paramReset=\"0\"/>"
                                                                              "<ImgButton name=\"States\" states=\"100000\" gfx=\"K_4.png\"/>"
                                                                              "<ImgButton name=\"NoStates\" states=\"-3\" gfx=\"K_4.png\"/>"
                                                                              "<ImgKnob name=\"NoParam\" param=\"Not A Parameter\" gfx=\"K_4.png\"/>"
                                                                              "<TextDisplay name=\"Text\" fontSize=\"-40\" justification=\"sideways\"/>",
                                                                              "w=\"-3\" h=\"99999999999\""));
    package.add ("K_4.png", test::SkinTestPackage::png (8, 8, 4));

    test::MemorySkin skin (package, &plugin);
    const auto root = build (skin);
    ASSERT_NE (root, nullptr);
    EXPECT_GE (root->getWidth(), 1);

    auto* negative = skin.findComponent<ImgKnob> ("Negative");
    ASSERT_NE (negative, nullptr);
    EXPECT_EQ (negative->getWidth(), 8);
    EXPECT_EQ (negative->getHeight(), 8);
    EXPECT_TRUE (negative->isResetAllowed());

    auto* enormous = skin.findComponent<ImgKnob> ("Enormous");
    ASSERT_NE (enormous, nullptr);
    EXPECT_LE (enormous->getWidth(), 100000);
    EXPECT_FALSE (enormous->isResetAllowed());

    EXPECT_EQ (skin.findComponent<GFXMultiStateButton> ("States")->getNumStates(), GFXMultiStateButton::maxStates);
    EXPECT_EQ (skin.findComponent<GFXMultiStateButton> ("NoStates")->getNumStates(), 2);
    EXPECT_EQ (skin.findComponent<ImgKnob> ("NoParam")->getParameter(), nullptr);
    EXPECT_GE (skin.findComponent<TextDisplay> ("Text")->getFont().getHeight(), 4.0f);
}

TEST_F (SkinLoader, FileNamesMustStayInsideThePackage)
{
    for (auto* bad : { "../x.png", "a/../../x.png", "/etc/passwd", "C:/x.png", "a\\..\\x.png", "./x.png", "" })
        EXPECT_FALSE (Skin::isSafeFileName (bad)) << bad;

    for (auto* good : { "x.png", "Knobs/Big_64.png", "a..b.png" })
        EXPECT_TRUE (Skin::isSafeFileName (good)) << good;
}

//==============================================================================
TEST_F (SkinLoader, PanelSizesFollowImageThenAttributes)
{
    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ("<Panel name=\"Image\" background=\"B.png\" w=\"50\"/>"
                                                                              "<Panel name=\"Bare\"/>"
                                                                              "<Panel name=\"Sized\" w=\"60\" h=\"70\"/>"));
    package.add ("B.png", test::SkinTestPackage::png (300, 120));
    test::MemorySkin skin (package, &plugin);
    const auto root = build (skin);
    ASSERT_NE (root, nullptr);

    EXPECT_EQ (skin.getComponent ("Image")->getBounds().getWidth(), 300);
    EXPECT_EQ (skin.getComponent ("Image")->getBounds().getHeight(), 120);
    EXPECT_EQ (skin.getComponent ("Bare")->getBounds().getWidth(), 200);
    EXPECT_EQ (skin.getComponent ("Bare")->getBounds().getHeight(), 200);
    EXPECT_EQ (skin.getComponent ("Sized")->getBounds().getWidth(), 60);

    auto* panel = skin.findComponent<Panel> ("Image");
    EXPECT_TRUE (panel->setBackground (panel->getBackground()));
    EXPECT_FALSE (panel->isFillEnabled());
    EXPECT_FALSE (panel->setBackground ({}));
    EXPECT_TRUE (panel->isFillEnabled());

    // A control is owned once; handing the panel one it owns already only shows it.
    auto* bare = skin.findComponent<Panel> ("Bare");
    root->addControl (nullptr);
    bare->setVisible (false);
    root->addControl (std::unique_ptr<juce::Component> (bare));
    EXPECT_TRUE (bare->isVisible());
    EXPECT_EQ (root->getControls().size(), 3);
}

TEST_F (SkinLoader, ControlListenersReachNestedAndContainedWidgets)
{
    struct Listener : public GUIController::Listener, public ParameterController::Listener
    {
        void controllerValueChanged (ParameterController*) override {}
    } listener;

    package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description ("<ImgKnob name=\"Framed\" gfx=\"K_4.png\"><Container type=\"Frame\"/></ImgKnob>"
                                                                              "<Panel name=\"Inner\"><controls><ImgSwitch name=\"Deep\" gfx=\"K_4.png\"/></controls></Panel>"
                                                                              "<CheckBox name=\"Check\" text=\"On\" w=\"40\" h=\"20\"/>"));
    package.add ("K_4.png", test::SkinTestPackage::png (8, 8, 4));
    test::MemorySkin skin (package, &plugin);
    const auto root = build (skin);
    ASSERT_NE (root, nullptr);

    root->addControlListener (&listener);
    EXPECT_EQ (skin.findComponent<ImgKnob> ("Framed")->getNumListeners(), 1);
    EXPECT_EQ (skin.findComponent<ImgSwitch> ("Deep")->getNumListeners(), 1);

    auto* check = dynamic_cast<ParameterController*> (skin.getComponent ("Check"));
    ASSERT_NE (check, nullptr);
    EXPECT_EQ (check->getNumListeners(), 1);

    root->addControlListener (&listener);
    EXPECT_EQ (skin.findComponent<ImgKnob> ("Framed")->getNumListeners(), 1);
}
