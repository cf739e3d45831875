#include "editor/windows/WindowsTestSupport.h"
#include "core/parameters/EnumParameter.h"
#include "editor/DefaultSettingsComponent.h"
#include "editor/MidiSettingsComponent.h"
#include "editor/OptionsWindow.h"
#include "editor/PresetSettingsComponent.h"
#include "support/TestPlugin.h"
#include "skin/ComponentRow.h"
#include "skin/widgets/ComboBoxButton.h"

using namespace wintest;

namespace
{
    struct Page : public juce::Component
    {
        Page (int h) { setSize (0, h); }
    };

    void clickHeader (OptionsWindow::Panel& panel)
    {
        auto& header = panel.getHeader();
        panel.mouseDown (mouseEvent (header, { 50, 5 }, juce::ModifierKeys::leftButtonModifier, &header));
    }
}

TEST (OptionsWindow, AccordionOfSections)
{
    test::TestPlugin plugin;
    OptionsWindow window (plugin);
    window.setSize (560, 250);
    EXPECT_EQ (window.getNotice().getText(), "Changes will take effect after closing this window.");
    EXPECT_EQ (window.getPanelContainer().getHeight(), 0);
    EXPECT_TRUE (window.dimsBackground());

    // Notice at the bottom of the content area, the viewport above it with a 1-pixel gap.
    const auto area = window.getContentArea();
    EXPECT_EQ (window.getNotice().getBounds(), juce::Rectangle<int> (area.getX(), area.getBottom() - 20, area.getWidth(), 20));
    EXPECT_EQ (window.getViewport().getBottom(), window.getNotice().getY() - 1);

    Page a (40), b (60);
    auto* first = window.addPanel ("FIRST", a);
    auto* second = window.addPanel ("SECOND", b);
    const int headerHeight = first->getHeader().getHeight();
    EXPECT_FALSE (a.isVisible() || b.isVisible());
    EXPECT_EQ (second->getY(), headerHeight + 1);
    EXPECT_EQ (window.getPanelContainer().getHeight(), 2 * headerHeight + 1);
    EXPECT_EQ (first->getWidth(), area.getWidth());

    clickHeader (*first);
    EXPECT_TRUE (a.isVisible());
    EXPECT_EQ (first->getHeight(), headerHeight + 40 + 25);
    EXPECT_EQ (a.getBounds(), juce::Rectangle<int> (6, 10 + headerHeight, first->getWidth() - 12, 40));
    EXPECT_EQ (second->getY(), first->getBottom() + 1);
    EXPECT_TRUE (first->getChevron().getToggleState());

    // Opening another closes the first; clicking the open one closes it.
    clickHeader (*second);
    EXPECT_FALSE (a.isVisible());
    EXPECT_TRUE (b.isVisible());
    clickHeader (*second);
    EXPECT_FALSE (b.isVisible());

    // Clicks on a page do nothing.
    clickHeader (*first);
    first->mouseDown (mouseEvent (a, { 1, 1 }, juce::ModifierKeys::leftButtonModifier, &a));
    EXPECT_TRUE (a.isVisible());

    // A tiny window: the notice takes the whole content height.
    window.setSize (300, 31 + 3 + 15);
    EXPECT_EQ (window.getViewport().getHeight(), 0);
}

TEST (OptionsWindow, ClosingByItsCloseButtonWritesTheSettingsOnce)
{
    test::ScopedDataRoot root;
    test::TestPlugin plugin;
    plugin.initialise();
    const auto ini = plugin.getUserSettingsFile();
    ini.deleteFile();

    TestDesktop desktop;
    OptionsWindow window (plugin);
    window.setSize (560, 250);
    desktop.addChildComponent (window);

    // Hidden through the modal layer: nothing written.
    window.show();
    window.hide();
    EXPECT_FALSE (ini.exists());

    MidiSettingsComponent midi (plugin);
    window.addPanel ("MIDI", midi);
    midi.getMapChoice().setState ("/maps/live.grccmap", true);
    EXPECT_TRUE (plugin.useCustomMidiMap);

    window.show();
    click (window.getCloseButton());
    EXPECT_FALSE (window.isVisible());
    ASSERT_TRUE (ini.existsAsFile());
    const auto xml = juce::parseXML (ini);
    ASSERT_NE (xml, nullptr);
    auto* map = xml->getChildByName ("MidiControlMap");
    ASSERT_NE (map, nullptr);
    EXPECT_EQ (map->getStringAttribute ("default"), "no");
}

TEST (OptionsPages, MidiPageWritesThePluginsMapChoice)
{
    test::TestPlugin plugin;
    plugin.midiMapPath = "/maps/studio.grccmap";
    MidiSettingsComponent page (plugin);
    auto& choice = page.getMapChoice();
    EXPECT_TRUE (choice.isChecked());
    EXPECT_EQ (choice.getPath(), "/maps/studio.grccmap");
    EXPECT_EQ (choice.getPathComponent().getFilePatterns(), "*.grccmap");
    EXPECT_EQ (page.getHeight(), 20);

    click (choice.getCheckBox());   // untick: the path goes, the flag follows
    EXPECT_FALSE (plugin.useCustomMidiMap);
    EXPECT_EQ (plugin.midiMapPath, juce::String());
}

TEST (OptionsPages, QualityPageBindsTwoChoicesAndReplacesItsRows)
{
    test::TestPlugin plugin;
    DefaultSettingsComponent page;
    EXPECT_FALSE (page.hasRows());
    EXPECT_EQ (page.getHeight(), 20);

    auto& manager = plugin.getParameterManager();
    auto* realTime = manager.getParameterByIndex (BasePlugin::defaultRealtimeQualityId);
    auto* offline = manager.getParameterByIndex (BasePlugin::defaultOfflineQualityId);
    ASSERT_NE (dynamic_cast<EnumParameter*> (realTime), nullptr);

    page.setSize (500, 20);
    page.setParameters (realTime, offline);
    const int listenersOfOneRow = realTime->getNumListeners();
    page.setParameters (realTime, offline);
    EXPECT_EQ (page.getNumChildComponents(), 1);
    EXPECT_EQ (realTime->getNumListeners(), listenersOfOneRow);   // the old rows are gone

    auto* choice = page.getRealTimeChoice();
    ASSERT_NE (choice, nullptr);
    EXPECT_EQ (choice->getWidth(), 150);
    EXPECT_EQ (choice->getMenu().getNumItems(), realTime->getItemNames().size());
    EXPECT_EQ (choice->getButtonText(), realTime->getValueText());
    EXPECT_EQ (page.getOuterRow()->getBounds().getCentre(), page.getLocalBounds().getCentre());

    // Choosing an item in the menu sets the parameter.
    TestDesktop desktop;
    desktop.addAndMakeVisible (page);
    click (*choice);
    ASSERT_TRUE (choice->getMenu().isOpen());
    auto* window = choice->getMenu().getPopup()->getWindow();
    window->mouseDown (mouseEvent (*window, { 10, 6 + 16 + 8 }));
    EXPECT_TRUE (test::pumpUntil ([&] { return ! choice->getMenu().isOpen(); }));
    EXPECT_EQ (realTime->getIntValue(), 1);
    EXPECT_EQ (choice->getButtonText(), realTime->getItemNames()[1]);
}

TEST (OptionsPages, PresetPageCheckBox)
{
    test::TestPlugin plugin;
    PresetSettingsComponent page (plugin);
    page.setSize (400, 20);
    EXPECT_EQ (page.getCheckBox().getButtonText(),
               "If parameters were changed show warning before loading Prev/Next preset");
    EXPECT_EQ (page.getCheckBox().getBounds(), juce::Rectangle<int> (0, 0, 400, 20));
}
