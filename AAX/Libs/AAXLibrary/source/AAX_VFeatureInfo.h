#pragma once

#include "AAX_CHostReference.h"
#include "AAX_IACFFeatureInfo.h"
#include "AAX_IFeatureInfo.h"

// Any thread: takes no lock and allocates; lives within one registration, never shared.
// Wraps the host's information about one feature.
class AAX_VFeatureInfo : public AAX_IFeatureInfo
{
public:
    AAX_VFeatureInfo (IACFUnknown* inFeatureInfoUnknown, const AAX_Feature_UID& inFeatureID);
    ~AAX_VFeatureInfo() override;

    AAX_VFeatureInfo (const AAX_VFeatureInfo&) = delete;
    AAX_VFeatureInfo& operator= (const AAX_VFeatureInfo&) = delete;

    AAX_Result SupportLevel (AAX_ESupportLevel& oSupportLevel) const override;
    const AAX_IPropertyMap* AcquireProperties() const override;
    const AAX_Feature_UID& ID() const override { return mFeatureID; }

private:
    AAX_Feature_UID mFeatureID;
    AAX_CHostReference<AAX_IACFFeatureInfo> mIACFFeatureInfo;
};
