#pragma once

#include "StandInBundle.h"
#include "StandInHost.h"

#include <memory>
#include <string>
#include <vector>

class IACFPluginDefinition;
class StandInCollection;
class StandInComponentDescriptor;
class StandInEffectDescriptor;
class StandInInstance;

// Message thread: every operation, from the thread that opened the session.
// The stand-in host with one bundle: loads it, starts it, registers it, makes effect
// instances of it, runs JUCE's message loop inside it and shuts it down again.
//
// JUCE's message thread is the thread that registers the plug-in; every non-audio call
// (instances, chunks, parameters, the GUI, Pump) has to come from that thread.
class StandInSession
{
public:
    struct Registration
    {
        acfUInt64 sdkVersion = 0;
        std::string effectID, manufacturer;
        std::vector<std::string> packageNames, names;
        uint32_t packageVersion = 0;
        std::vector<uint32_t> categories;
        size_t components = 0;
    };

    StandInSession();
    ~StandInSession();

    StandInSession (const StandInSession&) = delete;
    StandInSession& operator= (const StandInSession&) = delete;

    // Loads the bundle (a .aaxplugin folder or its binary), then ACFStartup,
    // ACFGetSDKVersion and ACFRegisterPlugin. False with Error() on any failure.
    bool Open (const std::string& bundlePath);
    const std::string& Error() const { return mError; }

    const Registration& Registered() const { return mRegistration; }
    StandInHost& Host() { return mHost; }
    StandInBundle& Bundle() { return mBundle; }
    StandInCollection* Collection() const { return mCollection; }
    StandInEffectDescriptor* Effect() const { return mEffect; }

    // The component whose main input and output both have this many channels.
    StandInComponentDescriptor* ComponentFor (int channels) const;

    // A new instance for mono (1) or stereo (2) processing at the sample rate; null
    // with a reason when the plug-in has no such component or refuses to start.
    std::unique_ptr<StandInInstance> CreateInstance (int channels, double sampleRate, std::string& error);

    // Calls the plug-in's factory of that procedure and queries the new object for the
    // interface, which then holds the host's only reference. Null with a reason (what
    // names the factory) when there is no factory, no object or no such interface.
    void* CreateObject (AAX_CProcPtrID procID, const acfIID& iid, const std::string& what, std::string& error);

    // Runs JUCE's message loop for a while (and at least once).
    void Pump (int milliseconds);

    // Releases the plug-in definition and shuts the bundle down; returns the count of
    // live plug-in objects that ACFCanUnloadNow reported first (0 when all is well).
    // Instances must be gone by then.
    ACFRESULT Close();
    bool IsOpen() const { return mStarted; }

private:
    StandInHost mHost;
    StandInBundle mBundle;
    std::string mError;
    Registration mRegistration;
    IACFPluginDefinition* mDefinition = nullptr;
    StandInCollection* mCollection = nullptr;
    StandInEffectDescriptor* mEffect = nullptr;
    bool mStarted = false;
};
