#pragma once

#include "AAX_IMIDINode.h"

#include <array>
#include <cstddef>

// Audio thread: never locks or allocates.
// The MIDI input node of a process context: the messages of the coming block, held in
// fixed storage.
class StandInMIDINode : public AAX_IMIDINode
{
public:
    static constexpr size_t kCapacity = 1024;

    StandInMIDINode();
    virtual ~StandInMIDINode() = default;

    void Clear();
    // False when the block's storage is full or the message is longer than four bytes.
    bool Add (uint32_t sampleOffset, const unsigned char* bytes, uint32_t length);
    size_t Size() const { return mStream.mBufferSize; }
    size_t Posted() const { return mPosted; }

    AAX_CMidiStream* GetNodeBuffer() override;
    AAX_Result PostMIDIPacket (AAX_CMidiPacket* packet) override;

private:
    std::array<AAX_CMidiPacket, kCapacity> mPackets {};
    AAX_CMidiStream mStream {};
    size_t mPosted = 0;
};
