#pragma once

#include "AAX_IACFDescriptionHost.h"
#include "IACFDefinition.h"
#include "StandInObject.h"
#include "StandInPropertyMap.h"

#include <map>
#include <string>

class StandInHost;

// The description host of newer hosts, which is also the host definition. Answers
// feature questions from a table the test fills.
class StandInDescriptionHost : public AAX_IACFDescriptionHost, public IACFDefinition, public StandInObject
{
public:
    explicit StandInDescriptionHost (StandInHost& host);

    // Declares a feature; with properties, AcquireProperties answers a map holding them.
    void SetFeature (const AAX_Feature_UID& inFeatureID, AAX_ESupportLevel inLevel);
    void SetFeature (const AAX_Feature_UID& inFeatureID, AAX_ESupportLevel inLevel, StandInPropertyMap::Contents inProperties);

    IACFUnknown* DefinitionUnknown() { return static_cast<IACFDefinition*> (this); }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    AAX_Result AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID, IACFUnknown** outFeatureInfo) override;

private:
    struct Feature
    {
        AAX_ESupportLevel level;
        bool hasProperties;
        StandInPropertyMap::Contents properties;
    };

    StandInHost& mHost;
    std::map<std::string, Feature> mFeatures;
};
