#include "StandInPlayHead.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

namespace
{
    template <typename T>
    AAX_Result put (T* out, T value)
    {
        if (out == nullptr)
            return AAX_ERROR_NULL_ARGUMENT;
        *out = value;
        return AAX_SUCCESS;
    }
}

ACFRESULT StandInPlayHead::QueryInterface (const acfIID& iid, void** ppOut)
{
    if (ppOut == nullptr)
        return ACF_E_POINTER;

    *ppOut = nullptr;

    if (! (iid == IID_IACFUnknown || iid == IID_IAAXTransportV1 || iid == IID_IAAXTransportV2))
        return ACF_E_NOINTERFACE;

    *ppOut = static_cast<AAX_IACFTransport_V2*> (this);
    AddRef();
    return ACF_OK;
}

acfUInt32 StandInPlayHead::AddRef()  { return static_cast<acfUInt32> (++mReferences); }
acfUInt32 StandInPlayHead::Release() { return static_cast<acfUInt32> (--mReferences); }

AAX_Result StandInPlayHead::GetCurrentTempo (double* outTempo) const { return put (outTempo, 120.0); }

AAX_Result StandInPlayHead::GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const
{
    const auto result = put (outNumerator, 4);
    return result == AAX_SUCCESS ? put (outDenominator, 4) : result;
}

AAX_Result StandInPlayHead::IsTransportPlaying (bool* outIsPlaying) const             { return put (outIsPlaying, false); }
AAX_Result StandInPlayHead::GetCurrentTickPosition (int64_t* outTickPosition) const    { return put (outTickPosition, int64_t (0)); }

AAX_Result StandInPlayHead::GetCurrentLoopPosition (bool* outLooping, int64_t* outLoopStartTick, int64_t* outLoopEndTick) const
{
    if (outLooping == nullptr || outLoopStartTick == nullptr || outLoopEndTick == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outLooping = false;
    *outLoopStartTick = *outLoopEndTick = 0;
    return AAX_SUCCESS;
}

AAX_Result StandInPlayHead::GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const   { return put (outSampleLocation, int64_t (0)); }
AAX_Result StandInPlayHead::GetCustomTickPosition (int64_t* outTickPosition, int64_t) const     { return put (outTickPosition, int64_t (0)); }

AAX_Result StandInPlayHead::GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks, int64_t) const
{
    if (outBars == nullptr || outBeats == nullptr || outDisplayTicks == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outBars = 1;
    *outBeats = 1;
    *outDisplayTicks = 0;
    return AAX_SUCCESS;
}

AAX_Result StandInPlayHead::GetTicksPerQuarter (uint32_t* outTicks) const                   { return put (outTicks, 960000u); }
AAX_Result StandInPlayHead::GetCurrentTicksPerBeat (uint32_t* outTicks) const               { return put (outTicks, 960000u); }
AAX_Result StandInPlayHead::GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const { return put (outSampleLocation, int64_t (0)); }

AAX_Result StandInPlayHead::GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const
{
    if (outFrameRate == nullptr || outOffset == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outFrameRate = static_cast<AAX_EFrameRate> (0);
    *outOffset = 0;
    return AAX_SUCCESS;
}

AAX_Result StandInPlayHead::GetFeetFramesInfo (int32_t* outFeetFramesRate, int64_t* outOffset) const
{
    if (outFeetFramesRate == nullptr || outOffset == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outFeetFramesRate = 0;
    *outOffset = 0;
    return AAX_SUCCESS;
}

AAX_Result StandInPlayHead::IsMetronomeEnabled (int32_t* outIsEnabled) const { return put (outIsEnabled, 0); }
