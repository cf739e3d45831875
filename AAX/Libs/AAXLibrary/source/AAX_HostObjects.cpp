#include "AAX_HostObjects.h"
#include "AAX_CHostReference.h"
#include "AAX_UIDs.h"

namespace
{
    // A failed call may still have written an object; its reference must not be lost.
    void* answerOf (ACFRESULT result, void* answer)
    {
        if (ACFFAILED (result))
        {
            if (answer != nullptr)
                static_cast<IACFUnknown*> (answer)->Release();

            return nullptr;
        }

        return answer;
    }
}

IACFComponentFactory* AAX_AcquireComponentFactory (IACFUnknown* inHostUnknown)
{
    if (inHostUnknown == nullptr)
        return nullptr;

    void* factory = nullptr;

    if (ACFFAILED (inHostUnknown->QueryInterface (IID_IACFComponentFactory, &factory)))
    {
        answerOf (ACF_E_UNEXPECTED, factory);
        return nullptr;
    }

    if (factory == nullptr)
        throw ACF_E_POINTER;

    return static_cast<IACFComponentFactory*> (factory);
}

void* AAX_CreateHostComponent (IACFComponentFactory* inFactory, const acfCLSID& inClassID, const acfIID& inInterfaceID)
{
    if (inFactory == nullptr)
        return nullptr;

    void* created = nullptr;
    const ACFRESULT result = inFactory->CreateInstance (inClassID, nullptr, inInterfaceID, &created);
    return answerOf (result, created);
}

void* AAX_CreateHostComponent (IACFUnknown* inHostUnknown, const acfCLSID& inClassID, const acfIID& inInterfaceID)
{
    AAX_CHostReference<IACFComponentFactory> factory;
    factory.Reset (AAX_AcquireComponentFactory (inHostUnknown));
    return AAX_CreateHostComponent (factory.Get(), inClassID, inInterfaceID);
}

void* AAX_QueryHostInterface (IACFUnknown* inObject, const acfIID& inInterfaceID)
{
    if (inObject == nullptr)
        return nullptr;

    void* answer = nullptr;
    const ACFRESULT result = inObject->QueryInterface (inInterfaceID, &answer);
    return answerOf (result, answer);
}
