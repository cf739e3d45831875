#include "StandInComponentFactory.h"
#include "StandInCollection.h"
#include "StandInComponentDescriptor.h"
#include "StandInEffectDescriptor.h"
#include "StandInHost.h"
#include "StandInHostServices.h"
#include "StandInPageTable.h"
#include "StandInPropertyMap.h"
#include "StandInUID.h"

#include "AAX_UIDs.h"

StandInComponentFactory::StandInComponentFactory (StandInHost& host)
    : StandInObject ("component factory"), mHost (host)
{
}

ACFRESULT StandInComponentFactory::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IACFComponentFactory;
    return Answer (mHost.Offers (iid), known ? static_cast<IACFComponentFactory*> (this) : nullptr, ppOut);
}

acfUInt32 StandInComponentFactory::AddRef() { return CountAddRef(); }
acfUInt32 StandInComponentFactory::Release() { return CountRelease(); }

ACFRESULT StandInComponentFactory::CreateInstance (const acfCLSID& clsid, IACFUnknown* pUnkOuter, const acfIID& iid, void** ppOut)
{
    NoteCall ("CreateInstance");
    mCreations.push_back (StandInUID::ToText (clsid) + " " + StandInUID::ToText (iid));

    if (ppOut == nullptr)
        return ACF_E_POINTER;

    *ppOut = nullptr;

    if (pUnkOuter != nullptr)
        return ACF_E_NOINTERFACE;   // no stand-in component supports aggregation

    if (clsid == CLSID_AAXHostServices)
        return mHost.Services().QueryInterface (iid, ppOut);

    if (clsid == CLSID_AAXCollection)
        return mHost.Make<StandInCollection> (mHost).QueryInterface (iid, ppOut);

    if (clsid == CLSID_AAXEffectDescriptor)
        return mHost.Make<StandInEffectDescriptor> (mHost).QueryInterface (iid, ppOut);

    if (clsid == CLSID_AAXComponentDescriptor)
        return mHost.Make<StandInComponentDescriptor> (mHost).QueryInterface (iid, ppOut);

    if (clsid == CLSID_AAXPropertyMap)
        return mHost.Make<StandInPropertyMap> (mHost).QueryInterface (iid, ppOut);

    if (clsid == CLSID_AAXPageTable)
        return mHost.Make<StandInPageTable> (mHost).QueryInterface (iid, ppOut);

    return ACF_E_NOINTERFACE;
}
