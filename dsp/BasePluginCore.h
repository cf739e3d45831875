#pragma once

#include "dsp/SampleRateInfo.h"

/** The DSP core of a plug-in. While the host processes, only the audio thread calls it:
    parameter changes from other threads reach it at the start of the next block. Nothing here
    may allocate or lock. */
class BasePluginCore
{
public:
    virtual ~BasePluginCore() = default;

    /** Any thread but the audio thread, outside processing: rate and the largest block to
        come. May allocate. */
    virtual void prepare (const SampleRateInfo& rateInfo, int maximumBlockSize);
    /** Any thread, outside processing. */
    virtual void reset() {}

    /** Audio thread, or any thread while nothing processes: never allocates or locks. A
        parameter's new plain value. */
    virtual void setParameter (int parameterId, float plainValue) = 0;

    /** Audio thread: never allocates or locks. In place; a host block may come in several
        pieces (split at its MIDI events). */
    virtual void processMono (float* samples, int numSamples) = 0;
    virtual void processStereo (float* left, float* right, int numSamples) = 0;

    /** Any thread. */
    virtual int getLatencySamples() const { return 0; }
    /** Any thread. Whether the core uses the host's tempo: only then is the host's play head
        asked, every block. A field rather than a virtual call: every block reads it. */
    bool usesTempo() const noexcept { return tempoUsed; }
    /** Audio thread: never allocates or locks. */
    virtual void setTempo (double) {}

    const SampleRateInfo& getSampleRateInfo() const noexcept { return sampleRate; }
    int getMaximumBlockSize() const noexcept { return maximumBlockSize; }

protected:
    /** Message thread, while nothing processes. */
    void setUsesTempo (bool shouldUseTempo) noexcept { tempoUsed = shouldUseTempo; }

    SampleRateInfo sampleRate;
    int maximumBlockSize = 0;

private:
    bool tempoUsed = false;
};
