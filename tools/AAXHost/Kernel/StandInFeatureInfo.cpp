#include "StandInFeatureInfo.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

StandInFeatureInfo::StandInFeatureInfo (StandInHost& host, AAX_ESupportLevel inLevel, bool inHasProperties, StandInPropertyMap::Contents inProperties)
    : StandInObject ("feature information"), mHost (host), mLevel (inLevel), mHasProperties (inHasProperties), mProperties (std::move (inProperties))
{
}

ACFRESULT StandInFeatureInfo::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXFeatureInfoV1;
    return Answer (mHost.Offers (iid), known ? static_cast<AAX_IACFFeatureInfo*> (this) : nullptr, ppOut);
}

acfUInt32 StandInFeatureInfo::AddRef() { return CountAddRef(); }
acfUInt32 StandInFeatureInfo::Release() { return CountRelease(); }

AAX_Result StandInFeatureInfo::SupportLevel (AAX_ESupportLevel* outSupportLevel) const
{
    if (outSupportLevel == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *outSupportLevel = mLevel;
    return AAX_SUCCESS;
}

AAX_Result StandInFeatureInfo::AcquireProperties (IACFUnknown** outProperties)
{
    NoteCall ("AcquireProperties");

    if (outProperties == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *outProperties = nullptr;

    if (! mHasProperties)
        return AAX_SUCCESS;

    auto& map = mHost.Make<StandInPropertyMap> (mHost, mProperties);
    void* answer = nullptr;
    const ACFRESULT result = map.QueryInterface (IID_IACFUnknown, &answer);
    *outProperties = static_cast<IACFUnknown*> (answer);
    return result;
}
