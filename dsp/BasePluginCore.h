#pragma once

#include "dsp/SampleRateInfo.h"

/** The DSP core of a plug-in. Every call is made under the plug-in's processing mutex, from
    block processing and from parameter changes alike. Nothing here may allocate or lock. */
class BasePluginCore
{
public:
    virtual ~BasePluginCore() = default;

    /** Any thread but the audio thread, outside processing: rate and the largest block to
        come. May allocate. */
    virtual void prepare (const SampleRateInfo& rateInfo, int maximumBlockSize);
    /** Any thread, outside processing. */
    virtual void reset() {}

    /** Any thread (the audio thread too): never allocates or locks. A parameter's new plain
        value. */
    virtual void setParameter (int parameterId, float plainValue) = 0;

    /** Audio thread: never allocates or locks. In place. */
    virtual void processMono (float* samples, int numSamples) = 0;
    virtual void processStereo (float* left, float* right, int numSamples) = 0;

    /** Audio thread: never allocates or locks. After the last piece of a host block. */
    virtual void endBlock() {}

    /** Any thread. */
    virtual int getLatencySamples() const { return 0; }
    /** Audio thread: never allocates or locks. */
    virtual void setTempo (double) {}

    const SampleRateInfo& getSampleRateInfo() const noexcept { return sampleRate; }
    int getMaximumBlockSize() const noexcept { return maximumBlockSize; }

protected:
    SampleRateInfo sampleRate;
    int maximumBlockSize = 0;
};
