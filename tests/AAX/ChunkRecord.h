#pragma once

#include "AAX.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

// A host chunk record whose buffer ends exactly at the end of its data area, so that
// AddressSanitizer catches any access past it.
class ChunkRecord
{
public:
    explicit ChunkRecord (size_t dataCapacity)
        : mCapacity (dataCapacity),
          mBuffer (new unsigned char[kHeaderSize + dataCapacity]())
    {
    }

    static ChunkRecord FromData (const std::vector<uint8_t>& data, int32_t version = 0)
    {
        ChunkRecord record (data.size());
        record.Get()->fSize = static_cast<int32_t> (data.size());
        record.Get()->fVersion = version;
        if (! data.empty())
            std::memcpy (record.DataArea(), data.data(), data.size());
        return record;
    }

    AAX_SPlugInChunk* Get() { return reinterpret_cast<AAX_SPlugInChunk*> (mBuffer.get()); }

    // The data area as far as the record's size field says, within the buffer.
    std::vector<uint8_t> Data()
    {
        const int32_t size = Get()->fSize;
        const size_t n = size < 0 ? 0 : (static_cast<size_t> (size) < mCapacity ? static_cast<size_t> (size) : mCapacity);
        return std::vector<uint8_t> (DataArea(), DataArea() + n);
    }

    size_t Capacity() const { return mCapacity; }

private:
    static constexpr size_t kHeaderSize = offsetof (AAX_SPlugInChunk, fData);

    unsigned char* DataArea() { return mBuffer.get() + kHeaderSize; }

    size_t mCapacity;
    std::unique_ptr<unsigned char[]> mBuffer;
};
