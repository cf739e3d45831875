#pragma once

#include "AAX_IACFCollection.h"
#include "IACFPluginDefinition.h"
#include "StandInObject.h"
#include "StandInPropertyMap.h"

#include <string>
#include <vector>

class StandInEffectDescriptor;
class StandInHost;

// The host's collection. Records the effects, the manufacturer, the package names and
// version and the properties; it is also the finished plug-in definition that
// registration asks for (unless the host refuses that interface).
class StandInCollection : public AAX_IACFCollection, public IACFPluginDefinition, public StandInObject
{
public:
    struct Effect
    {
        std::string id;
        StandInEffectDescriptor* descriptor;
    };

    explicit StandInCollection (StandInHost& host);

    IACFUnknown* Unknown() { return static_cast<AAX_IACFCollection*> (this); }

    const std::vector<Effect>& Effects() const { return mEffects; }
    const std::string& Manufacturer() const { return mManufacturer; }
    const std::vector<std::string>& PackageNames() const { return mPackageNames; }
    uint32_t PackageVersion() const { return mPackageVersion; }
    const std::vector<StandInPropertyMap::Contents>& PropertySets() const { return mPropertySets; }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    AAX_Result ReservedOperation4() override;
    AAX_Result ReservedOperation5() override;
    AAX_Result ReservedOperation6() override;
    AAX_Result ReservedOperation7() override;
    AAX_Result AddEffect (const char* inEffectID, IACFUnknown* inEffectDescriptor) override;
    AAX_Result SetManufacturerName (const char* inName) override;
    AAX_Result AddPackageName (const char* inName) override;
    AAX_Result SetPackageVersion (uint32_t inVersion) override;
    AAX_Result SetProperties (IACFUnknown* inProperties) override;

private:
    // A reserved operation: noted, and not implemented.
    AAX_Result Unimplemented (const char* operation);

    StandInHost& mHost;
    std::vector<Effect> mEffects;
    std::string mManufacturer;
    std::vector<std::string> mPackageNames;
    uint32_t mPackageVersion = 0;
    std::vector<StandInPropertyMap::Contents> mPropertySets;
};
