#pragma once

#include "core/parameters/ParameterManager.h"
#include <array>

/** 128 slots from MIDI CC number to parameter. Slots are atomics: the audio thread reads them
    while the message thread edits the map. */
class MidiControlMap
{
public:
    static constexpr int numSlots = 128;
    static constexpr const char* xmlTag = "MidiControlMap";

    explicit MidiControlMap (ParameterManager& manager);

    Parameter* getParameter (int controller) const noexcept;
    void setParameter (int controller, Parameter* parameter) noexcept;
    void clear() noexcept;

    /** Audio thread: sets the mapped parameter from a controller value 0..127.
        Returns whether a parameter was mapped. */
    bool handleController (int controller, int value) noexcept;

    /** "MidiControlMap" with one "assign" child per used slot. */
    std::unique_ptr<juce::XmlElement> createXml() const;
    /** Replaces the slots from an element; false (map unchanged) when it is not a map. */
    bool readFromXml (const juce::XmlElement& element);

    std::atomic<bool> changed { false };

private:
    ParameterManager& manager;
    std::array<std::atomic<Parameter*>, numSlots> slots;
};
