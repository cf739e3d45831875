#pragma once

#include "AAX_IACFFeatureInfo.h"
#include "StandInObject.h"
#include "StandInPropertyMap.h"

class StandInHost;

// What the host supports of one feature, made by the description host on request.
class StandInFeatureInfo : public AAX_IACFFeatureInfo, public StandInObject
{
public:
    StandInFeatureInfo (StandInHost& host, AAX_ESupportLevel inLevel, bool inHasProperties, StandInPropertyMap::Contents inProperties);

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    AAX_Result SupportLevel (AAX_ESupportLevel* outSupportLevel) const override;
    AAX_Result AcquireProperties (IACFUnknown** outProperties) override;

private:
    StandInHost& mHost;
    AAX_ESupportLevel mLevel;
    bool mHasProperties;
    StandInPropertyMap::Contents mProperties;
};
