#include "AAX_CParameterManager.h"
#include "AAX_IParameter.h"

#include <cstring>

AAX_CParameterManager::AAX_CParameterManager() = default;

AAX_CParameterManager::~AAX_CParameterManager()
{
    RemoveAllParameters();
}

void AAX_CParameterManager::Initialize (AAX_IAutomationDelegate* iAutomationDelegate)
{
    mAutomationDelegate = iAutomationDelegate;
}

int32_t AAX_CParameterManager::NumParameters() const
{
    return static_cast<int32_t> (mParameters.size());
}

void AAX_CParameterManager::AddParameter (AAX_IParameter* param)
{
    if (param == nullptr || param->Identifier() == nullptr)
        return;

    const std::string identifier (param->Identifier());

    if (mParametersMap.count (identifier) != 0)
        return;

    param->SetAutomationDelegate (mAutomationDelegate);
    mParameters.push_back (param);
    mParametersMap.emplace (identifier, param);
}

void AAX_CParameterManager::RemoveAllParameters()
{
    std::vector<AAX_IParameter*> parameters;
    parameters.swap (mParameters);
    mParametersMap.clear();

    for (auto* parameter : parameters)
        delete parameter;
}

AAX_IParameter* AAX_CParameterManager::GetParameterByID (AAX_CParamID identifier)
{
    return const_cast<AAX_IParameter*> (static_cast<const AAX_CParameterManager&> (*this).GetParameterByID (identifier));
}

const AAX_IParameter* AAX_CParameterManager::GetParameterByID (AAX_CParamID identifier) const
{
    if (identifier == nullptr)
        return nullptr;

    const auto found = mParametersMap.find (identifier);
    return found != mParametersMap.end() ? found->second : nullptr;
}

AAX_IParameter* AAX_CParameterManager::GetParameter (int32_t index)
{
    return const_cast<AAX_IParameter*> (static_cast<const AAX_CParameterManager&> (*this).GetParameter (index));
}

const AAX_IParameter* AAX_CParameterManager::GetParameter (int32_t index) const
{
    if (index < 0 || index >= NumParameters())
        return nullptr;

    return mParameters[static_cast<size_t> (index)];
}

int32_t AAX_CParameterManager::GetParameterIndex (AAX_CParamID identifier) const
{
    if (identifier == nullptr)
        return -1;

    for (size_t i = 0; i < mParameters.size(); ++i)
    {
        const char* candidate = mParameters[i]->Identifier();

        if (candidate != nullptr && std::strcmp (candidate, identifier) == 0)
            return static_cast<int32_t> (i);
    }

    return -1;
}
