#include "AAX_CChunkDataParser.h"
#include "AAX_Assert.h"
#include "AAX_Errors.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace
{
    const unsigned char kMarker[4] = { 0x01, 0x01, 0x01, 0x01 };
    const int64_t kMaxTagAndNameBytes = 255;

    int64_t roundUp4 (int64_t n) { return (n + 3) & ~int64_t (3); }

    AAX_CChunkDataParser::DataValue namedEntry (int32_t dataType, const char* name)
    {
        AAX_CChunkDataParser::DataValue entry;
        entry.mDataType = dataType;
        entry.mDataName = name;
        return entry;
    }

    // A name found under another type counts as not found.
    const AAX_CChunkDataParser::DataValue* findEntry (AAX_CChunkDataParser& parser, const char* name, int32_t dataType)
    {
        const int32_t index = parser.FindName (AAX_CString (name));

        if (index < 0 || parser.GetValues()[static_cast<size_t> (index)].mDataType != dataType)
            return nullptr;

        return &parser.GetValues()[static_cast<size_t> (index)];
    }

    void writeBigEndian (unsigned char* out, uint64_t value, int numBytes)
    {
        for (int i = numBytes - 1; i >= 0; --i)
        {
            out[i] = static_cast<unsigned char> (value & 0xFF);
            value >>= 8;
        }
    }

    uint64_t readBigEndian (const unsigned char* in, int numBytes)
    {
        uint64_t value = 0;
        for (int i = 0; i < numBytes; ++i)
            value = (value << 8) | in[i];
        return value;
    }

    const char* tagFor (int32_t type)
    {
        switch (type)
        {
            case AAX_CChunkDataParser::eDataType_Float: return "f_";
            case AAX_CChunkDataParser::eDataType_Int32: return "l_";
            case AAX_CChunkDataParser::eDataType_Double: return "d_";
            case AAX_CChunkDataParser::eDataType_Int16: return "s_";
            case AAX_CChunkDataParser::eDataType_String: return "r_";
            default: return nullptr;
        }
    }

    // Bytes the size rule counts for a value.
    int64_t countedValueBytes (const AAX_CChunkDataParser::DataValue& value)
    {
        switch (value.mDataType)
        {
            case AAX_CChunkDataParser::eDataType_Float:
            case AAX_CChunkDataParser::eDataType_Int32:
            case AAX_CChunkDataParser::eDataType_Int16: return 4;
            case AAX_CChunkDataParser::eDataType_Double: return 8;
            case AAX_CChunkDataParser::eDataType_String: return roundUp4 (int64_t (value.mStringValue.Length()) + 1);
            default: return 0;
        }
    }

    // Bytes the writer lays out for a value: every type without its own slot takes 4.
    int64_t writtenValueBytes (const AAX_CChunkDataParser::DataValue& value)
    {
        switch (value.mDataType)
        {
            case AAX_CChunkDataParser::eDataType_Double: return 8;
            case AAX_CChunkDataParser::eDataType_String: return roundUp4 (int64_t (value.mStringValue.Length()) + 1);
            default: return 4;
        }
    }

    int64_t headerBytes (const AAX_CChunkDataParser::DataValue& value)
    {
        return roundUp4 (2 + int64_t (value.mDataName.Length()) + 1);
    }

    const void* findZero (const unsigned char* from, int64_t count)
    {
        return count > 0 ? std::memchr (from, 0, static_cast<size_t> (count)) : nullptr;
    }
}

AAX_CChunkDataParser::AAX_CChunkDataParser() = default;
AAX_CChunkDataParser::~AAX_CChunkDataParser() = default;

void AAX_CChunkDataParser::Clear()
{
    mDataValues.clear();
    mLastFoundIndex = -1;
    mChunkVersion = -1;
}

void AAX_CChunkDataParser::AddDouble (const char* name, double value)
{
    DataValue entry = namedEntry (eDataType_Double, name);
    entry.mDoubleValue = value;
    mDataValues.push_back (entry);
}

void AAX_CChunkDataParser::AddInt32 (const char* name, int32_t value)
{
    DataValue entry = namedEntry (eDataType_Int32, name);
    entry.mIntValue = value;
    mDataValues.push_back (entry);
}

void AAX_CChunkDataParser::AddString (const char* name, const AAX_CString& value)
{
    DataValue entry = namedEntry (eDataType_String, name);
    entry.mStringValue = value;
    mDataValues.push_back (entry);
}

bool AAX_CChunkDataParser::FindDouble (const char* name, double* value)
{
    const DataValue* entry = findEntry (*this, name, eDataType_Double);

    if (entry == nullptr)
        return false;

    if (value != nullptr)
        *value = entry->mDoubleValue;

    return true;
}

bool AAX_CChunkDataParser::FindInt32 (const char* name, int32_t* value)
{
    const DataValue* entry = findEntry (*this, name, eDataType_Int32);

    if (entry == nullptr)
        return false;

    if (value != nullptr)
        *value = static_cast<int32_t> (entry->mIntValue);

    return true;
}

bool AAX_CChunkDataParser::FindString (const char* name, AAX_IString* value)
{
    const DataValue* entry = findEntry (*this, name, eDataType_String);

    if (entry == nullptr)
        return false;

    if (value != nullptr)
        value->Set (entry->mStringValue.Get());

    return true;
}

int32_t AAX_CChunkDataParser::FindName (const AAX_CString& name)
{
    const int32_t count = static_cast<int32_t> (mDataValues.size());

    if (mLastFoundIndex >= count - 1)
        mLastFoundIndex = -1;

    for (int32_t i = mLastFoundIndex + 1; i < count; ++i)
    {
        if (mDataValues[static_cast<size_t> (i)].mDataName == name)
            return mLastFoundIndex = i;
    }

    if (mLastFoundIndex < 0)
        return -1;

    for (int32_t i = 0; i <= mLastFoundIndex; ++i)
    {
        if (mDataValues[static_cast<size_t> (i)].mDataName == name)
            return mLastFoundIndex = i;
    }

    return -1;
}

int32_t AAX_CChunkDataParser::GetChunkDataSize() const
{
    int64_t size = sizeof (kMarker);

    for (const auto& value : mDataValues)
    {
        size += headerBytes (value) + countedValueBytes (value);

        if (size > std::numeric_limits<int32_t>::max())
            return -1;
    }

    return static_cast<int32_t> (size);
}

AAX_Result AAX_CChunkDataParser::GetChunkData (AAX_SPlugInChunk* chunk) const
{
    const int32_t size = GetChunkDataSize();

    if (chunk == nullptr || size < 4)
        return kChunkDataError;

    try
    {
        auto* data = reinterpret_cast<unsigned char*> (chunk->fData);
        std::memset (data, 0, static_cast<size_t> (size));
        std::memcpy (data, kMarker, sizeof (kMarker));

        int64_t offset = sizeof (kMarker);

        for (const auto& value : mDataValues)
        {
            const int64_t valueOffset = offset + headerBytes (value);
            const int64_t end = valueOffset + writtenValueBytes (value);

            // Exact: the whole entry, padding included, must lie inside the data area.
            if (end > size)
                throw std::out_of_range ("aborting: chunk data will overflow buffer");

            if (const char* tag = tagFor (value.mDataType))
                std::memcpy (data + offset, tag, 2);

            std::memcpy (data + offset + 2, value.mDataName.Get(), value.mDataName.Length() + 1u);

            unsigned char* out = data + valueOffset;

            switch (value.mDataType)
            {
                case eDataType_Double:
                {
                    uint64_t bits = 0;
                    std::memcpy (&bits, &value.mDoubleValue, sizeof (bits));
                    writeBigEndian (out, bits, 8);
                    break;
                }
                case eDataType_Int16:
                    writeBigEndian (out, static_cast<uint64_t> (value.mIntValue) & 0xFFFFu, 2);
                    break;
                case eDataType_String:
                    std::memcpy (out, value.mStringValue.Get(), value.mStringValue.Length() + 1u);
                    break;
                default:
                    writeBigEndian (out, static_cast<uint64_t> (value.mIntValue) & 0xFFFFFFFFu, 4);
                    break;
            }

            offset = end;
        }

        chunk->fSize = size;
        return AAX_SUCCESS;
    }
    catch (const std::exception& e)
    {
        AAX_Trace (AAX_eTracePriority_Critical, "AAX_CChunkDataParser::GetChunkData ERROR: %s", e.what());
    }
    catch (...)
    {
    }

    return kChunkDataError;
}

AAX_Result AAX_CChunkDataParser::Malformed (const char* reason, int64_t offset)
{
    AAX_Trace (AAX_eTracePriority_Critical, "AAX_CChunkDataParser::LoadChunk ERROR: %s at offset %lld",
               reason, static_cast<long long> (offset));
    return AAX_ERROR_MALFORMED_CHUNK;
}

AAX_Result AAX_CChunkDataParser::LoadChunk (const AAX_SPlugInChunk* chunk)
{
    Clear();

    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    mChunkVersion = chunk->fVersion;

    const int64_t size = chunk->fSize;
    const auto* data = reinterpret_cast<const unsigned char*> (chunk->fData);

    if (size < int64_t (sizeof (kMarker)))
        return Malformed ("data area shorter than its marker", 0);

    if (std::memcmp (data, kMarker, sizeof (kMarker)) != 0)
        return Malformed ("missing marker", 0);

    int64_t offset = sizeof (kMarker);

    while (offset < size)
    {
        const int64_t available = std::min (size - offset, kMaxTagAndNameBytes);
        const auto* zero = static_cast<const unsigned char*> (findZero (data + offset, available));

        if (zero == nullptr)
            return Malformed ("unterminated entry name", offset);

        const int64_t textLength = zero - (data + offset);

        if (textLength < 2)
            return Malformed ("entry name shorter than its tag", offset);

        DataValue entry;
        entry.mDataName = reinterpret_cast<const char*> (data + offset + 2);

        const unsigned char tag = data[offset];
        const int64_t valueOffset = roundUp4 (offset + textLength + 1);
        const int64_t remaining = size - valueOffset;
        const unsigned char* in = data + (valueOffset < size ? valueOffset : size);

        switch (tag)
        {
            case 'd':
            {
                if (remaining < 8)
                    return Malformed ("value past the end", offset);

                const uint64_t bits = readBigEndian (in, 8);
                entry.mDataType = eDataType_Double;
                std::memcpy (&entry.mDoubleValue, &bits, sizeof (bits));
                offset = valueOffset + 8;
                break;
            }
            case 'f':
            case 'l':
            {
                if (remaining < 4)
                    return Malformed ("value past the end", offset);

                const auto bits = static_cast<uint32_t> (readBigEndian (in, 4));
                entry.mDataType = tag == 'f' ? eDataType_Float : eDataType_Int32;
                entry.mIntValue = tag == 'f' ? int64_t (bits) : int64_t (static_cast<int32_t> (bits));
                offset = valueOffset + 4;
                break;
            }
            case 's':
            {
                if (remaining < 2)
                    return Malformed ("value past the end", offset);

                entry.mDataType = eDataType_Int16;
                entry.mIntValue = static_cast<int16_t> (static_cast<uint16_t> (readBigEndian (in, 2)));
                offset = valueOffset + 4;
                break;
            }
            case 'r':
            {
                const auto* end = static_cast<const unsigned char*> (findZero (in, remaining));

                if (end == nullptr)
                    return Malformed ("unterminated text value", offset);

                entry.mDataType = eDataType_String;
                entry.mStringValue = reinterpret_cast<const char*> (in);
                offset = roundUp4 (valueOffset + (end - in) + 1);
                break;
            }
            default:
                offset = valueOffset;
                break;
        }

        mDataValues.push_back (entry);
    }

    return AAX_SUCCESS;
}
