#pragma once

#include "AAX.h"

#include <cstring>
#include <type_traits>
#include <vector>

// One coefficient packet: the bytes posted to one port of the host's processing side.
// New packets are dirty, empty, and hold eight zero bytes.
class AAX_CPacket
{
public:
    explicit AAX_CPacket (AAX_CFieldIndex inPortID) : mID (inPortID), mData (8, 0) {}

    AAX_CFieldIndex GetID() const { return mID; }
    bool IsDirty() const { return mDirty; }
    void SetDirty (bool iDirty) { mDirty = iDirty; }

    uint32_t GetSize() const { return mSize; }

    // Resizes the data to iSize bytes; new bytes are zero.
    void SetSize (uint32_t iSize)
    {
        mData.resize (iSize, 0);
        mSize = iSize;
    }

    uint8_t* GetData() { return mData.data(); }
    const uint8_t* GetData() const { return mData.data(); }

    // Makes the packet exactly one value, in the machine's byte order.
    template <typename T>
    void Set (const T& iValue)
    {
        static_assert (std::is_trivially_copyable_v<T>);
        SetSize (static_cast<uint32_t> (sizeof (T)));
        std::memcpy (mData.data(), &iValue, sizeof (T));
    }

private:
    AAX_CFieldIndex mID;
    bool mDirty = true;
    uint32_t mSize = 0;
    std::vector<uint8_t> mData;
};
