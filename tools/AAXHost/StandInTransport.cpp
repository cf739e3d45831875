#include "StandInTransport.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

StandInTransport::StandInTransport (StandInHost& host)
    : StandInObject ("transport"), mHost (host)
{
}

ACFRESULT StandInTransport::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXTransportV1 || iid == IID_IAAXTransportV2;
    return Answer (mHost.Offers (iid), known ? static_cast<AAX_IACFTransport_V2*> (this) : nullptr, ppOut);
}

acfUInt32 StandInTransport::AddRef()  { return CountAddRef(); }
acfUInt32 StandInTransport::Release() { return CountRelease(); }

template <typename T>
AAX_Result StandInTransport::Report (const char* operation, T* out, T value) const
{
    const_cast<StandInTransport*> (this)->NoteCall (operation);
    mCalls.push_back (operation);

    if (mState.result == 0 && out != nullptr)
        *out = value;

    return mState.result;
}

AAX_Result StandInTransport::GetCurrentTempo (double* outTempo) const                { return Report ("GetCurrentTempo", outTempo, mState.tempo); }
AAX_Result StandInTransport::IsTransportPlaying (bool* outIsPlaying) const           { return Report ("IsTransportPlaying", outIsPlaying, mState.playing); }
AAX_Result StandInTransport::GetCurrentTickPosition (int64_t* outTickPosition) const { return Report ("GetCurrentTickPosition", outTickPosition, mState.tickPosition); }

AAX_Result StandInTransport::GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const
{
    const AAX_Result result = Report ("GetCurrentMeter", outNumerator, mState.numerator);

    if (result == 0 && outDenominator != nullptr)
        *outDenominator = mState.denominator;

    return result;
}

AAX_Result StandInTransport::GetCurrentLoopPosition (bool* outLooping, int64_t* outLoopStartTick, int64_t* outLoopEndTick) const
{
    const AAX_Result result = Report ("GetCurrentLoopPosition", outLooping, mState.looping);

    if (result == 0 && outLoopStartTick != nullptr && outLoopEndTick != nullptr)
    {
        *outLoopStartTick = mState.loopStartTick;
        *outLoopEndTick = mState.loopEndTick;
    }

    return result;
}

AAX_Result StandInTransport::GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const
{
    return Report ("GetCurrentNativeSampleLocation", outSampleLocation, mState.playingSamplePosition);
}

AAX_Result StandInTransport::GetCustomTickPosition (int64_t* outTickPosition, int64_t inSampleLocation) const
{
    return Report ("GetCustomTickPosition", outTickPosition, mState.tickPosition + inSampleLocation);
}

AAX_Result StandInTransport::GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks, int64_t) const
{
    const AAX_Result result = Report ("GetBarBeatPosition", outBars, mState.bars);

    if (result == 0 && outBeats != nullptr && outDisplayTicks != nullptr)
    {
        *outBeats = mState.beats;
        *outDisplayTicks = mState.displayTicks;
    }

    return result;
}

AAX_Result StandInTransport::GetTicksPerQuarter (uint32_t* outTicks) const     { return Report ("GetTicksPerQuarter", outTicks, 960000u); }
AAX_Result StandInTransport::GetCurrentTicksPerBeat (uint32_t* outTicks) const { return Report ("GetCurrentTicksPerBeat", outTicks, 960000u); }

AAX_Result StandInTransport::GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const
{
    return Report ("GetTimelineSelectionStartPosition", outSampleLocation, mState.stoppedSamplePosition);
}

AAX_Result StandInTransport::GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const
{
    const AAX_Result result = Report ("GetTimeCodeInfo", outFrameRate, mState.frameRate);

    if (result == 0 && outOffset != nullptr)
        *outOffset = mState.timeCodeOffset;

    return result;
}

AAX_Result StandInTransport::GetFeetFramesInfo (int32_t* outFeetFramesRate, int64_t* outOffset) const
{
    const AAX_Result result = Report ("GetFeetFramesInfo", outFeetFramesRate, int32_t (0));

    if (result == 0 && outOffset != nullptr)
        *outOffset = 0;

    return result;
}

AAX_Result StandInTransport::IsMetronomeEnabled (int32_t* outIsEnabled) const { return Report ("IsMetronomeEnabled", outIsEnabled, int32_t (0)); }
