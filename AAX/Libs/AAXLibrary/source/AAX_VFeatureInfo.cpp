#include "AAX_VFeatureInfo.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_VPropertyMap.h"

AAX_VFeatureInfo::AAX_VFeatureInfo (IACFUnknown* inFeatureInfoUnknown, const AAX_Feature_UID& inFeatureID)
    : mFeatureID (inFeatureID)
{
    mIACFFeatureInfo.Reset (static_cast<AAX_IACFFeatureInfo*> (AAX_QueryHostInterface (inFeatureInfoUnknown, IID_IAAXFeatureInfoV1)));
}

AAX_VFeatureInfo::~AAX_VFeatureInfo() = default;

AAX_Result AAX_VFeatureInfo::SupportLevel (AAX_ESupportLevel& oSupportLevel) const
{
    return mIACFFeatureInfo ? mIACFFeatureInfo->SupportLevel (&oSupportLevel) : AAX_ERROR_NULL_OBJECT;
}

const AAX_IPropertyMap* AAX_VFeatureInfo::AcquireProperties() const
{
    if (! mIACFFeatureInfo)
        return nullptr;

    IACFUnknown* answer = nullptr;

    if (ACFFAILED (mIACFFeatureInfo->AcquireProperties (&answer)) || answer == nullptr)
    {
        if (answer != nullptr)
            answer->Release();
        return nullptr;
    }

    // The wrapper takes references of its own.
    AAX_CHostReference<IACFUnknown> properties;
    properties.Reset (answer);
    return AAX_VPropertyMap::Acquire (properties.Get());
}
