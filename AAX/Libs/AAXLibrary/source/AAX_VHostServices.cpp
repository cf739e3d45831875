#include "AAX_VHostServices.h"
#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "IACFComponentFactory.h"

namespace
{
    template <typename Interface>
    void release (Interface*& p)
    {
        if (p != nullptr)
        {
            auto* old = p;
            p = nullptr;
            old->Release();
        }
    }

    template <typename Interface>
    void create (IACFComponentFactory& factory, const acfIID& iid, Interface*& member)
    {
        release (member);

        void* created = nullptr;
        const ACFRESULT result = factory.CreateInstance (CLSID_AAXHostServices, nullptr, iid, &created);

        if (ACFFAILED (result))
        {
            if (created != nullptr)
                static_cast<IACFUnknown*> (created)->Release();
            return;
        }

        member = static_cast<Interface*> (created);
    }

    struct FactoryReference
    {
        IACFComponentFactory* factory = nullptr;
        ~FactoryReference() { release (factory); }
    };
}

AAX_VHostServices::AAX_VHostServices (IACFUnknown* pUnkHost)
{
    if (pUnkHost == nullptr)
        return;

    FactoryReference ref;
    void* factory = nullptr;

    if (ACFFAILED (pUnkHost->QueryInterface (IID_IACFComponentFactory, &factory)))
        return;

    if (factory == nullptr)
        throw ACF_E_POINTER;

    ref.factory = static_cast<IACFComponentFactory*> (factory);

    try
    {
        create (*ref.factory, IID_IAAXHostServicesV1, mIACFHostServices);
        create (*ref.factory, IID_IAAXHostServicesV2, mIACFHostServicesV2);
        create (*ref.factory, IID_IAAXHostServicesV3, mIACFHostServicesV3);
    }
    catch (...)
    {
        ReleaseAll();
        throw;
    }
}

AAX_VHostServices::~AAX_VHostServices()
{
    ReleaseAll();
}

void AAX_VHostServices::ReleaseAll()
{
    release (mIACFHostServicesV3);
    release (mIACFHostServicesV2);
    release (mIACFHostServices);
}

AAX_Result AAX_VHostServices::HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags) const
{
    if (mIACFHostServicesV3 == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    return mIACFHostServicesV3->HandleAssertFailure (iFile, iLine, iNote, iFlags);
}

AAX_Result AAX_VHostServices::Trace (int32_t iPriority, const char* iMessage) const
{
    if (mIACFHostServices == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    return mIACFHostServices->Trace (iPriority, iMessage);
}

AAX_Result AAX_VHostServices::StackTrace (int32_t iTracePriority, int32_t iStackTracePriority, const char* iMessage) const
{
    if (mIACFHostServicesV2 == nullptr)
        return AAX_ERROR_UNIMPLEMENTED;

    return mIACFHostServicesV2->StackTrace (iTracePriority, iStackTracePriority, iMessage);
}
