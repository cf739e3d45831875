// The bundle's exported entry functions. This file is included as source by the
// translation unit that builds the plug-in (JUCE's AAX wrapper), so it is not part of
// the library itself. No exception leaves an exported function.

#include "AAX.h"
#include "AAX_Errors.h"
#include "AAX_HostServices.h"
#include "AAX_Init.h"
#include "AAX_Version.h"
#include "CACFUnknown.h"
#include "IACFComponentDefinition.h"
#include "IACFPluginDefinition.h"

#if defined(_WIN32)
#define AAX_ACF_EXPORT extern "C" __declspec(dllexport)
#else
#define AAX_ACF_EXPORT extern "C" __attribute__ ((visibility ("default")))
#endif

// Any thread: takes no lock; allocates the description wrappers, which live for this call.
AAX_ACF_EXPORT ACFRESULT ACFRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition)
{
    try
    {
        return AAXRegisterPlugin (pUnkHost, ppPluginDefinition);
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

// Any thread: takes no lock, allocates nothing.
AAX_ACF_EXPORT ACFRESULT ACFRegisterComponent (IACFUnknown*, const acfCLSID&, IACFComponentDefinition** ppComponentDefinition)
{
    try
    {
        if (ppComponentDefinition != nullptr)
            *ppComponentDefinition = nullptr;

        return AAX_SUCCESS;
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

// Any thread: takes no lock, allocates nothing.
AAX_ACF_EXPORT ACFRESULT ACFGetClassFactory (IACFUnknown*, const acfCLSID&, const acfIID&, void** ppOut)
{
    try
    {
        if (ppOut != nullptr)
            *ppOut = nullptr;

        return AAX_ERROR_UNIMPLEMENTED;
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

// Any thread: reads the atomic count of live objects; takes no lock.
AAX_ACF_EXPORT ACFRESULT ACFCanUnloadNow()
{
    try
    {
        return static_cast<ACFRESULT> (CACFUnknown::GetActiveObjectCount());
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

// Any thread: makes the global host-services object without a lock, before any other call.
AAX_ACF_EXPORT ACFRESULT ACFStartup (IACFUnknown* pUnkHost)
{
    try
    {
        AAX_SetHostServices (pUnkHost);
        return AAX_SUCCESS;
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

// Any thread: deletes the global host-services object without a lock, after every other call.
AAX_ACF_EXPORT ACFRESULT ACFShutdown()
{
    try
    {
        AAX_SetHostServices (nullptr);
        return AAX_SUCCESS;
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

// Any thread: takes no lock, allocates nothing.
AAX_ACF_EXPORT ACFRESULT ACFGetSDKVersion (acfUInt64* oSDKVersion)
{
    try
    {
        if (oSDKVersion == nullptr)
            return ACF_E_POINTER;

        *oSDKVersion = (acfUInt64 (AAX_SDK_VERSION) << 32) | acfUInt64 (AAX_SDK_CURRENT_REVISION);
        return AAX_SUCCESS;
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}
