#pragma once

#include "AAX_CHostReference.h"
#include "AAX_IACFTransport.h"
#include "AAX_ITransport.h"

// Audio thread: never locks or allocates (every query; the effect's play head reads it there).
// Wraps the host's transport. Without the version an operation needs it answers -20004
// (first) or -20009 (second) and sets its out-values to 0 or false.
class AAX_VTransport : public AAX_ITransport
{
public:
    explicit AAX_VTransport (IACFUnknown* pUnknown);
    ~AAX_VTransport() override;

    AAX_VTransport (const AAX_VTransport&) = delete;
    AAX_VTransport& operator= (const AAX_VTransport&) = delete;

    AAX_Result GetCurrentTempo (double* outTempo) const override;
    AAX_Result GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const override;
    AAX_Result IsTransportPlaying (bool* outIsPlaying) const override;
    AAX_Result GetCurrentTickPosition (int64_t* outTickPosition) const override;
    AAX_Result GetCurrentLoopPosition (bool* outLooping, int64_t* outLoopStartTick, int64_t* outLoopEndTick) const override;
    AAX_Result GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const override;
    AAX_Result GetCustomTickPosition (int64_t* outTickPosition, int64_t inSampleLocation) const override;
    AAX_Result GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks, int64_t inSampleLocation) const override;
    AAX_Result GetTicksPerQuarter (uint32_t* outTicks) const override;
    AAX_Result GetCurrentTicksPerBeat (uint32_t* outTicks) const override;
    AAX_Result GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const override;
    AAX_Result GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const override;
    AAX_Result GetFeetFramesInfo (int32_t* outFeetFramesRate, int64_t* outOffset) const override;
    AAX_Result IsMetronomeEnabled (int32_t* outIsEnabled) const override;

private:
    AAX_CHostReference<AAX_IACFTransport> mIACFTransport;
    AAX_CHostReference<AAX_IACFTransport_V2> mIACFTransportV2;
};
