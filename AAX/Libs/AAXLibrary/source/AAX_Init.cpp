#include "AAX_Init.h"
#include "AAX_Assert.h"
#include "AAX_CheckedResult.h"
#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "AAX_VCollection.h"
#include "IACFPluginDefinition.h"

#include <exception>
#include <memory>

namespace
{
    const char* const kCaught = "AAXRegisterPlugin exception caught: %s";
}

AAX_Result AAXRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition)
{
    // Nothing is left in the out-pointer on a failed registration.
    if (ppPluginDefinition != nullptr)
        *ppPluginDefinition = nullptr;

    try
    {
        const auto collection = std::make_unique<AAX_VCollection> (pUnkHost);

        AAX_CheckedResult result = GetEffectDescriptions (collection.get());

        if (ppPluginDefinition != nullptr)
            *ppPluginDefinition = nullptr;

        // A host that could not make its collection has no definition to give.
        AAX_IACFCollection* const hostCollection = collection->GetIUnknown();
        void* definition = nullptr;
        const ACFRESULT query = hostCollection != nullptr
            ? hostCollection->QueryInterface (IID_IACFPluginDefinition, &definition)
            : AAX_ERROR_NULL_OBJECT;

        if (ACFFAILED (query) || definition == nullptr)
        {
            if (definition != nullptr)
                static_cast<IACFUnknown*> (definition)->Release();

            result = AAX_ERROR_NULL_OBJECT;
        }

        if (ppPluginDefinition != nullptr)
            *ppPluginDefinition = static_cast<IACFPluginDefinition*> (definition);
        else if (definition != nullptr)
            static_cast<IACFUnknown*> (definition)->Release();

        return AAX_SUCCESS;
    }
    catch (const AAX::Exception::ResultError& e)
    {
        AAX_Trace (AAX_eTracePriority_Critical, kCaught, e.What().c_str());
        return e.Result();
    }
    catch (const AAX::Exception::Any& e)
    {
        AAX_Trace (AAX_eTracePriority_Critical, kCaught, e.What().c_str());
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
    catch (const std::exception& e)
    {
        AAX_Trace (AAX_eTracePriority_Critical, kCaught, e.what());
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
    catch (...)
    {
        AAX_Trace (AAX_eTracePriority_Critical, kCaught, "unknown");
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
}
