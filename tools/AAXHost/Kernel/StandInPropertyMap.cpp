#include "StandInPropertyMap.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

StandInPropertyMap::StandInPropertyMap (StandInHost& host, Contents contents)
    : StandInObject ("property map"), mHost (host), mContents (std::move (contents))
{
}

StandInPropertyMap::Contents StandInPropertyMap::ContentsOf (IACFUnknown* inProperties)
{
    if (const auto* map = dynamic_cast<const StandInPropertyMap*> (inProperties))
        return map->mContents;

    return {};
}

ACFRESULT StandInPropertyMap::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXPropertyMapV1 || iid == IID_IAAXPropertyMapV2 || iid == IID_IAAXPropertyMapV3;
    return Answer (mHost.Offers (iid), known ? static_cast<AAX_IACFPropertyMap_V3*> (this) : nullptr, ppOut);
}

acfUInt32 StandInPropertyMap::AddRef() { return CountAddRef(); }
acfUInt32 StandInPropertyMap::Release() { return CountRelease(); }

AAX_CBoolean StandInPropertyMap::GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const
{
    const auto found = mContents.values.find (inProperty);

    if (found == mContents.values.end())
        return 0;

    if (outValue != nullptr)
        *outValue = found->second;

    return 1;
}

AAX_Result StandInPropertyMap::AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue)
{
    NoteCall ("AddProperty");
    mContents.values[inProperty] = inValue;
    return AAX_SUCCESS;
}

AAX_Result StandInPropertyMap::RemoveProperty (AAX_EProperty inProperty)
{
    NoteCall ("RemoveProperty");
    return mContents.values.erase (inProperty) != 0 ? AAX_SUCCESS : AAX_ERROR_PROPERTY_UNDEFINED;
}

AAX_Result StandInPropertyMap::AddPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad* inPluginIDs, uint32_t inNumPluginIDs)
{
    NoteCall ("AddPropertyWithIDArray");

    if (inPluginIDs == nullptr && inNumPluginIDs != 0)
        return AAX_ERROR_NULL_ARGUMENT;

    mContents.idArrays[inProperty].assign (inPluginIDs, inPluginIDs + inNumPluginIDs);
    return AAX_SUCCESS;
}

AAX_CBoolean StandInPropertyMap::GetPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad** outPluginIDs, uint32_t* outNumPluginIDs) const
{
    const auto found = mContents.idArrays.find (inProperty);

    if (found == mContents.idArrays.end() || outPluginIDs == nullptr || outNumPluginIDs == nullptr)
        return 0;

    *outPluginIDs = found->second.data();
    *outNumPluginIDs = static_cast<uint32_t> (found->second.size());
    return 1;
}

AAX_CBoolean StandInPropertyMap::GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const
{
    const auto found = mContents.pointers.find (inProperty);

    if (found == mContents.pointers.end() || outValue == nullptr)
        return 0;

    *outValue = found->second;
    return 1;
}

AAX_Result StandInPropertyMap::AddPointerProperty (AAX_EProperty inProperty, const void* inValue)
{
    NoteCall ("AddPointerProperty");
    mContents.pointers[inProperty] = inValue;

    // A host copies the texts it is given; the caller's may be gone after the call.
    if (inProperty >= AAX_eProperty_TIDLLFileName && inProperty <= AAX_eProperty_TIBackgroundProc && inValue != nullptr)
        mContents.texts[inProperty] = static_cast<const char*> (inValue);

    return AAX_SUCCESS;
}
