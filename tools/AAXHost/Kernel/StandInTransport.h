#pragma once

#include "AAX_IACFTransport.h"
#include "StandInObject.h"

#include <string>
#include <vector>

class StandInHost;

// The host's transport in both versions, answering from a state its owner sets: at
// first a stopped timeline at 120 beats per minute in 4/4 at position 0.
//
// The kernel's transport (made with its host) answers only for the interfaces the host
// offers and records every query for the tests. An effect instance's play head (made
// without a host) answers for both versions and keeps no record, so that reading it on
// the audio thread neither allocates nor locks.
class StandInTransport : public AAX_IACFTransport_V2, public StandInObject
{
public:
    struct State
    {
        double tempo = 120.0;
        int32_t numerator = 4, denominator = 4;
        bool playing = false;
        int64_t tickPosition = 0;
        bool looping = false;
        int64_t loopStartTick = 0, loopEndTick = 0;
        int64_t playingSamplePosition = 0;   // what the play position reports
        int64_t stoppedSamplePosition = 0;   // the selection start, read when stopped
        int32_t bars = 1, beats = 1;
        int64_t displayTicks = 0;
        AAX_EFrameRate frameRate = AAX_eFrameRate_Undeclared;
        int32_t timeCodeOffset = 0;
        AAX_Result result = 0;   // what every query returns
    };

    // The kernel's transport.
    explicit StandInTransport (StandInHost& host);
    // A play head.
    StandInTransport();

    State& Set() { return mState; }

    // Operations asked, in order (the kernel's transport only).
    const std::vector<std::string>& Calls() const { return mCalls; }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    // Audio thread: never locks or allocates (a play head; the kernel's transport records).
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
    // Gives the state's result; the kernel's transport notes and records the query first. A
    // play head is read about ten times a block on the audio thread: nothing but the answer.
    AAX_Result Ask (const char* operation) const
    {
        if (mHost != nullptr)
            Record (operation);

        return mState.result;
    }

    void Record (const char* operation) const;

    StandInHost* mHost = nullptr;
    State mState;
    mutable std::vector<std::string> mCalls;
};
