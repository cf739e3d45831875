#include "core/BasePlugin.h"
#include "core/BundleResources.h"
#include "core/CommandParameter.h"
#include "core/PluginAudioProcessor.h"
#include "core/PluginEditor.h"
#include "core/content/PresetChangeDetector.h"
#include "core/content/PresetSources.h"
#include "core/parameters/AtomicFile.h"
#include "core/parameters/FolderLock.h"
#include "core/parameters/BoundedXmlReader.h"
#include "dsp/BasePluginCore.h"
#include <limits>
#include <optional>
#include <sys/stat.h>

namespace
{
    constexpr const char* stateTag = "PluginState";
    constexpr const char* qualityStateTag = "ProcessingQuality";
    constexpr const char* parametersStateTag = "ParametersState";
    constexpr const char* editorTag = "Editor";
    constexpr const char* settingsTag = "UserSettings";

    /** Writes into disk what changed from before to now (attributes and child elements by
        name); what did not change keeps the value on disk, which another instance may have
        written meanwhile. */
    void mergeSettingsChanges (juce::XmlElement& disk, const juce::XmlElement* before, const juce::XmlElement& now)
    {
        for (int i = 0; i < now.getNumAttributes(); ++i)
        {
            const auto& attribute = now.getAttributeName (i);

            if (before == nullptr || ! before->hasAttribute (attribute) || before->getStringAttribute (attribute) != now.getAttributeValue (i))
                disk.setAttribute (attribute, now.getAttributeValue (i));
        }

        if (before != nullptr)
            for (int i = 0; i < before->getNumAttributes(); ++i)
                if (! now.hasAttribute (before->getAttributeName (i)))
                    disk.removeAttribute (before->getAttributeName (i));

        for (auto* child : now.getChildIterator())
        {
            if (child->isTextElement())
                continue;

            // Exactly: an element spelt in another case is not ours and keeps its value.
            auto* old = before != nullptr ? BoundedXmlReader::findChild (*before, child->getTagName()) : nullptr;

            if (old != nullptr && old->isEquivalentTo (child, false))
                continue;

            auto* target = BoundedXmlReader::findChild (disk, child->getTagName());

            if (target == nullptr)
                target = disk.createNewChildElement (child->getTagName());

            mergeSettingsChanges (*target, old, *child);
        }

        if (before != nullptr)
            for (auto* child : before->getChildIterator())
                if (! child->isTextElement() && BoundedXmlReader::findChild (now, child->getTagName()) == nullptr)
                    if (auto* gone = BoundedXmlReader::findChild (disk, child->getTagName()))
                        disk.removeChildElement (gone, true);
    }

    bool isRegularFile (const juce::File& file)
    {
        struct stat info;
        return ::stat (file.getFullPathName().toRawUTF8(), &info) == 0 && S_ISREG (info.st_mode);
    }
}

BasePlugin::BasePlugin (std::unique_ptr<ParameterManager> manager)
    : parameterManager (std::move (manager)),
      midiControlMap (*parameterManager),
      folders ({}, {})
{
    const auto description = BundleResources::getFile ("parameters.xml");
    parametersError = parameterManager->loadFromFile (description);

    addCommonParameters();
    addQualityCopies();
    audioFormats.registerBasicFormats();
}

BasePlugin::~BasePlugin()
{
    cancelPendingUpdate();
    destroyEditor();
    factoryPresets.reset();
    userPresets.reset();
    changeDetector.reset();
    parameterManager->setImmediateListenerForAll (nullptr);
    parameterManager->removeListenerFromAll (this);
    logger.reset();
}

void BasePlugin::addCommonParameters()
{
    // The commands are the plug-in's own business: never automated, never part of a preset,
    // and a command button has no value to show.
    juce::XmlElement root ("PluginParameters");
    auto* group = root.createNewChildElement ("group");
    group->setAttribute ("name", "Common");

    for (const auto& command : CommandParameter::table)
    {
        auto* p = group->createNewChildElement ("param");
        p->setAttribute ("id", command.id);
        p->setAttribute ("name", command.name);
        p->setAttribute ("type", command.type);
        p->setAttribute ("auto", 0);
        p->setAttribute ("presets", 0);

        if (juce::String (command.type) == "logic")
            p->setAttribute ("showValue", 0);
    }

    const auto error = parameterManager->loadFromXml (root);
    jassert (error.isEmpty());
    juce::ignoreUnused (error);
}

void BasePlugin::addQualityCopies()
{
    auto* quality = parameterManager->getParameterByName (qualityParameterName);

    if (quality == nullptr)
        return;

    // The copies share the original's kind and items; building them from the same XML form
    // keeps them exact copies whatever the kind.
    const auto& d = quality->getDescription();
    // clang-format off
    const struct { int id; const char* name; } copies[] = {
        { realtimeQualityId,        "Real-time Processing Quality" },
        { defaultRealtimeQualityId, "Default Real-time Processing Quality" },
        { offlineQualityId,         "Offline Processing Quality" },
        { defaultOfflineQualityId,  "Default Offline Processing Quality" }
    };
    // clang-format on

    juce::XmlElement root ("PluginParameters");
    auto* group = root.createNewChildElement ("group");
    group->setAttribute ("name", "Processing Quality");

    for (const auto& copy : copies)
    {
        auto* p = group->createNewChildElement ("param");
        p->setAttribute ("id", copy.id);
        p->setAttribute ("name", copy.name);
        p->setAttribute ("type", quality->getTypeName());
        p->setAttribute ("min", (double) d.minimum);
        p->setAttribute ("max", (double) d.maximum);
        p->setAttribute ("default", (double) d.defaultValue);

        if (const auto items = quality->getItemNames(); ! items.isEmpty())
            p->setAttribute ("items", items.joinIntoString ("|"));

        p->setAttribute ("auto", 0);
        p->setAttribute ("presets", 0);
    }

    if (parameterManager->loadFromXml (root).isNotEmpty())
        return;

    qualityParameter = quality;
    realtimeQuality = parameterManager->getParameterByIndex (realtimeQualityId);
    defaultRealtimeQuality = parameterManager->getParameterByIndex (defaultRealtimeQualityId);
    offlineQuality = parameterManager->getParameterByIndex (offlineQualityId);
    defaultOfflineQuality = parameterManager->getParameterByIndex (defaultOfflineQualityId);
}

void BasePlugin::initialise()
{
    folders = ApplicationFolders (getMakerName(), getDisplayName());
    superpowers = folders.getUserFolder().getChildFile ("superpowers").existsAsFile();

    if (superpowers)
    {
        const auto logFile = getLogFile();
        logFile.getParentDirectory().createDirectory();
        logger = std::make_unique<juce::FileLogger> (logFile, getDisplayName() + " " + getVersion(), 0);
    }

    if (parametersError.isNotEmpty())
        logMessage (parametersError);

    parameterManager->addListenerToAll (this);
    parameterManager->setImmediateListenerForAll (this);
    assignHostIndices();

    changeDetector = std::make_unique<PresetChangeDetector> (*parameterManager);

    if (hasPresets())
    {
        userPresets = makeUserPresetSource (folders.getFolder (ApplicationFolders::userStore).getChildFile ("Presets"));
        userPresets->recoverLeftovers();

        if (const auto package = findFactoryPackage(); package.existsAsFile())
            factoryPresets = makeFactoryPresetSource (package);

        for (ContentSource* source : { getUserPresetSource(), getFactoryPresetSource() })
        {
            if (source != nullptr)
            {
                source->setTagDictionary (&tagDictionary);
                source->refresh();
            }
        }

        if (factoryPresets != nullptr && getInitPresetName().isNotEmpty())
            if (auto init = factoryPresets->loadPresetByName (getInitPresetName(), 0))
                loadPreset (*init, 0, false);
    }

    const auto storeBefore = folders.getFolder (ApplicationFolders::userStore);
    AtomicFile::removeLeftoversOf (getUserSettingsFile());
    // Exports write their temporaries beside the user's archive; a killed one is found here.
    AtomicFile::setRecordFolder (folders.getUserFolder().getChildFile ("Unfinished writes"));
    AtomicFile::removeRecordedLeftovers();
    loadUserSettings();

    // The settings may move "UserStore": the user presets follow.
    if (userPresets != nullptr && folders.getFolder (ApplicationFolders::userStore) != storeBefore)
    {
        userPresets->setFolder (folders.getFolder (ApplicationFolders::userStore).getChildFile ("Presets"));
        userPresets->recoverLeftovers();
        userPresets->refresh();
    }

    // A session starts with the user's default qualities.
    if (realtimeQuality != nullptr)
    {
        realtimeQuality->setValue (defaultRealtimeQuality->getValue(), false);
        offlineQuality->setValue (defaultOfflineQuality->getValue(), false);
        applyQualityForMode (offline.load());
    }

    // A map save killed mid-way left a temporary beside the user's map.
    if (useCustomMidiMap && juce::File::isAbsolutePath (midiMapPath))
        AtomicFile::removeLeftoversOf (juce::File (midiMapPath));

    loadMidiControlMap();
    loadHostParametersMap();
    setPresetChangeDetection (true);
    settingsBaseline = createSettingsXml();
}

std::unique_ptr<PresetFolderContent> BasePlugin::makeUserPresetSource (const juce::File& folder)
{
    return std::make_unique<PresetsDirectoryContent<Preset>> (*this, folder, Preset::fileExtension, "User");
}

std::unique_ptr<PresetPackageContent> BasePlugin::makeFactoryPresetSource (const juce::File& package)
{
    return std::make_unique<PresetsPackageContent<Preset>> (*this, package, Preset::fileExtension, "Factory");
}

juce::File BasePlugin::findFactoryPackage() const
{
    auto packages = folders.getCommonFolder().getChildFile ("Presets").findChildFiles (juce::File::findFiles, false, juce::String ("*Factory*") + ContentPackage::fileExtension);

    struct ByName
    {
        static int compareElements (const juce::File& a, const juce::File& b) { return a.getFileName().compare (b.getFileName()); }
    } comparator;

    packages.sort (comparator);
    return packages.isEmpty() ? juce::File() : packages.getFirst();
}

ContentSource* BasePlugin::getFactoryPresetSource() const noexcept { return factoryPresets.get(); }
ContentSource* BasePlugin::getUserPresetSource() const noexcept { return userPresets.get(); }

juce::File BasePlugin::getDefaultMidiControlMapFile() const
{
    return BundleResources::getFile ("Default" + MidiControlMap::getFileExtension (getShortCode()));
}

juce::File BasePlugin::getDefaultHostParametersMapFile() const
{
    return BundleResources::getFile ("Default" + HostParametersMap::getFileExtension (getShortCode()));
}

void BasePlugin::loadMidiControlMap()
{
    bool loaded = false;

    if (useCustomMidiMap && midiMapPath.isNotEmpty())
    {
        juce::String error;
        loaded = juce::File::isAbsolutePath (midiMapPath) && midiControlMap.loadFromFile (juce::File (midiMapPath), &error);

        if (! loaded)
            logMessage ("Could not read the MIDI CC map " + midiMapPath + (error.isNotEmpty() ? " (" + error + ")" : juce::String()) + "; using the default map");
    }

    if (! loaded)
    {
        midiControlMap.clear();
        const auto defaultMap = getDefaultMidiControlMapFile();

        if (defaultMap.existsAsFile() && ! midiControlMap.loadFromFile (defaultMap))
            logMessage ("Could not read the default MIDI CC map " + defaultMap.getFullPathName());
    }

    midiControlMap.takeChanged();
}

void BasePlugin::loadHostParametersMap()
{
    juce::String error;
    bool loaded = false;

    if (hostParametersMapPath.isNotEmpty())
    {
        loaded = juce::File::isAbsolutePath (hostParametersMapPath)
            && hostParametersMap.loadFromFile (juce::File (hostParametersMapPath), &error);

        if (! loaded)
            logMessage ("Could not read the host-parameter map " + hostParametersMapPath + " " + error);
    }

    if (! loaded)
    {
        const auto defaultMap = getDefaultHostParametersMapFile();

        if (! hostParametersMap.loadFromFile (defaultMap, &error))
        {
            logMessage ("No host-parameter map: " + error);
            return;
        }
    }

    hostParametersMap.apply (*parameterManager);
}

juce::String BasePlugin::getCommit() const
{
#ifdef GRINDEL_COMMIT
    return GRINDEL_COMMIT;
#else
    return "unknown";
#endif
}

juce::String BasePlugin::getBuildDate() const
{
    return __DATE__;
}

juce::Array<BasePlugin::IdRange> BasePlugin::getParameterIdRanges (int) const
{
    return {};
}

juce::String BasePlugin::getParameterDisplayName (int parameterId) const
{
    if (auto* p = parameterManager->getParameterByIndex (parameterId))
        return p->getDisplayName();

    return {};
}

void BasePlugin::assignHostIndices()
{
    int index = 0;

    for (auto* p : parameterManager->getParameters())
        p->setHostIndex (p->isAutomatable() ? index++ : -1);
}

//==============================================================================
juce::File BasePlugin::getUserSettingsFile() const
{
    return folders.getUserFolder().getChildFile (getDisplayName() + ".ini");
}

bool BasePlugin::isAcceptedSettingsRoot (const juce::XmlElement& root) const
{
    return BoundedXmlReader::hasTag (root, settingsTag);
}

std::unique_ptr<juce::XmlElement> BasePlugin::createSettingsXml() const
{
    auto root = std::make_unique<juce::XmlElement> (settingsTag);

    // A preset folder missing this session stays the user's choice unless they chose another.
    const auto store = folders.getFolder (ApplicationFolders::userStore);
    const bool keepUnavailable = unavailablePresetFolder.isNotEmpty() && store == sessionPresetStore;
    root->createNewChildElement ("Presets")->setAttribute ("folder", keepUnavailable ? unavailablePresetFolder : store.getFullPathName());
    root->createNewChildElement ("Author")->setAttribute ("name", authorName);

    auto* midi = root->createNewChildElement ("MidiControlMap");
    midi->setAttribute ("default", useCustomMidiMap ? "no" : "yes");
    midi->setAttribute ("path", midiMapPath);

    root->createNewChildElement ("HostParametersMap")->setAttribute ("path", hostParametersMapPath);

    if (defaultRealtimeQuality != nullptr)
    {
        auto* quality = root->createNewChildElement ("DefaultProcessingQuality");
        quality->setAttribute ("realTime", defaultRealtimeQuality->getText());
        quality->setAttribute ("offline", defaultOfflineQuality->getText());
    }

    if (editor != nullptr)
    {
        if (auto settings = editor->saveSettings())
            root->addChildElement (settings.release());
    }
    else if (settingsBaseline != nullptr)
    {
        // No editor now: the editor's settings stay as they were, and the merge on saving
        // leaves the element on disk alone while no editor was ever built.
        if (auto* settings = BoundedXmlReader::findChild (*settingsBaseline, editorTag))
            root->addChildElement (new juce::XmlElement (*settings));
    }

    return root;
}

juce::Result BasePlugin::saveUserSettings()
{
    auto current = createSettingsXml();

    if (settingsBaseline != nullptr && settingsBaseline->isEquivalentTo (current.get(), false))
        return juce::Result::ok();   // nothing changed: the file stays as it is

    const auto file = getUserSettingsFile();
    const auto refuse = [this, &file] (const juce::String& why) {
        const auto message = "The settings were not saved: " + file.getFullPathName() + " " + why;
        reportProblem (message);
        return juce::Result::fail (message);
    };

    if (AtomicFile::makeFolder (file.getParentDirectory()).failed())
        return refuse ("has no folder that can be made");

    // Read, merge and write in one go against other instances doing the same.
    const FolderLock lock (file.getParentDirectory());

    if (! lock.isLocked())
        return refuse ("is busy: " + lock.getResult().getErrorMessage());

    // An empty file holds nothing to lose; anything else must be ours and readable, or it
    // stays as it is.
    std::unique_ptr<juce::XmlElement> onDisk;

    if (file.exists() && ! (isRegularFile (file) && file.getSize() == 0))
    {
        juce::String error;
        onDisk = BoundedXmlReader::parseFile (file, BoundedXmlReader::standardLimits, error);

        if (onDisk == nullptr || ! isAcceptedSettingsRoot (*onDisk))
            return refuse ("could not be read, so it was left as it is");
    }
    else
    {
        onDisk = std::make_unique<juce::XmlElement> (settingsTag);
    }

    mergeSettingsChanges (*onDisk, settingsBaseline.get(), *current);

    if (const auto written = AtomicFile::write (file, *onDisk); written.failed())
        return refuse ("could not be written (" + written.getErrorMessage() + ")");

    settingsBaseline = std::move (current);
    return juce::Result::ok();
}

void BasePlugin::loadUserSettings()
{
    const auto file = getUserSettingsFile();

    if (! file.exists())
        return;

    // Bounded, and only a regular file: a FIFO or device under the name is refused unopened.
    juce::String error;
    const auto root = BoundedXmlReader::parseFile (file, BoundedXmlReader::standardLimits, error);

    if (root == nullptr || ! isAcceptedSettingsRoot (*root))
    {
        if (root != nullptr)
            error = "its root element is <" + root->getTagName() + ">, not <" + juce::String (settingsTag) + ">";

        const auto text = "The settings file " + file.getFullPathName() + " could not be read (" + error + "): this session uses the defaults";

        // An empty file holds nothing to lose (the next save writes it); anything else
        // unreadable is the user's to see, and stays as it is.
        if (isRegularFile (file) && file.getSize() == 0)
            logMessage (text);
        else
            reportProblem (text + " and leaves the file as it is");

        return;
    }

    if (auto* presets = BoundedXmlReader::findChild (*root, "Presets"))
    {
        const auto path = presets->getStringAttribute ("folder");

        // Only a folder that is really there may move the user's presets; one that is missing
        // now (a drive not mounted) stays the setting.
        if (juce::File::isAbsolutePath (path) && juce::File (path).isDirectory())
        {
            folders.setFolder (ApplicationFolders::userStore, juce::File (path));
        }
        else if (juce::File::isAbsolutePath (path) && juce::File (path) != folders.getFolder (ApplicationFolders::userStore))
        {
            unavailablePresetFolder = path;
            sessionPresetStore = folders.getFolder (ApplicationFolders::userStore);
            reportProblem ("The preset folder " + path + " is not available: this session uses "
                           + sessionPresetStore.getChildFile ("Presets").getFullPathName());
        }
    }

    if (auto* author = BoundedXmlReader::findChild (*root, "Author"))
        authorName = author->getStringAttribute ("name");

    if (auto* midi = BoundedXmlReader::findChild (*root, "MidiControlMap"))
    {
        useCustomMidiMap = midi->getStringAttribute ("default") == "no";
        midiMapPath = midi->getStringAttribute ("path");
    }

    if (auto* hostMap = BoundedXmlReader::findChild (*root, "HostParametersMap"))
        hostParametersMapPath = hostMap->getStringAttribute ("path");

    if (auto* quality = BoundedXmlReader::findChild (*root, "DefaultProcessingQuality"); quality != nullptr && defaultRealtimeQuality != nullptr)
    {
        defaultRealtimeQuality->setText (quality->getStringAttribute ("realTime", defaultRealtimeQuality->getText()), false);
        defaultOfflineQuality->setText (quality->getStringAttribute ("offline", defaultOfflineQuality->getText()), false);
    }
}

juce::File BasePlugin::getLogFile() const
{
    if (logger != nullptr)
        return logger->getLogFile();

    return folders.getUserFolder().getChildFile ("Log_" + juce::Time::getCurrentTime().formatted ("%Y-%m-%d_%H-%M-%S") + ".txt");
}

void BasePlugin::logMessage (const juce::String& message)
{
    if (logger != nullptr)
        logger->logMessage (message);
}

void BasePlugin::reportProblem (const juce::String& message)
{
    logMessage (message);

    const juce::ScopedLock sl (problemLock);
    pendingProblems.add (message);

    if (pendingProblems.size() > maxPendingProblems)
        pendingProblems.removeRange (0, pendingProblems.size() - maxPendingProblems);
}

juce::StringArray BasePlugin::takeProblems()
{
    const juce::ScopedLock sl (problemLock);
    juce::StringArray taken;
    taken.swapWith (pendingProblems);
    return taken;
}

//==============================================================================
void BasePlugin::storePresetValues (Preset& preset, int)
{
    preset.application = getDisplayName();
    preset.version = getVersion();

    if (auto* presetName = parameterManager->getParameterByIndex (CommandParameter::presetNameId))
        preset.name = presetName->getText();

    for (auto* p : parameterManager->getParameters())
        if (! p->isExcludedFromPresets())
            preset.setValue (p->getId(), p->getText());
}

bool BasePlugin::loadPreset (const Preset& preset, int, bool notify)
{
    // The preset may be the reload preset itself.
    const Preset loaded (preset);
    const bool complete = applyPresetValues (loaded, notify);
    adoptPreset (loaded);
    return complete;
}

bool BasePlugin::applyPresetValues (const Preset& loaded, bool notify)
{
    juce::StringArray unreadable;

    beginLoad();

    // A parameter the preset does not know (an older preset) goes back to its default, so a
    // preset always sounds the same whatever was loaded before it.
    for (auto* p : parameterManager->getParameters())
    {
        if (p->isExcludedFromPresets())
            continue;

        if (auto* text = loaded.findValue (p->getId()))
        {
            // A value that does not parse (nan, inf, empty, text) must not keep whatever the
            // previous preset left: the parameter takes its default.
            if (! p->setText (*text, notify))
            {
                p->setToDefault (notify);
                unreadable.add (p->getName());
            }
        }
        else
        {
            p->setToDefault (notify);
        }
    }

    if (! unreadable.isEmpty())
        logMessage ("Preset \"" + loaded.name + "\" loaded partly: unreadable values for " + unreadable.joinIntoString (", ") + " took their defaults");

    if (auto* presetName = parameterManager->getParameterByIndex (CommandParameter::presetNameId))
        presetName->setText (loaded.name, notify);

    endLoad();
    return unreadable.isEmpty();
}

void BasePlugin::adoptPreset (const Preset& preset)
{
    reloadPresetData = preset;

    if (changeDetector != nullptr && changeDetector->isActive())
        changeDetector->setActive (true, changeDetector->getIntervalMs());
}

void BasePlugin::reloadParameterValue (int parameterId)
{
    auto* p = parameterManager->getParameterByIndex (parameterId);

    if (p == nullptr || p->isExcludedFromPresets())
        return;

    if (auto* text = reloadPresetData.findValue (parameterId))
        p->setText (*text, true);
    else
        p->setToDefault (true);
}

void BasePlugin::reloadPreset (int)
{
    loadPreset (reloadPresetData, 0, true);
}

void BasePlugin::loadInitPreset (int)
{
    if (factoryPresets != nullptr && getInitPresetName().isNotEmpty())
    {
        if (auto init = factoryPresets->loadPresetByName (getInitPresetName(), 0))
        {
            factoryPresets->preparePreset (*init);
            loadPreset (*init, factoryPresets->presetSlot, true);
            return;
        }
    }

    // No init preset to be had: an empty preset sets every preset parameter to its default.
    Preset defaults;
    defaults.name = getInitPresetName();
    defaults.application = getDisplayName();
    loadPreset (defaults, 0, true);
}

bool BasePlugin::applyStartPreset()
{
    if (factoryPresets == nullptr || getStartPresetName().isEmpty())
        return false;

    auto start = factoryPresets->loadPresetByName (getStartPresetName(), 0);

    if (start == nullptr)
        return false;

    factoryPresets->preparePreset (*start);
    loadPreset (*start, factoryPresets->presetSlot, true);
    return true;
}

void BasePlugin::presetStored (const Preset& preset)
{
    reloadPresetData = preset;

    if (auto* presetName = parameterManager->getParameterByIndex (CommandParameter::presetNameId))
        presetName->setText (preset.name, true);

    if (changeDetector != nullptr && changeDetector->isActive())
        changeDetector->setActive (true, changeDetector->getIntervalMs());
}

bool BasePlugin::hasUnsavedPresetChanges() const
{
    return changeDetector != nullptr && changeDetector->hasChanges();
}

void BasePlugin::setPresetChangeDetection (bool on, int intervalMs)
{
    if (changeDetector != nullptr)
        changeDetector->setActive (on, intervalMs);
}

//==============================================================================
juce::XmlElement BasePlugin::createQualityXml() const
{
    Preset quality;

    for (auto* p : { realtimeQuality, defaultRealtimeQuality, offlineQuality, defaultOfflineQuality })
        if (p != nullptr)
            quality.setValue (p->getId(), p->getText());

    juce::XmlElement element (qualityStateTag);
    element.addChildElement (quality.createXml().release());
    return element;
}

std::unique_ptr<juce::XmlElement> BasePlugin::createStateXml() const
{
    auto state = std::make_unique<juce::XmlElement> (stateTag);
    state->addChildElement (new juce::XmlElement (createQualityXml()));

    Preset parameters;
    const_cast<BasePlugin*> (this)->storePresetValues (parameters, 0);
    state->createNewChildElement (parametersStateTag)->addChildElement (parameters.createXml().release());

    state->addChildElement (midiControlMap.createXml().release());

    // The editor answers itself on the message thread; other threads take what it handed over
    // (and never look at the editor pointer, which the message thread sets).
    auto editorPart = juce::MessageManager::existsAndIsCurrentThread() && editor != nullptr ? editor->getStateXml()
                                                                                            : getEditorState();

    if (editorPart != nullptr)
        state->addChildElement (editorPart.release());

    return state;
}

bool BasePlugin::setStateFromXml (const juce::XmlElement& state)
{
    // Everything is read before anything applies, so a state that cannot be read changes
    // nothing. Tags compare exactly: one of ours in another case was not written by us.
    if (! BoundedXmlReader::hasTag (state, stateTag)
        || BoundedXmlReader::hasMiscasedChild (state, { qualityStateTag, parametersStateTag, MidiControlMap::xmlTag, editorTag }))
        return false;

    const auto readPreset = [&state] (const char* tag, std::optional<Preset>& preset) {
        auto* holder = BoundedXmlReader::findChild (state, tag);

        if (holder == nullptr)
            return true;

        if (BoundedXmlReader::hasMiscasedChild (*holder, { Preset::xmlTag }))
            return false;

        auto* element = BoundedXmlReader::findChild (*holder, Preset::xmlTag);
        return element == nullptr || preset.emplace().readFromXml (*element);
    };

    std::optional<Preset> quality, parameters;
    std::optional<MidiControlMap::Slots> slots;
    auto* map = BoundedXmlReader::findChild (state, MidiControlMap::xmlTag);

    if (! readPreset (qualityStateTag, quality) || ! readPreset (parametersStateTag, parameters)
        || (map != nullptr && ! midiControlMap.parseXml (*map, slots.emplace())))
        return false;

    // Without a message manager the caller is the only thread there is.
    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();
    const bool onMessageThread = messageManager == nullptr || messageManager->isThisTheMessageThread();

    // A restore here supersedes what an earlier one on another thread handed over.
    if (onMessageThread)
    {
        const juce::ScopedLock sl (editorStateLock);
        restoredPreset.reset();
        restoredEditorState.reset();
    }

    if (quality.has_value())
    {
        for (auto* p : { realtimeQuality, defaultRealtimeQuality, offlineQuality, defaultOfflineQuality })
            if (p != nullptr)
                if (auto* text = quality->findValue (p->getId()))
                    p->setText (*text, true);

        applyQualityForMode (offline.load());
    }

    bool handOver = false;

    if (parameters.has_value())
    {
        if (onMessageThread)
        {
            loadPreset (*parameters, 0, true);
        }
        else
        {
            // The values apply now; the reload preset and change detection belong to the
            // message thread, which reads them.
            applyPresetValues (*parameters, true);
            const juce::ScopedLock sl (editorStateLock);
            restoredPreset = std::make_unique<Preset> (std::move (*parameters));
            handOver = true;
        }
    }

    if (slots.has_value())
        midiControlMap.setSlots (*slots);

    if (auto* editorPart = BoundedXmlReader::findChild (state, editorTag))
    {
        storeEditorState (std::make_unique<juce::XmlElement> (*editorPart));

        if (onMessageThread)
        {
            if (editor != nullptr)
                editor->setStateFromXml (*editorPart);
        }
        else
        {
            // The editor, if there is one by then, takes it on the message thread.
            const juce::ScopedLock sl (editorStateLock);
            restoredEditorState = std::make_unique<juce::XmlElement> (*editorPart);
            handOver = true;
        }
    }

    if (handOver)
        triggerAsyncUpdate();

    return true;
}

void BasePlugin::handleAsyncUpdate()
{
    std::unique_ptr<Preset> preset;
    std::unique_ptr<juce::XmlElement> editorPart;

    {
        const juce::ScopedLock sl (editorStateLock);
        preset = std::move (restoredPreset);
        editorPart = std::move (restoredEditorState);
    }

    if (preset != nullptr)
        adoptPreset (*preset);

    if (editorPart != nullptr && editor != nullptr)
        editor->setStateFromXml (*editorPart);
}

void BasePlugin::storeEditorState (std::unique_ptr<juce::XmlElement> state)
{
    const juce::ScopedLock sl (editorStateLock);
    editorState = std::move (state);
}

std::unique_ptr<juce::XmlElement> BasePlugin::getEditorState() const
{
    const juce::ScopedLock sl (editorStateLock);
    return editorState != nullptr ? std::make_unique<juce::XmlElement> (*editorState) : nullptr;
}

//==============================================================================
void BasePlugin::prepareToPlay (double newSampleRate, int maximumBlockSize)
{
    sampleRate = newSampleRate > 0.0 ? newSampleRate : 44100.0;
    active = 1;

    if (core != nullptr)
    {
        core->prepare (SampleRateInfo (sampleRate), maximumBlockSize);

        for (auto* p : parameterManager->getParameters())
            sendToCore (*p);

        core->reset();
    }
}

void BasePlugin::releaseResources()
{
    active = 0;
}

void BasePlugin::createCore()
{
    core = makeCore();

    if (core == nullptr)
    {
        requireFullPath (noCore);
        return;
    }

    takeFullPathReason (noCore);

    core->prepare (SampleRateInfo (sampleRate), 0);

    for (auto* p : parameterManager->getParameters())
        sendToCore (*p);
}

int BasePlugin::getLatencySamples() const
{
    return core != nullptr ? core->getLatencySamples() : 0;
}

void BasePlugin::sendToCore (Parameter& parameter)
{
    if (core != nullptr)
        core->setParameter (parameter.getId(), parameter.getValue());
}

void BasePlugin::applyQualityForMode (bool isOffline)
{
    if (qualityParameter == nullptr)
        return;

    auto* source = isOffline ? offlineQuality : realtimeQuality;
    qualityParameter->setValue (source->getValue(), true);
}

const BasePlugin::Probe BasePlugin::denormalProbe = [] {
    // Through volatiles, so the compiler does not work the products out as without the flags.
    volatile float smallest = std::numeric_limits<float>::min(), denormal = std::numeric_limits<float>::denorm_min();
    const Probe probe { smallest, denormal, 0.0f, 0.0f };

    const auto mode = readFloatingPointMode();
    writeFloatingPointMode (mode | denormalsOff);
    const Probe scaled = probe * Probe { 0.5f, 16777216.0f, 0.0f, 0.0f };
    volatile std::uint64_t bits;
    std::memcpy ((void*) &bits, &scaled, sizeof (std::uint64_t));
    writeFloatingPointMode (mode);

    return bits == 0 ? probe : Probe {};
}();

void BasePlugin::setNonRealtime (bool isNonRealtime) noexcept
{
    hostOffline.store (isNonRealtime, std::memory_order_relaxed);
    requireFullPath (modeChanged);
}

void BasePlugin::processFully (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) noexcept
{
    if (takeFullPathReason (modeChanged))
    {
        const bool nowOffline = hostOffline.load (std::memory_order_relaxed);

        if (nowOffline != offline.load (std::memory_order_relaxed))
        {
            offline.store (nowOffline, std::memory_order_release);

            // The quality switch reaches the core at once and the host later.
            const ProcessingThreadMark mark (*this);
            applyQualityForMode (nowOffline);
        }
    }

    process (buffer, midi, context);
}

void BasePlugin::processWithDenormalsOff (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) noexcept
{
    const auto hostMode = readFloatingPointMode();
    writeFloatingPointMode (hostMode | denormalsOff);
    processAsIs (buffer, midi, context);
    writeFloatingPointMode (hostMode);
}

void BasePlugin::processBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, const ProcessContext& context)
{
    // The dry signal passes; an output without an input stays silent.
    for (int ch = context.numInputChannels; ch < juce::jmin (context.numOutputChannels, buffer.getNumChannels()); ++ch)
        buffer.clear (ch, 0, buffer.getNumSamples());
}

//==============================================================================
std::unique_ptr<PluginEditor> BasePlugin::makeEditor()
{
    return nullptr;
}

void BasePlugin::createEditorOnce()
{
    if (editor != nullptr)
        return;

    JUCE_ASSERT_MESSAGE_THREAD
    // Taken first: the editor records its own state as it starts.
    const auto restored = getEditorState();
    editor = makeEditor();

    if (editor != nullptr)
    {
        editor->initialise();

        if (restored != nullptr)
            editor->setStateFromXml (*restored);

        editor->sendLookAndFeelChange();
        editor->startTimer (25);

        // The editor's settings as it read them: only its later changes count as changes.
        if (settingsBaseline != nullptr)
            if (auto settings = editor->saveSettings())
                settingsBaseline->addChildElement (settings.release());
    }
}

void BasePlugin::destroyEditor()
{
    if (editor != nullptr)
    {
        editor->stopTimer();
        editor.reset();
    }
}

void BasePlugin::updateHostDisplay()
{
    if (processor != nullptr)
        processor->updateHostDisplay (juce::AudioProcessorListener::ChangeDetails().withParameterInfoChanged (true));
}

//==============================================================================
void BasePlugin::parameterValueChanged (Parameter& parameter, bool notify)
{
    sendToCore (parameter);

    // Choosing the quality of the mode the host is in takes effect at once.
    if (&parameter == (offline.load() ? offlineQuality : realtimeQuality))
        applyQualityForMode (offline.load());

    if (processor != nullptr)
        processor->parameterChangedByPlugin (parameter, notify);
}

void BasePlugin::parameterChanged (Parameter* parameter)
{
    for (const auto& range : getParameterIdRanges (0))
    {
        if (parameter->getId() >= range.first && parameter->getId() < range.end)
        {
            updateHostDisplay();
            break;
        }
    }
}

void BasePlugin::parameterGestureBegan (Parameter* parameter)
{
    if (processor != nullptr)
        processor->parameterGestureChangedByPlugin (*parameter, true);
}

void BasePlugin::parameterGestureEnded (Parameter* parameter)
{
    if (processor != nullptr)
        processor->parameterGestureChangedByPlugin (*parameter, false);
}
