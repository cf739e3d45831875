#include "AAX_VTransport.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_Neutral.h"
#include "AAX_UIDs.h"

AAX_VTransport::AAX_VTransport (IACFUnknown* pUnknown)
{
    mIACFTransport.Reset (static_cast<AAX_IACFTransport*> (AAX_QueryHostInterface (pUnknown, IID_IAAXTransportV1)));
    mIACFTransportV2.Reset (static_cast<AAX_IACFTransport_V2*> (AAX_QueryHostInterface (pUnknown, IID_IAAXTransportV2)));
}

AAX_VTransport::~AAX_VTransport()
{
    mIACFTransportV2.Reset();
    mIACFTransport.Reset();
}

// Forwards to the version's interface; without it, neutral out-values and the code.
#define AAX_FORWARD(member, missing, call, ...) \
    if (! member)                               \
    {                                           \
        AAX_SetNeutral (__VA_ARGS__);           \
        return missing;                         \
    }                                           \
    return member->call

#define AAX_FORWARD_V1(call, ...) AAX_FORWARD (mIACFTransport, AAX_ERROR_NULL_OBJECT, call, __VA_ARGS__)
#define AAX_FORWARD_V2(call, ...) AAX_FORWARD (mIACFTransportV2, AAX_ERROR_UNIMPLEMENTED, call, __VA_ARGS__)

AAX_Result AAX_VTransport::GetCurrentTempo (double* outTempo) const
{
    AAX_FORWARD_V1 (GetCurrentTempo (outTempo), outTempo);
}

AAX_Result AAX_VTransport::GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const
{
    AAX_FORWARD_V1 (GetCurrentMeter (outNumerator, outDenominator), outNumerator, outDenominator);
}

AAX_Result AAX_VTransport::IsTransportPlaying (bool* outIsPlaying) const
{
    AAX_FORWARD_V1 (IsTransportPlaying (outIsPlaying), outIsPlaying);
}

AAX_Result AAX_VTransport::GetCurrentTickPosition (int64_t* outTickPosition) const
{
    AAX_FORWARD_V1 (GetCurrentTickPosition (outTickPosition), outTickPosition);
}

AAX_Result AAX_VTransport::GetCurrentLoopPosition (bool* outLooping, int64_t* outLoopStartTick, int64_t* outLoopEndTick) const
{
    AAX_FORWARD_V1 (GetCurrentLoopPosition (outLooping, outLoopStartTick, outLoopEndTick), outLooping, outLoopStartTick, outLoopEndTick);
}

AAX_Result AAX_VTransport::GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const
{
    AAX_FORWARD_V1 (GetCurrentNativeSampleLocation (outSampleLocation), outSampleLocation);
}

AAX_Result AAX_VTransport::GetCustomTickPosition (int64_t* outTickPosition, int64_t inSampleLocation) const
{
    AAX_FORWARD_V1 (GetCustomTickPosition (outTickPosition, inSampleLocation), outTickPosition);
}

AAX_Result AAX_VTransport::GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks, int64_t inSampleLocation) const
{
    AAX_FORWARD_V1 (GetBarBeatPosition (outBars, outBeats, outDisplayTicks, inSampleLocation), outBars, outBeats, outDisplayTicks);
}

AAX_Result AAX_VTransport::GetTicksPerQuarter (uint32_t* outTicks) const
{
    AAX_FORWARD_V1 (GetTicksPerQuarter (outTicks), outTicks);
}

AAX_Result AAX_VTransport::GetCurrentTicksPerBeat (uint32_t* outTicks) const
{
    AAX_FORWARD_V1 (GetCurrentTicksPerBeat (outTicks), outTicks);
}

AAX_Result AAX_VTransport::GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const
{
    AAX_FORWARD_V2 (GetTimelineSelectionStartPosition (outSampleLocation), outSampleLocation);
}

AAX_Result AAX_VTransport::GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const
{
    AAX_FORWARD_V2 (GetTimeCodeInfo (outFrameRate, outOffset), outFrameRate, outOffset);
}

AAX_Result AAX_VTransport::GetFeetFramesInfo (int32_t* outFeetFramesRate, int64_t* outOffset) const
{
    AAX_FORWARD_V2 (GetFeetFramesInfo (outFeetFramesRate, outOffset), outFeetFramesRate, outOffset);
}

AAX_Result AAX_VTransport::IsMetronomeEnabled (int32_t* outIsEnabled) const
{
    AAX_FORWARD_V2 (IsMetronomeEnabled (outIsEnabled), outIsEnabled);
}

#undef AAX_FORWARD_V2
#undef AAX_FORWARD_V1
#undef AAX_FORWARD
