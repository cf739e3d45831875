#include "StandInMIDINode.h"

#include "AAX_Errors.h"

#include <cstring>

StandInMIDINode::StandInMIDINode()
{
    mStream.mBuffer = mPackets.data();
    mStream.mBufferSize = 0;
}

void StandInMIDINode::Clear()
{
    mStream.mBufferSize = 0;
}

bool StandInMIDINode::Add (uint32_t sampleOffset, const unsigned char* bytes, uint32_t length)
{
    if (mStream.mBufferSize >= kCapacity || bytes == nullptr || length == 0 || length > 4)
        return false;

    auto& packet = mPackets[mStream.mBufferSize++];
    packet = {};
    packet.mTimestamp = sampleOffset;
    packet.mLength = length;
    std::memcpy (packet.mData, bytes, length);
    return true;
}

AAX_CMidiStream* StandInMIDINode::GetNodeBuffer()
{
    return &mStream;
}

AAX_Result StandInMIDINode::PostMIDIPacket (AAX_CMidiPacket* packet)
{
    // An input node takes nothing back; counted so that a test can see a misdirected post.
    ++mPosted;
    return packet != nullptr ? AAX_SUCCESS : AAX_ERROR_NULL_ARGUMENT;
}
