#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

// The host's transport in its two versions. Positions in ticks count 960000 per
// quarter note.

class AAX_IACFTransport : public IACFUnknown
{
public:
    virtual AAX_Result GetCurrentTempo (double* outTempo) const = 0;                                                                             // 4th
    virtual AAX_Result GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const = 0;                                               // 5th
    virtual AAX_Result IsTransportPlaying (bool* outIsPlaying) const = 0;                                                                        // 6th
    virtual AAX_Result GetCurrentTickPosition (int64_t* outTickPosition) const = 0;                                                              // 7th
    virtual AAX_Result GetCurrentLoopPosition (bool* outLooping, int64_t* outLoopStartTick, int64_t* outLoopEndTick) const = 0;                  // 8th
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const = 0;                                                    // 9th
    virtual AAX_Result GetCustomTickPosition (int64_t* outTickPosition, int64_t inSampleLocation) const = 0;                                     // 10th
    virtual AAX_Result GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks, int64_t inSampleLocation) const = 0;   // 11th
    virtual AAX_Result GetTicksPerQuarter (uint32_t* outTicks) const = 0;                                                                        // 12th
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* outTicks) const = 0;                                                                    // 13th
};

class AAX_IACFTransport_V2 : public AAX_IACFTransport
{
public:
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const = 0;       // 14th
    virtual AAX_Result GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const = 0;   // 15th
    virtual AAX_Result GetFeetFramesInfo (int32_t* outFeetFramesRate, int64_t* outOffset) const = 0;   // 16th
    virtual AAX_Result IsMetronomeEnabled (int32_t* outIsEnabled) const = 0;                           // 17th
};
