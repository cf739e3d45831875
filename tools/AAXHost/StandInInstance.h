#pragma once

#include "AAX_IACFEffectParameters.h"
#include "StandInEffectLink.h"
#include "StandInProcess.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class StandInAutomationDelegate;
class StandInComponentDescriptor;
class StandInGui;
class StandInSession;

// Every operation: message thread (the session's), but for ProcessBlock.
// One effect instance in the stand-in host: the effect-parameters object made through
// the registered factory, initialised with the host's controller, its automation
// delegate echoing value requests back into the effect, its process context, and its
// GUI while one is open.
class StandInInstance
{
public:
    StandInInstance (StandInSession& session, StandInComponentDescriptor& component, int channels, double sampleRate);
    ~StandInInstance();

    StandInInstance (const StandInInstance&) = delete;
    StandInInstance& operator= (const StandInInstance&) = delete;

    // Creates and initialises the effect and builds its process context.
    bool Create (std::string& error);

    AAX_IACFEffectParameters_V4& Effect() { return *mEffect; }
    StandInAutomationDelegate& Automation() { return *mAutomation; }
    StandInProcess& Process() { return mProcess; }
    StandInEffectLink& Link() { return mLink; }
    StandInSession& Session() { return mSession; }
    int Channels() const { return mChannels; }
    double SampleRate() const { return mSampleRate; }

    // Parameters, by identifier.
    std::vector<std::string> ParameterIDs() const;
    std::string ParameterName (const std::string& id) const;
    double Value (const std::string& id) const;
    std::string ValueText (const std::string& id) const;
    // The plug-in's text of any normalised value, and its count of steps (0 when it does not say).
    std::string TextOfValue (const std::string& id, double normalised) const;
    int32_t NumSteps (const std::string& id) const;
    // As the host's automation would: touch, set, release; the value comes back through
    // the delegate. False when the plug-in refuses.
    bool SetValue (const std::string& id, double normalised);
    // The normalised value of a text, as the plug-in reads it; false when it cannot.
    bool ValueFromText (const std::string& id, const std::string& text, double& normalised) const;
    // The identifier of the parameter with this name, or empty.
    std::string FindParameter (const std::string& name) const;

    // A chunk as a whole host record (header and data); empty with the result on failure.
    std::vector<uint8_t> GetChunk (AAX_CTypeID chunkID, AAX_Result& result) const;
    AAX_Result SetChunk (const std::vector<uint8_t>& record);
    AAX_Result CompareChunk (const std::vector<uint8_t>& record, bool& equal) const;

    // Asks for coefficients and hands the packets posted in return to the process context.
    AAX_Result GenerateCoefficients();
    // The latency the plug-in last reported to the controller.
    int32_t Latency() const;

    // Bypass through the master bypass parameter, delivered as a packet.
    bool SetBypass (bool bypassed);

    // Audio thread: never locks or allocates (see StandInProcess).
    // One block.
    void ProcessBlock (const float* const* inputs, float* const* outputs, int32_t numSamples);

    // Destroys the GUI (when open), uninitialises and releases the effect.
    void Destroy();

private:
    friend class StandInGui;

    StandInSession& mSession;
    StandInComponentDescriptor& mComponent;
    int mChannels;
    double mSampleRate;
    StandInEffectLink mLink;
    StandInAutomationDelegate* mAutomation = nullptr;
    AAX_IACFEffectParameters_V4* mEffect = nullptr;
    StandInProcess mProcess;
    bool mInitialised = false;
};
