#pragma once

#include "AAX.h"

// One MIDI message of up to four bytes, at a sample offset in the current block.
struct AAX_CMidiPacket
{
    uint32_t mTimestamp;   // samples from the start of the block
    uint32_t mLength;      // bytes used in mData
    unsigned char mData[4];
    AAX_CBoolean mIsImmediate;
};

// The messages a MIDI node holds for the current block.
struct AAX_CMidiStream
{
    uint32_t mBufferSize;   // number of packets at mBuffer
    AAX_CMidiPacket* mBuffer;
};

// A MIDI node of the process context, provided by the host for one block: input nodes
// hand out their messages, output nodes take posted ones. The host owns it.
class AAX_IMIDINode
{
public:
    virtual AAX_CMidiStream* GetNodeBuffer() = 0;
    virtual AAX_Result PostMIDIPacket (AAX_CMidiPacket* packet) = 0;
};
