#include "StandInTransport.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

namespace
{
    // One out-value of a query and what it is given.
    template <typename T>
    struct Put
    {
        T* out;
        T value;
    };

    template <typename T>
    Put (T*, T) -> Put<T>;

    // A failed query writes nothing; a missing out-value fails it before anything is written.
    template <typename... T>
    AAX_Result answer (AAX_Result result, Put<T>... puts)
    {
        if (result != AAX_SUCCESS)
            return result;

        if ((... || ! puts.out))
            return AAX_ERROR_NULL_ARGUMENT;

        ((*puts.out = puts.value), ...);
        return AAX_SUCCESS;
    }
}

StandInTransport::StandInTransport (StandInHost& host)
    : StandInObject ("transport"), mHost (&host)
{
}

StandInTransport::StandInTransport()
    : StandInObject ("play head")
{
}

ACFRESULT StandInTransport::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXTransportV1 || iid == IID_IAAXTransportV2;
    const bool offered = mHost == nullptr || mHost->Offers (iid);
    return Answer (offered, known ? static_cast<AAX_IACFTransport_V2*> (this) : nullptr, ppOut);
}

acfUInt32 StandInTransport::AddRef() { return CountAddRef(); }
acfUInt32 StandInTransport::Release() { return CountRelease(); }

void StandInTransport::Record (const char* operation) const
{
    // Queries are const to the library; the record is the stand-in's own business.
    const_cast<StandInTransport*> (this)->NoteCall (operation);
    mCalls.push_back (operation);
}

AAX_Result StandInTransport::GetCurrentTempo (double* outTempo) const
{
    return answer (Ask ("GetCurrentTempo"), Put { outTempo, mState.tempo });
}

AAX_Result StandInTransport::GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const
{
    return answer (Ask ("GetCurrentMeter"), Put { outNumerator, mState.numerator }, Put { outDenominator, mState.denominator });
}

AAX_Result StandInTransport::IsTransportPlaying (bool* outIsPlaying) const
{
    return answer (Ask ("IsTransportPlaying"), Put { outIsPlaying, mState.playing });
}

AAX_Result StandInTransport::GetCurrentTickPosition (int64_t* outTickPosition) const
{
    return answer (Ask ("GetCurrentTickPosition"), Put { outTickPosition, mState.tickPosition });
}

AAX_Result StandInTransport::GetCurrentLoopPosition (bool* outLooping, int64_t* outLoopStartTick, int64_t* outLoopEndTick) const
{
    return answer (Ask ("GetCurrentLoopPosition"), Put { outLooping, mState.looping },
                   Put { outLoopStartTick, mState.loopStartTick }, Put { outLoopEndTick, mState.loopEndTick });
}

AAX_Result StandInTransport::GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const
{
    return answer (Ask ("GetCurrentNativeSampleLocation"), Put { outSampleLocation, mState.playingSamplePosition });
}

AAX_Result StandInTransport::GetCustomTickPosition (int64_t* outTickPosition, int64_t inSampleLocation) const
{
    return answer (Ask ("GetCustomTickPosition"), Put { outTickPosition, mState.tickPosition + inSampleLocation });
}

AAX_Result StandInTransport::GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks, int64_t) const
{
    return answer (Ask ("GetBarBeatPosition"), Put { outBars, mState.bars }, Put { outBeats, mState.beats },
                   Put { outDisplayTicks, mState.displayTicks });
}

AAX_Result StandInTransport::GetTicksPerQuarter (uint32_t* outTicks) const
{
    return answer (Ask ("GetTicksPerQuarter"), Put { outTicks, uint32_t (960000) });
}

AAX_Result StandInTransport::GetCurrentTicksPerBeat (uint32_t* outTicks) const
{
    return answer (Ask ("GetCurrentTicksPerBeat"), Put { outTicks, uint32_t (960000) });
}

AAX_Result StandInTransport::GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const
{
    return answer (Ask ("GetTimelineSelectionStartPosition"), Put { outSampleLocation, mState.stoppedSamplePosition });
}

AAX_Result StandInTransport::GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const
{
    return answer (Ask ("GetTimeCodeInfo"), Put { outFrameRate, mState.frameRate }, Put { outOffset, mState.timeCodeOffset });
}

AAX_Result StandInTransport::GetFeetFramesInfo (int32_t* outFeetFramesRate, int64_t* outOffset) const
{
    return answer (Ask ("GetFeetFramesInfo"), Put { outFeetFramesRate, int32_t (0) }, Put { outOffset, int64_t (0) });
}

AAX_Result StandInTransport::IsMetronomeEnabled (int32_t* outIsEnabled) const
{
    return answer (Ask ("IsMetronomeEnabled"), Put { outIsEnabled, int32_t (0) });
}
