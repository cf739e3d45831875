#pragma once

#include "AAX.h"
#include "AAX_CString.h"

#include <cstdint>
#include <vector>

// Any thread: takes no lock of its own; AAX_CEffectParameters shares one under its chunk lock.
// An ordered list of named, typed values and its byte form in a chunk's data area:
// the marker 01 01 01 01, then one entry per value, each starting at a multiple of 4:
// a two-character tag, the name and a zero byte, zero padding, the big-endian value.
class AAX_CChunkDataParser
{
public:
    enum EDataType : int32_t
    {
        eDataType_None = 0,     // only from an unrecognised tag
        eDataType_Float = 1,    // "f_"
        eDataType_Int32 = 2,    // "l_"
        eDataType_Double = 3,   // "d_"
        eDataType_Int16 = 4,    // "s_"
        eDataType_String = 5    // "r_"
    };

    struct DataValue
    {
        int32_t mDataType = eDataType_None;
        AAX_CString mDataName;
        union
        {
            double mDoubleValue;
            int64_t mIntValue = 0;   // integers as stored; a float as its bit pattern
        };
        AAX_CString mStringValue;
    };

    // What GetChunkData returns on any failure.
    static constexpr AAX_Result kChunkDataError = -333;

    AAX_CChunkDataParser();
    virtual ~AAX_CChunkDataParser();

    void Clear();

    void AddDouble (const char* name, double value);
    void AddInt32 (const char* name, int32_t value);
    void AddString (const char* name, const AAX_CString& value);

    bool FindDouble (const char* name, double* value);
    bool FindInt32 (const char* name, int32_t* value);
    bool FindString (const char* name, AAX_IString* value);

    // Resumes after the last hit and wraps round, so reading values in the order they
    // were written costs one comparison each.
    int32_t FindName (const AAX_CString& name);

    // Bytes of the data area; -1 when it would not fit a 32-bit size.
    int32_t GetChunkDataSize() const;

    // Writes the data area and the record's size; the record must hold
    // GetChunkDataSize() bytes of data.
    AAX_Result GetChunkData (AAX_SPlugInChunk* chunk) const;

    // Replaces the list with the chunk's values and takes its version. Reads never go
    // past the record's size: at the first unreadable entry loading stops, the values
    // read so far stay, and AAX_ERROR_MALFORMED_CHUNK is returned.
    AAX_Result LoadChunk (const AAX_SPlugInChunk* chunk);

    int32_t GetChunkVersion() const { return mChunkVersion; }
    int32_t GetLastFoundIndex() const { return mLastFoundIndex; }
    const std::vector<DataValue>& GetValues() const { return mDataValues; }

private:
    AAX_Result Malformed (const char* reason, int64_t offset);

    int32_t mLastFoundIndex = -1;
    int32_t mChunkVersion = -1;
    std::vector<DataValue> mDataValues;
};
