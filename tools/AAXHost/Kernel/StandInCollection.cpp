#include "StandInCollection.h"
#include "StandInEffectDescriptor.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

StandInCollection::StandInCollection (StandInHost& host)
    : StandInObject ("collection"), mHost (host)
{
}

ACFRESULT StandInCollection::QueryInterface (const acfIID& iid, void** ppOut)
{
    void* answer = nullptr;

    if (iid == IID_IACFUnknown || iid == IID_IAAXCollectionV1)
        answer = static_cast<AAX_IACFCollection*> (this);
    else if (iid == IID_IACFPluginDefinition)
        answer = static_cast<IACFPluginDefinition*> (this);

    return Answer (mHost.Offers (iid), answer, ppOut);
}

acfUInt32 StandInCollection::AddRef() { return CountAddRef(); }
acfUInt32 StandInCollection::Release() { return CountRelease(); }

AAX_Result StandInCollection::Unimplemented (const char* operation)
{
    NoteCall (operation);
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result StandInCollection::ReservedOperation4() { return Unimplemented ("ReservedOperation4"); }
AAX_Result StandInCollection::ReservedOperation5() { return Unimplemented ("ReservedOperation5"); }
AAX_Result StandInCollection::ReservedOperation6() { return Unimplemented ("ReservedOperation6"); }
AAX_Result StandInCollection::ReservedOperation7() { return Unimplemented ("ReservedOperation7"); }

AAX_Result StandInCollection::AddEffect (const char* inEffectID, IACFUnknown* inEffectDescriptor)
{
    NoteCall ("AddEffect");
    auto* descriptor = dynamic_cast<StandInEffectDescriptor*> (inEffectDescriptor);

    if (descriptor == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    for (const auto& effect : mEffects)
        if (effect.id == Text (inEffectID))
            return AAX_ERROR_DUPLICATE_EFFECT_ID;

    mEffects.push_back ({ Text (inEffectID), descriptor });
    return AAX_SUCCESS;
}

AAX_Result StandInCollection::SetManufacturerName (const char* inName)
{
    NoteCall ("SetManufacturerName");
    mManufacturer = Text (inName);
    return AAX_SUCCESS;
}

AAX_Result StandInCollection::AddPackageName (const char* inName)
{
    return Keep ("AddPackageName", mPackageNames, Text (inName));
}

AAX_Result StandInCollection::SetPackageVersion (uint32_t inVersion)
{
    NoteCall ("SetPackageVersion");
    mPackageVersion = inVersion;
    return AAX_SUCCESS;
}

AAX_Result StandInCollection::SetProperties (IACFUnknown* inProperties)
{
    return Keep ("SetProperties", mPropertySets, StandInPropertyMap::ContentsOf (inProperties));
}
