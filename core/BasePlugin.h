#pragma once

#include "core/ApplicationFolders.h"
#include "core/content/PresetTarget.h"
#include "core/content/TagDictionary.h"
#include "core/parameters/HostParametersMap.h"
#include "core/parameters/MidiControlMap.h"
#include "core/parameters/ParameterManager.h"
#include <juce_audio_formats/juce_audio_formats.h>

namespace juce
{
    class AudioPlayHead;
}

class BasePluginCore;
class ModulationMatrix;
class ContentSource;
class PluginAudioProcessor;
class PluginEditor;
class PresetChangeDetector;
class PresetFolderContent;
class PresetPackageContent;

/** The host-independent plug-in object. The host reaches it through PluginAudioProcessor; the
    editor, widgets and the content browser reach folders, settings, presets, parameters and
    the MIDI CC map through it. Message thread, unless an entry says otherwise. */
class BasePlugin : public PresetTarget,
                   public Parameter::Listener,
                   public Parameter::ImmediateListener,
                   private juce::AsyncUpdater
{
public:
    /** What block processing knows about the host's call. */
    struct ProcessContext
    {
        int numInputChannels = 2;
        int numOutputChannels = 2;
        juce::AudioPlayHead* playHead = nullptr;
        bool nonRealtime = false;
    };

    struct IdRange
    {
        int first, end;   // [first, end)
    };

    // The processing-quality copies take the ids after the commands (CommandParameter).
    static constexpr int realtimeQualityId = 100009;
    static constexpr int defaultRealtimeQualityId = 100010;
    static constexpr int offlineQualityId = 100011;
    static constexpr int defaultOfflineQualityId = 100012;
    static constexpr const char* qualityParameterName = "Processing Quality";

    /** Loads "parameters.xml" into the manager, adds the common parameters and the quality
        copies, and registers the basic audio formats. */
    explicit BasePlugin (std::unique_ptr<ParameterManager> parameterManager);
    ~BasePlugin() override;

    /** Called once after construction, in this order: folders and the named-folder table,
        listener of every parameter, host indices, the PresetChangeDetector, the user preset
        source ("UserStore"/Presets) and the factory preset source (the first
        "*Factory*.orvikpkg" in "AppData"/Presets), the init preset from the factory content,
        the user settings, the MIDI CC map (the user's or the default), the host-parameter map. */
    virtual void initialise();

    //==============================================================================
    // Identity
    juce::String getDisplayName() const override = 0;
    virtual juce::String getShortCode() const = 0;
    virtual juce::String getMakerName() const { return "Orvik Group"; }
    virtual juce::String getDescriptionText() const { return {}; }
    virtual juce::String getCategory() const { return {}; }
    virtual juce::String getCommit() const;
    virtual juce::String getBranch() const { return "master"; }
    virtual juce::String getVersion() const { return {}; }
    virtual juce::String getBuildText() const { return "0"; }
    virtual juce::String getFormatName() const { return "AAX"; }
    virtual juce::String getPlatformName() const { return "64bit"; }
    virtual juce::String getBuildDate() const;
    virtual juce::String getStartPresetName() const { return {}; }
    virtual juce::String getInitPresetName() const { return {}; }
    virtual juce::String getExportExtension() const { return "." + getShortCode().toLowerCase() + "zip"; }
    /** The product's web page, shown by the about window. */
    virtual juce::String getWebAddress() const { return {}; }
    virtual bool hasCredits() const { return false; }
    virtual juce::String getCreditsText() const { return {}; }
    virtual bool hasPresets() const { return false; }
    /** Set 0: the ids whose changes need a host display refresh; sorted, each [first, end). */
    virtual juce::Array<IdRange> getParameterIdRanges (int setIndex) const;
    virtual juce::String getParameterDisplayName (int parameterId) const;
    /** The host's name, detected when the processor is made. */
    const juce::String& getHostName() const noexcept { return hostName; }
    void setHostName (const juce::String& name) { hostName = name; }

    //==============================================================================
    // Parameters
    ParameterManager& getParameterManager() noexcept override { return *parameterManager; }
    /** Empty when "parameters.xml" loaded; else why it did not. */
    const juce::String& getParametersError() const noexcept { return parametersError; }

    Parameter* getQualityParameter() const noexcept { return qualityParameter; }
    Parameter* getRealtimeQualityParameter() const noexcept { return realtimeQuality; }
    Parameter* getOfflineQualityParameter() const noexcept { return offlineQuality; }
    bool hasQualityParameters() const noexcept { return qualityParameter != nullptr; }

    MidiControlMap& getMidiControlMap() noexcept { return midiControlMap; }
    /** The modulation sources that a skin's matrix shows; null for products without one. */
    virtual ModulationMatrix* getModulationMatrix() noexcept { return nullptr; }
    HostParametersMap& getHostParametersMap() noexcept { return hostParametersMap; }
    /** The bundle's default MIDI CC map and host-parameter map ("Default.grccmap",
        "Default.grhpmap"). */
    juce::File getDefaultMidiControlMapFile() const;
    juce::File getDefaultHostParametersMapFile() const;
    /** The user's map when the settings choose one and it loads, else the default map (an empty
        map when that is missing too). Clears the map's changed flag. */
    void loadMidiControlMap();
    /** The user's host-parameter map when the settings name one and it loads, else the bundle's;
        gives the automatable parameters their host indices from it. */
    void loadHostParametersMap();
    bool useCustomMidiMap = false;
    juce::String midiMapPath, hostParametersMapPath, authorName;
    juce::String getAuthorName() const override { return authorName; }

    //==============================================================================
    // Folders, settings, log
    ApplicationFolders& getFolders() noexcept { return folders; }
    juce::File getCommonFolder() const { return folders.getCommonFolder(); }
    virtual juce::File getUserSettingsFile() const;
    virtual bool isAcceptedSettingsRoot (const juce::XmlElement& root) const;
    /** Writes the settings this instance changed since it read them (or last wrote them),
        merged into the file as it is on disk now, so another instance's changes stay; writes
        nothing when nothing changed. Fails, leaving the file as it is, when the file on disk
        cannot be read or is not ours (a newer format, say); a failure is also reported. */
    juce::Result saveUserSettings();
    /** Reads the settings file; a file that cannot be read is reported and left alone (the
        session runs on defaults). A preset folder that is missing now (a drive not mounted) is
        kept in the settings while this session uses the default folder. */
    void loadUserSettings();
    /** The preset folder the settings name but this session could not find; empty when none. */
    const juce::String& getUnavailablePresetFolder() const noexcept { return unavailablePresetFolder; }
    bool hasSuperpowers() const noexcept { return superpowers; }
    void logMessage (const juce::String& message) override;
    juce::File getLogFile() const;

    /** Any thread: logs a failure the user must hear of (an action refused or lost, a file not
        read) and keeps it for the editor, which shows it in its status bar once it is open. */
    void reportProblem (const juce::String& message) override;
    /** Message thread: the problems reported since the last call, oldest first. */
    juce::StringArray takeProblems();
    /** At most this many problems wait for the editor; older ones go. */
    static constexpr int maxPendingProblems = 16;

    //==============================================================================
    // Presets
    /** Applies the preset's values between beginLoad and endLoad (parameters excluded from
        presets untouched, parameters the preset lacks or whose value does not parse set to their
        defaults), shows its name in "Preset Name", makes it the reload preset and restarts
        change detection. False when a value did not parse (loaded partly, logged). Message
        thread. */
    bool loadPreset (const Preset& preset, int slot, bool notify) override;
    /** The current values of every parameter presets hold, the application, version and the
        "Preset Name" text. */
    void storePresetValues (Preset& preset, int slot) override;
    /** Message thread. */
    const Preset& getReloadPreset() const noexcept { return reloadPresetData; }
    /** Restores one parameter from the reload preset unless presets exclude it. */
    void reloadParameterValue (int parameterId);
    /** Loads the reload preset: the settings last loaded or saved ("Preset Reload"). */
    void reloadPreset (int flag = 0);
    /** Loads the init preset from the factory content; without it (or without the item) every
        preset parameter goes to its default under the init preset's name. */
    void loadInitPreset (int flag = 0);
    /** Loads the start preset from the factory content; false (nothing changed) without it. */
    bool applyStartPreset();
    /** A preset source saved the current settings as this preset: it becomes the reload preset
        and change detection restarts. */
    void presetStored (const Preset& preset) override;
    bool hasUnsavedPresetChanges() const;
    /** Restarts (on) or stops change detection; both clear the unsaved-changes state. */
    void setPresetChangeDetection (bool on, int intervalMs = 75);
    PresetChangeDetector* getPresetChangeDetector() const noexcept { return changeDetector.get(); }

    /** Either may be null (no presets, no factory package). */
    ContentSource* getFactoryPresetSource() const noexcept;
    ContentSource* getUserPresetSource() const noexcept;
    PresetFolderContent* getUserPresets() const noexcept { return userPresets.get(); }
    PresetPackageContent* getFactoryPresets() const noexcept { return factoryPresets.get(); }
    /** The dictionary the plug-in's preset sources share until a browser gives them its own. */
    TagDictionary& getTagDictionary() noexcept { return tagDictionary; }
    /** The first file matching "*Factory*.orvikpkg" (by name) in "AppData"/Presets; none when
        there is none. */
    virtual juce::File findFactoryPackage() const;

    //==============================================================================
    // State
    /** Any thread but the audio thread (the host saves from its UI or a worker thread):
        allocates. Off the message thread the editor's part is the one it last handed over. */
    std::unique_ptr<juce::XmlElement> createStateXml() const;
    /** Any thread but the audio thread: allocates. On the message thread everything applies at
        once. On another thread the parameters, the quality and the MIDI CC map apply at once;
        what only the message thread may touch (the reload preset, change detection, the
        editor) is handed to it, the latest restore winning. The "Editor" element is kept here
        for an editor made later. False, changing nothing, when the element is not a
        "PluginState" or a part of it does not read (tags compare exactly). */
    bool setStateFromXml (const juce::XmlElement& state);
    /** Any thread but the audio thread. The editor's part of the state, which the editor keeps
        up to date from the message thread; null stores none. */
    void storeEditorState (std::unique_ptr<juce::XmlElement> state);
    /** Any thread but the audio thread: a copy of the editor's part of the state, or null. */
    std::unique_ptr<juce::XmlElement> getEditorState() const;

    //==============================================================================
    // Processing
    /** Any thread but the audio thread, while nothing processes: may allocate. */
    virtual void prepareToPlay (double sampleRate, int maximumBlockSize);
    virtual void releaseResources();
    /** Audio thread: never allocates, locks or calls the host synchronously. Processes with
        flush-to-zero and denormals-are-zero on and leaves the thread's mode as it found it. */
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context);
    void processBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context);

    /** Any thread; while the host processes, only the audio thread calls the core itself. */
    BasePluginCore* getCore() const noexcept { return core.get(); }
    /** Message thread, before processing starts. Creates the DSP core through the product and
        gives it every parameter's value. */
    void createCore();
    /** Any thread. */
    virtual int getLatencySamples() const;
    double getSampleRate() const noexcept { return sampleRate; }
    /** Any thread: lock-free. */
    double getSecondsProcessed() const noexcept { return (double) samplesProcessed.load() / sampleRate; }
    /** Any thread: lock-free. Whether the caller is the audio thread inside processBlock, at a
        point where parameters may change there (a mapped MIDI controller, the quality switch). */
    bool isProcessingThread() const noexcept { return processingThread.load (std::memory_order_relaxed) == juce::Thread::getCurrentThreadId(); }
    bool isOffline() const noexcept { return offline.load(); }

    /** Set by the audio thread, taken by the editor's timer with an exchange. */
    std::atomic<int> midiActivity { 0 };
    /** 1 while the host processes audio. */
    std::atomic<int> active { 0 };

    //==============================================================================
    // Editor
    /** Message thread. Creates the editor once, initialises it, gives it the editor part of a
        state restored before it existed and starts its 25 ms timer. */
    void createEditorOnce();
    /** Any thread. Whether makeEditor makes an editor (it is built only when a host window
        asks for it). */
    virtual bool hasEditor() const { return false; }
    void destroyEditor();
    /** Message thread. */
    PluginEditor* getActiveEditor() const noexcept { return editor.get(); }
    bool isClosing() const noexcept { return closing; }
    void setClosing() { closing = true; }

    //==============================================================================
    // Host
    void setProcessor (PluginAudioProcessor* p) noexcept { processor = p; }
    PluginAudioProcessor* getProcessor() const noexcept { return processor; }
    void updateHostDisplay();

    juce::AudioFormatManager& getAudioFormats() noexcept { return audioFormats; }

    /** Any thread the parameter changed on (the audio thread too): feeds the DSP core (at once
        on the audio thread, else at the next block) and tells the host (from the audio thread
        through the message thread). Never locks on the audio thread. */
    void parameterValueChanged (Parameter& parameter, bool notify) override;
    /** Any thread: lock-free. The audio thread inside processBlock. */
    bool isAudioThread() const noexcept override { return isProcessingThread(); }
    /** Message thread (Parameter::Listener): refreshes the host's display for range set 0. */
    void parameterChanged (Parameter* parameter) override;
    void parameterGestureBegan (Parameter* parameter) override;
    void parameterGestureEnded (Parameter* parameter) override;

protected:
    /** Audio thread: marks the thread as the processing one while parameters may change on
        it, so their changes reach the core at once and the host later. The common block,
        where nothing changes, does without the thread's identity. */
    class ProcessingThreadMark
    {
    public:
        explicit ProcessingThreadMark (BasePlugin& p) noexcept : plugin (p)
        {
            plugin.processingThread.store (juce::Thread::getCurrentThreadId(), std::memory_order_relaxed);
        }
        ~ProcessingThreadMark() { plugin.processingThread.store (nullptr, std::memory_order_relaxed); }
        ProcessingThreadMark (const ProcessingThreadMark&) = delete;
        ProcessingThreadMark& operator= (const ProcessingThreadMark&) = delete;

    private:
        BasePlugin& plugin;
    };

    /** Audio thread: never allocates. The effect's processing of one block (not bypassed). */
    virtual void process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) = 0;
    /** The product's DSP core. */
    virtual std::unique_ptr<BasePluginCore> makeCore() = 0;
    /** The product's editor; null when it has none. */
    virtual std::unique_ptr<PluginEditor> makeEditor();
    /** Gives the automatable parameters their host indices (in order by default). */
    virtual void assignHostIndices();
    /** Any thread (the audio thread too): never allocates. Passes a parameter's value to the
        DSP core. */
    virtual void sendToCore (Parameter& parameter);

    virtual void beginLoad() {}
    virtual void endLoad() {}

    /** The product's preset sources (PresetsDirectoryContent<Preset> and
        PresetsPackageContent<Preset> by default). */
    virtual std::unique_ptr<PresetFolderContent> makeUserPresetSource (const juce::File& folder);
    virtual std::unique_ptr<PresetPackageContent> makeFactoryPresetSource (const juce::File& package);

    std::unique_ptr<BasePluginCore> core;

private:
    void addCommonParameters();
    void addQualityCopies();
    void applyQualityForMode (bool isOffline);
    /** Audio thread: the block after the host went offline or back to real time. */
    __attribute__ ((noinline)) void switchModeAndProcess (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) noexcept;
    /** Audio thread: the block on a host thread that runs without flush-to-zero, set for the
        block and then restored; processAsIs is the block itself. */
    __attribute__ ((noinline)) void processWithDenormalsOff (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) noexcept;
    inline void processAsIs (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) noexcept;
    juce::XmlElement createQualityXml() const;
    /** Any thread but the audio thread: the preset's values between beginLoad and endLoad and its
        name in "Preset Name"; false when a value did not parse. */
    bool applyPresetValues (const Preset& preset, bool notify);
    /** Message thread: the preset becomes the reload preset and change detection restarts. */
    void adoptPreset (const Preset& preset);
    /** Message thread: what restores on other threads handed over. */
    void handleAsyncUpdate() override;
    /** The settings as this instance holds them now (the editor's among them). */
    std::unique_ptr<juce::XmlElement> createSettingsXml() const;

    std::unique_ptr<ParameterManager> parameterManager;
    juce::String parametersError, hostName;
    Parameter* qualityParameter = nullptr;
    Parameter* realtimeQuality = nullptr;
    Parameter* offlineQuality = nullptr;
    Parameter* defaultRealtimeQuality = nullptr;
    Parameter* defaultOfflineQuality = nullptr;

    MidiControlMap midiControlMap;
    ApplicationFolders folders;
    juce::AudioFormatManager audioFormats;
    std::unique_ptr<juce::FileLogger> logger;
    bool superpowers = false;

    /** The settings as last read or written: what this instance changed is the difference. */
    std::unique_ptr<juce::XmlElement> settingsBaseline;
    juce::String unavailablePresetFolder;
    juce::File sessionPresetStore;
    juce::CriticalSection problemLock;
    juce::StringArray pendingProblems;

    Preset reloadPresetData;
    HostParametersMap hostParametersMap;
    TagDictionary tagDictionary;
    std::unique_ptr<PresetChangeDetector> changeDetector;
    std::unique_ptr<PresetFolderContent> userPresets;
    std::unique_ptr<PresetPackageContent> factoryPresets;
    std::unique_ptr<PluginEditor> editor;
    /** The editor's part of the state: hosts save and restore from their own threads, which
        never touch the editor. */
    std::unique_ptr<juce::XmlElement> editorState;
    /** Handed over by a restore on another thread to the message thread (the latest wins). */
    std::unique_ptr<Preset> restoredPreset;
    std::unique_ptr<juce::XmlElement> restoredEditorState;
    /** Guards editorState and the hand-over. */
    juce::CriticalSection editorStateLock;
    PluginAudioProcessor* processor = nullptr;
    bool closing = false;

    double sampleRate = 44100.0;
    std::atomic<juce::int64> samplesProcessed { 0 };
    std::atomic<juce::Thread::ThreadID> processingThread { nullptr };
    std::atomic<bool> offline { false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePlugin)
};
