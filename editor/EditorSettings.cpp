#include "editor/EditorSettings.h"
#include "core/parameters/BoundedXmlReader.h"
#include "editor/BasePluginEditor.h"
#include "editor/PresetSettingsComponent.h"

namespace
{
    constexpr const char* skinTag = "Skin";
    constexpr const char* nameAttribute = "name";
    constexpr const char* warningAttribute = "presetChangeWarning";

    // The settings' booleans: "1", "t..." or "y..." in either case are true.
    bool readBool (const juce::XmlElement& element, const char* attribute, bool defaultValue)
    {
        if (! element.hasAttribute (attribute))
            return defaultValue;

        const auto text = element.getStringAttribute (attribute).trimStart().toLowerCase();
        return text.startsWithChar ('1') || text.startsWithChar ('t') || text.startsWithChar ('y');
    }
}

EditorSettings::EditorSettings (BasePluginEditor& e)
    : editor (e), plugin (e.getPlugin())
{
}

EditorSettings::~EditorSettings() = default;

void EditorSettings::readUserSettings()
{
    const auto file = plugin.getUserSettingsFile();

    if (! file.exists())
        return;

    juce::String error;

    if (const auto root = BoundedXmlReader::parseFile (file, BoundedXmlReader::standardLimits, error);
        root != nullptr && plugin.isAcceptedSettingsRoot (*root))
        if (auto* element = BoundedXmlReader::findChild (*root, editor.getSettingsTag()))
            editor.loadSettings (*element);
}

std::unique_ptr<juce::XmlElement> EditorSettings::saveSettings() const
{
    auto element = std::make_unique<juce::XmlElement> (editor.getSettingsTag());
    auto* presetsPage = editor.getPresetsPage();
    const bool warning = presetsPage == nullptr || presetsPage->getCheckBox().isChecked();
    element->setAttribute (warningAttribute, warning ? 1 : 0);
    element->createNewChildElement (skinTag)->setAttribute (nameAttribute, editor.getChosenSkinName());
    return element;
}

void EditorSettings::loadSettings (const juce::XmlElement& element)
{
    if (! editor.hasSettings (element))
        return;

    if (auto* presetsPage = editor.getPresetsPage())
        presetsPage->getCheckBox().setChecked (readBool (element, warningAttribute, true), juce::dontSendNotification);

    if (auto* skin = BoundedXmlReader::findChild (element, skinTag))
        editor.setSkinName (skin->getStringAttribute (nameAttribute));
}

std::unique_ptr<juce::XmlElement> EditorSettings::getStateXml() const
{
    auto element = std::make_unique<juce::XmlElement> (editor.getStateTag());
    element->createNewChildElement (skinTag)->setAttribute (nameAttribute, editor.getPendingSkinName());
    return element;
}

void EditorSettings::setStateFromXml (const juce::XmlElement& element)
{
    if (! editor.hasState (element))
        return;

    if (auto* skin = BoundedXmlReader::findChild (element, skinTag))
    {
        const auto name = skin->getStringAttribute (nameAttribute);

        if (editor.getSkinIndex (name) != -1)
            editor.changeSkin (name, false);
    }

    // A skin that is not installed leaves the state naming the one shown.
    publishState();
}

void EditorSettings::publishState()
{
    plugin.storeEditorState (editor.getStateXml());
}
