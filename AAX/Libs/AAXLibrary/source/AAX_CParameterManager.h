#pragma once

#include "AAX.h"

#include <map>
#include <string>
#include <vector>

class AAX_IAutomationDelegate;
class AAX_IParameter;

// Owns the effect's parameters in host index order, with lookup by identifier.
class AAX_CParameterManager
{
public:
    AAX_CParameterManager();
    ~AAX_CParameterManager();

    AAX_CParameterManager (const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator= (const AAX_CParameterManager&) = delete;

    // Parameters added from now on receive this delegate; earlier ones keep theirs.
    void Initialize (AAX_IAutomationDelegate* iAutomationDelegate);

    int32_t NumParameters() const;

    // Takes ownership, unless the parameter is null or its identifier is already
    // present (or null): then the caller keeps it.
    void AddParameter (AAX_IParameter* param);
    void RemoveAllParameters();

    AAX_IParameter*       GetParameterByID (AAX_CParamID identifier);
    const AAX_IParameter* GetParameterByID (AAX_CParamID identifier) const;
    AAX_IParameter*       GetParameter (int32_t index);
    const AAX_IParameter* GetParameter (int32_t index) const;
    int32_t               GetParameterIndex (AAX_CParamID identifier) const;

private:
    AAX_IAutomationDelegate*               mAutomationDelegate = nullptr;
    std::vector<AAX_IParameter*>           mParameters;
    std::map<std::string, AAX_IParameter*> mParametersMap;
};
