#pragma once

#include "AAX.h"

#include <map>
#include <string>
#include <vector>

class AAX_IAutomationDelegate;
class AAX_IParameter;

// Every operation: any thread; takes no lock, so the table changes only while nothing reads it.
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

    // Any thread: allocates or frees, never while the table is read. Registers (or
    // unregisters) the parameter with the host's automation delegate synchronously.
    // Takes ownership, unless the parameter is null or its identifier is already
    // present (or null): then the caller keeps it.
    void AddParameter (AAX_IParameter* param);
    void RemoveAllParameters();

    // Any thread: takes no lock; the look-up copies the identifier into a std::string.
    AAX_IParameter* GetParameterByID (AAX_CParamID identifier);
    const AAX_IParameter* GetParameterByID (AAX_CParamID identifier) const;
    // Any thread: takes no lock, allocates nothing.
    AAX_IParameter* GetParameter (int32_t index);
    const AAX_IParameter* GetParameter (int32_t index) const;
    int32_t GetParameterIndex (AAX_CParamID identifier) const;

private:
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    std::vector<AAX_IParameter*> mParameters;
    std::map<std::string, AAX_IParameter*> mParametersMap;
};
