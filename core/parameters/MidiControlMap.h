#pragma once

#include "core/parameters/ParameterManager.h"
#include <array>

/** 128 slots from MIDI CC number to parameter, with MIDI learn. Slots are atomics: the audio
    thread reads them (and, while learning, writes them) while the message thread edits the map.

    Learning: startLearning backs up the 128 slots and arms a target parameter; each controller
    message that arrives while armed maps its CC to the target (the backed-up slots first put
    back, the target's other CCs cleared, so the last CC moved wins) and is reported by
    getLearntController. endLearning (keep) disarms; without keep the backup comes back.
    Message thread, but for the slot reads and handleController. */
class MidiControlMap
{
public:
    static constexpr int numSlots = 128;
    static constexpr const char* xmlTag = "MidiControlMap";
    static constexpr const char* assignTag = "assign";

    explicit MidiControlMap (ParameterManager& manager);

    /** Any thread: lock-free. */
    Parameter* getParameter (int controller) const noexcept;
    void setParameter (int controller, Parameter* parameter) noexcept;
    /** The lowest CC mapped to the parameter, or -1. */
    int getControllerFor (const Parameter* parameter) const noexcept;
    void clear() noexcept;

    /** Audio thread: lock-free; the parameter it sets reaches the DSP core at once and the host
        later, from the message thread. Learns when armed, then sets the mapped parameter from a
        controller value 0..127. Returns whether a parameter was mapped. */
    bool handleController (int controller, int value) noexcept;

    //==============================================================================
    /** Backs up the slots and arms learning for the parameter (null: disarms, keeping). */
    void startLearning (Parameter* target);
    /** Clears the learn target; unless keep, restores the 128 backed-up slots. Nothing when not
        learning. */
    void endLearning (bool keep);
    bool isLearning() const noexcept { return learnTarget.load() != nullptr; }
    Parameter* getLearnTarget() const noexcept { return learnTarget.load(); }
    /** The CC learnt since startLearning, or -1. */
    int getLearntController() const noexcept { return learntController.load(); }

    //==============================================================================
    /** "MidiControlMap" with one "assign" child (cc, param = the parameter's name) per used slot. */
    std::unique_ptr<juce::XmlElement> createXml() const;
    /** Replaces the slots from an element; false (map unchanged) when it is not a map.
        Assignments are skipped when their CC is not a whole number 0..127 or their parameter
        is unknown or one MIDI may not drive (ParameterManager::canLearnMidi). */
    bool readFromXml (const juce::XmlElement& element);
    /** Parses the file (BoundedXmlReader's standard limits) and hands its root to readFromXml;
        a file that is missing, not a regular file, too large or not a map leaves the map as it
        was (false, with the reason in error). */
    bool loadFromFile (const juce::File& file, juce::String* error = nullptr);
    /** Writes the map's XML whole or not at all (AtomicFile); a failure says why. */
    juce::Result saveToFile (const juce::File& file) const;

    /** The file extension of a product's maps: "." + the two-letter code + "ccmap", lower case. */
    static juce::String getFileExtension (const juce::String& shortCode) { return ("." + shortCode + "ccmap").toLowerCase(); }

    /** Set by every change of the slots; takeChanged reads and clears it. */
    std::atomic<bool> changed { false };
    bool takeChanged() noexcept { return changed.exchange (false); }

private:
    ParameterManager& manager;
    std::array<std::atomic<Parameter*>, numSlots> slots;
    std::array<std::atomic<Parameter*>, numSlots> backup;
    std::atomic<Parameter*> learnTarget { nullptr };
    std::atomic<int> learntController { -1 };
};
