#include "StandInDescriptionHost.h"
#include "StandInFeatureInfo.h"
#include "StandInHost.h"
#include "StandInUID.h"

#include "AAX_Errors.h"

StandInDescriptionHost::StandInDescriptionHost (StandInHost& host)
    : StandInObject ("description host"), mHost (host)
{
}

void StandInDescriptionHost::SetFeature (const AAX_Feature_UID& inFeatureID, AAX_ESupportLevel inLevel)
{
    mFeatures[StandInUID::ToText (inFeatureID)] = { inLevel, false, {} };
}

void StandInDescriptionHost::SetFeature (const AAX_Feature_UID& inFeatureID, AAX_ESupportLevel inLevel, StandInPropertyMap::Contents inProperties)
{
    mFeatures[StandInUID::ToText (inFeatureID)] = { inLevel, true, std::move (inProperties) };
}

ACFRESULT StandInDescriptionHost::QueryInterface (const acfIID& iid, void** ppOut)
{
    void* answer = nullptr;

    if (iid == IID_IACFUnknown || iid == IID_IAAXDescriptionHostV1)
        answer = static_cast<AAX_IACFDescriptionHost*> (this);
    else if (iid == IID_IACFDefinition)
        answer = static_cast<IACFDefinition*> (this);

    return Answer (mHost.Offers (iid), answer, ppOut);
}

acfUInt32 StandInDescriptionHost::AddRef() { return CountAddRef(); }
acfUInt32 StandInDescriptionHost::Release() { return CountRelease(); }

AAX_Result StandInDescriptionHost::AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID, IACFUnknown** outFeatureInfo)
{
    NoteCall ("AcquireFeatureProperties");

    if (outFeatureInfo == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *outFeatureInfo = nullptr;
    const auto found = mFeatures.find (StandInUID::ToText (inFeatureID));

    if (found == mFeatures.end())
        return AAX_ERROR_UNKNOWN_ID;

    const Feature& feature = found->second;
    auto& info = mHost.Make<StandInFeatureInfo> (mHost, feature.level, feature.hasProperties, feature.properties);
    void* answer = nullptr;
    const ACFRESULT result = info.QueryInterface (IID_IACFUnknown, &answer);
    *outFeatureInfo = static_cast<IACFUnknown*> (answer);
    return result;
}
