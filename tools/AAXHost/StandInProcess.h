#pragma once

#include "AAX_IACFEffectParameters.h"
#include "StandInMIDINode.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Every operation: message thread (the host's main thread), but for Process and the MIDI node.
// The process context of one effect instance, laid out from the fields its component
// registered, and the call of the component's native process procedure. Packets cross
// from the main thread to the audio thread through a fixed single-producer ring.
class StandInProcess
{
public:
    StandInProcess() = default;
    ~StandInProcess();

    StandInProcess (const StandInProcess&) = delete;
    StandInProcess& operator= (const StandInProcess&) = delete;

    // Message thread: allocates; before the first block.
    // Lays out the context from the component's field records (as the stand-in component
    // descriptor keeps them) and initialises its private data through the effect's
    // ResetFieldData. False with a reason for a field this host cannot provide.
    bool Build (const std::vector<std::string>& fields, const void* processProc, const AAX_IACFEffectParameters& effect,
                int numInputs, int numOutputs, std::string& error);

    int NumInputs() const { return mNumInputs; }
    int NumOutputs() const { return mNumOutputs; }
    bool HasMIDIInput() const { return mMIDIField >= 0; }
    // The data-in ports, by field index.
    std::vector<int32_t> Ports() const;

    // Message thread (the ring's only producer): never locks or allocates.
    // Queues a packet for its port; it reaches the context before the next block.
    // False when the port is unknown or the queue is full.
    bool PostPacket (int32_t port, const void* bytes, uint32_t size);

    // Audio thread: never locks or allocates; filled between blocks.
    // The MIDI messages of the next block.
    StandInMIDINode& MIDI() { return mMIDI; }

    // Audio thread: never locks or allocates.
    // One block: the input and output channel pointers, numInputs and numOutputs of them.
    // The MIDI node is cleared afterwards.
    void Process (const float* const* inputs, float* const* outputs, int32_t numSamples);

    // The current bytes of a port's buffer (a test's view of what the plug-in reads).
    std::vector<uint8_t> PortData (int32_t port) const;

private:
    using NativeProcessProc = void (*) (void* const instancesBegin[], const void* const instancesEnd);

    struct Port
    {
        int32_t field;
        std::unique_ptr<uint64_t[]> data;
        uint32_t size;
    };

    struct PendingPacket
    {
        int32_t port;
        uint32_t size;
        uint8_t bytes[32];
    };

    void* Block (size_t bytes);
    void DeliverPackets();

    NativeProcessProc mProc = nullptr;
    int mNumInputs = 0, mNumOutputs = 0;
    int32_t mMIDIField = -1;
    std::vector<void*> mContext;
    std::vector<const float*> mInputs;
    std::vector<float*> mOutputs;
    int32_t mBufferLength = 0;
    std::vector<Port> mPorts;
    std::vector<std::unique_ptr<uint64_t[]>> mBlocks;
    std::vector<std::unique_ptr<float[]>> mMeterTaps;
    std::vector<float*> mMeterPointers;
    StandInMIDINode mMIDI;

    static constexpr uint32_t kQueueSize = 64;
    std::array<PendingPacket, kQueueSize> mQueue {};
    std::atomic<uint32_t> mQueueHead { 0 }, mQueueTail { 0 };
};
