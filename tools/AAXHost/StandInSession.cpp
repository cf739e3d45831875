#include "StandInSession.h"
#include "StandInCollection.h"
#include "StandInComponentDescriptor.h"
#include "StandInEffectDescriptor.h"
#include "StandInHostServices.h"
#include "StandInInstance.h"
#include "StandInX11Display.h"

#include "AAX_Enums.h"
#include "IACFPluginDefinition.h"

#include <chrono>

namespace
{
    std::string code (ACFRESULT result) { return std::to_string (result); }
}

StandInSession::StandInSession() = default;

StandInSession::~StandInSession()
{
    Close();
}

bool StandInSession::Open (const std::string& bundlePath)
{
    mError.clear();

    if (! mBundle.Load (bundlePath))
    {
        mError = mBundle.Error();
        return false;
    }

    // The display must be prepared before the plug-in first starts JUCE.
    StandInX11Display::Shared().Open();

    if (const auto result = mBundle.Startup (mHost.HostUnknown()); result != 0)
    {
        mError = "ACFStartup failed with " + code (result);
        mBundle.Unload();
        return false;
    }

    mStarted = true;

    if (const auto result = mBundle.GetSDKVersion (&mRegistration.sdkVersion); result != 0)
    {
        mError = "ACFGetSDKVersion failed with " + code (result);
        Close();
        return false;
    }

    const auto result = mBundle.RegisterPlugin (mHost.HostUnknown(), &mDefinition);
    const auto collections = mHost.Made<StandInCollection>();
    mCollection = collections.empty() ? nullptr : collections.back();

    if (result != 0 || mDefinition == nullptr || mCollection == nullptr || mCollection->Effects().empty())
    {
        mError = "the bundle failed to register (ACFRegisterPlugin gave " + code (result) + ")";

        for (const auto& trace : mHost.Services().Traces())
            mError += "\n  trace: " + trace.text;

        Close();
        return false;
    }

    const auto& effect = mCollection->Effects().front();
    mEffect = effect.descriptor;
    mRegistration.effectID = effect.id;
    mRegistration.manufacturer = mCollection->Manufacturer();
    mRegistration.packageNames = mCollection->PackageNames();
    mRegistration.packageVersion = mCollection->PackageVersion();

    if (mEffect != nullptr)
    {
        mRegistration.names = mEffect->Names();
        mRegistration.categories = mEffect->Categories();
        mRegistration.components = mEffect->Components().size();
    }

    return true;
}

StandInComponentDescriptor* StandInSession::ComponentFor (int channels) const
{
    if (mEffect == nullptr)
        return nullptr;

    const auto wanted = channels == 1 ? AAX_eStemFormat_Mono : channels == 2 ? AAX_eStemFormat_Stereo
                                                                             : AAX_eStemFormat_None;

    for (auto* component : mEffect->Components())
    {
        if (component == nullptr || component->ProcessProcs().empty())
            continue;

        const auto& values = component->ProcessProcs().front().properties.values;
        const auto in = values.find (AAX_eProperty_InputStemFormat);
        const auto out = values.find (AAX_eProperty_OutputStemFormat);

        if (in != values.end() && out != values.end() && in->second == wanted && out->second == wanted)
            return component;
    }

    return nullptr;
}

std::unique_ptr<StandInInstance> StandInSession::CreateInstance (int channels, double sampleRate, std::string& error)
{
    auto* component = ComponentFor (channels);

    if (component == nullptr)
    {
        error = "the plug-in has no component for " + std::to_string (channels) + " channel(s) in and out";
        return nullptr;
    }

    auto instance = std::make_unique<StandInInstance> (*this, *component, channels, sampleRate);

    if (! instance->Create (error))
        return nullptr;

    return instance;
}

void* StandInSession::CreateObject (AAX_CProcPtrID procID, const acfIID& iid, const std::string& what, std::string& error)
{
    void* createProc = nullptr;

    if (mEffect != nullptr)
        for (const auto& proc : mEffect->ProcPtrs())
            if (proc.id == procID)
                createProc = proc.proc;

    if (createProc == nullptr)
    {
        error = "the plug-in registered no " + what + " factory";
        return nullptr;
    }

    // The factory gives the new object with no reference; the query takes the host's one.
    auto* unknown = reinterpret_cast<IACFUnknown* (*) ()> (createProc)();

    if (unknown == nullptr)
    {
        error = "the " + what + " factory made no object";
        return nullptr;
    }

    void* object = nullptr;

    if (unknown->QueryInterface (iid, &object) != ACF_OK || object == nullptr)
    {
        // One reference up and down again destroys the unwanted object.
        unknown->AddRef();
        unknown->Release();
        error = "the " + what + " object does not answer its interface";
        return nullptr;
    }

    return object;
}

void StandInSession::Pump (int milliseconds)
{
    if (mStarted)
        mBundle.DispatchMessages (milliseconds);
}

ACFRESULT StandInSession::Close()
{
    if (! mStarted)
        return 0;

    if (mDefinition != nullptr)
        mDefinition->Release();

    mDefinition = nullptr;

    // Messages the plug-in left behind (pending async updates) go before the count.
    Pump (0);

    const auto live = mBundle.CanUnloadNow();
    mBundle.Shutdown();
    mStarted = false;

    // A bundle with live objects stays loaded: unmapping its code under them would crash.
    if (live == 0)
        mBundle.Unload();

    return live;
}
