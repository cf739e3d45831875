#include "AAX_VDescriptionHost.h"
#include "AAX_HostObjects.h"
#include "AAX_VFeatureInfo.h"

AAX_VDescriptionHost::AAX_VDescriptionHost (IACFUnknown* inHostUnknown)
{
    mIACFDescriptionHost.Reset (static_cast<AAX_IACFDescriptionHost*> (AAX_QueryHostInterface (inHostUnknown, IID_IAAXDescriptionHostV1)));
    mIACFDefinition.Reset (static_cast<IACFDefinition*> (AAX_QueryHostInterface (inHostUnknown, IID_IACFDefinition)));
}

AAX_VDescriptionHost::~AAX_VDescriptionHost()
{
    mIACFDefinition.Reset();
    mIACFDescriptionHost.Reset();
}

const AAX_IFeatureInfo* AAX_VDescriptionHost::AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID) const
{
    if (! mIACFDescriptionHost)
        return nullptr;

    IACFUnknown* answer = nullptr;

    if (ACFFAILED (mIACFDescriptionHost->AcquireFeatureProperties (inFeatureID, &answer)) || answer == nullptr)
    {
        if (answer != nullptr)
            answer->Release();
        return nullptr;
    }

    // The wrapper takes a reference of its own.
    AAX_CHostReference<IACFUnknown> featureInfo;
    featureInfo.Reset (answer);
    return new AAX_VFeatureInfo (featureInfo.Get(), inFeatureID);
}
