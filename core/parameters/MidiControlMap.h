#pragma once

#include "core/parameters/ParameterManager.h"
#include <array>
#include <functional>
#include <utility>

/** 128 slots from MIDI CC number to parameter, with MIDI learn.

    The map reaches the audio thread whole: every change is written into a spare copy of the
    table and published with one atomic store, and the audio thread reads the one it took
    (marked in use, so no writer reuses it meanwhile). Writers (any thread but the audio
    thread) take the map's lock; the audio thread never locks and never writes a table.

    Learning: startLearning arms a target parameter over the map as it is; each controller
    message that arrives while armed maps its CC to the target (the target's other CCs cleared,
    so the last CC moved wins) and is reported by getLearntController. endLearning (keep) writes
    that into the map and disarms; without keep the map stays as it was before learning.
    Message thread, but for the entries that say otherwise. */
class MidiControlMap
{
public:
    static constexpr int numSlots = 128;
    static constexpr const char* xmlTag = "MidiControlMap";
    static constexpr const char* assignTag = "assign";

    explicit MidiControlMap (ParameterManager& manager);

    /** Any thread but the audio thread: takes the map's lock. */
    Parameter* getParameter (int controller) const;
    /** Any thread but the audio thread: takes the map's lock. */
    void setParameter (int controller, Parameter* parameter);
    /** Any thread but the audio thread: takes the map's lock. The lowest CC mapped to the
        parameter, or -1. */
    int getControllerFor (const Parameter* parameter) const;
    /** Any thread but the audio thread: takes the map's lock. */
    void clear();

    /** Audio thread (one thread at a time): lock-free and allocation-free; the parameter it
        sets reaches the DSP core at once and the host later, from the message thread. Learns
        when armed, then sets the mapped parameter from a controller value 0..127. Returns
        whether a parameter was mapped. */
    bool handleController (int controller, int value) noexcept;

    //==============================================================================
    /** Arms learning for the parameter over the map as it is now (null: disarms, keeping). */
    void startLearning (Parameter* target);
    /** Disarms; with keep the learnt CC stays in the map, else the map is as it was before
        learning. Nothing when not learning. */
    void endLearning (bool keep);
    /** Any thread: lock-free. */
    bool isLearning() const noexcept { return learnTarget.load() != nullptr; }
    /** Any thread: lock-free. */
    Parameter* getLearnTarget() const noexcept { return learnTarget.load(); }
    /** Any thread: lock-free. The CC learnt since startLearning, or -1. */
    int getLearntController() const noexcept { return learntController.load(); }

    //==============================================================================
    /** Any thread but the audio thread: "MidiControlMap" with one "assign" child (cc, param =
        the parameter's name) per used slot. */
    std::unique_ptr<juce::XmlElement> createXml() const;
    /** Any thread but the audio thread: replaces the slots from an element in one step; false
        (map unchanged) when it is not a map. Assignments are skipped when their CC is not a
        whole number 0..127 or their parameter is unknown or one MIDI may not drive
        (ParameterManager::canLearnMidi). */
    bool readFromXml (const juce::XmlElement& element);

    using Slots = std::array<Parameter*, numSlots>;
    /** Any thread but the audio thread: takes the parameter manager's lock. The slots an
        element names, as readFromXml reads them, without setting them; false when it is not a
        map (another tag, or an "assign" spelt in another case). */
    bool parseXml (const juce::XmlElement& element, Slots& slots) const;
    /** Any thread but the audio thread: takes the map's lock. Replaces every slot in one step. */
    void setSlots (const Slots& slots);
    /** Parses the file (BoundedXmlReader's standard limits) and hands its root to readFromXml;
        a file that is missing, not a regular file, too large or not a map leaves the map as it
        was (false, with the reason in error). */
    bool loadFromFile (const juce::File& file, juce::String* error = nullptr);
    /** Writes the map's XML whole or not at all (AtomicFile); a failure says why. */
    juce::Result saveToFile (const juce::File& file) const;

    /** The file extension of a product's maps: "." + the two-letter code + "ccmap", lower case. */
    static juce::String getFileExtension (const juce::String& shortCode) { return ("." + shortCode + "ccmap").toLowerCase(); }

    /** Any thread: set by every change of the slots; takeChanged reads and clears it. */
    std::atomic<bool> changed { false };
    bool takeChanged() noexcept { return changed.exchange (false); }

private:
    struct Table
    {
        std::array<Parameter*, numSlots> slots {};
        Parameter* learnTarget = nullptr;
    };

    /** What a controller maps to in a table, the learnt CC (or -1) taken over by its target. */
    static Parameter* lookUp (const Table& table, int learnt, int controller) noexcept;
    /** The map's lock held: publishes a copy of the current table changed by edit (given the
        table and the learnt CC it was published with); the learnt CC carries over only when
        the table keeps its learn target. */
    void publish (const std::function<void (Table&, int learnt)>& edit);
    /** The map's lock held: the current table and its learnt CC, read as one. */
    std::pair<const Table*, int> current() const noexcept;

    // Three tables: the current one, the one the audio thread may still read, and a spare.
    static constexpr juce::uint32 numTables = 3;
    static constexpr juce::uint32 tableMask = 3;
    static juce::uint32 tableOf (juce::uint32 state) noexcept { return state & tableMask; }
    static int learntOf (juce::uint32 state) noexcept { return (int) ((state >> 8) & 0xffu) - 1; }
    static juce::uint32 makeState (juce::uint32 table, int learnt) noexcept { return table | ((juce::uint32) (learnt + 1) << 8); }

    ParameterManager& manager;
    std::array<Table, numTables> tables;
    /** The current table and the CC learnt over it, in one word. */
    std::atomic<juce::uint32> state { 0 };
    /** The table the audio thread reads, or numTables. */
    std::atomic<juce::uint32> inUse { numTables };
    std::atomic<Parameter*> learnTarget { nullptr };
    std::atomic<int> learntController { -1 };
    juce::CriticalSection lock;
};
