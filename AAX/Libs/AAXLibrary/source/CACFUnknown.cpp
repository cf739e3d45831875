#include "CACFUnknown.h"

std::atomic<acfUInt32> CACFUnknown::sActiveObjects { 0 };

CACFUnknown::CACFUnknown()
    : mOuterUnknown (&mPrivateUnknown), mPrivateUnknown (*this)
{
    ++sActiveObjects;
}

CACFUnknown::~CACFUnknown()
{
    --sActiveObjects;
}

acfUInt32 CACFUnknown::GetActiveObjectCount()
{
    return sActiveObjects.load();
}

ACFRESULT CACFUnknown::InitInstance()
{
    return ACF_OK;
}

void CACFUnknown::OnFinalRelease()
{
}

void CACFUnknown::DeleteInstance()
{
    delete this;
}

ACFRESULT CACFUnknown::InternalQueryInterface (const acfIID& riid, void** ppvObjOut)
{
    if (ppvObjOut == nullptr)
        return ACF_E_POINTER;

    *ppvObjOut = nullptr;

    if (riid == IID_IACFUnknown)
    {
        *ppvObjOut = static_cast<IACFUnknown*> (&mPrivateUnknown);
        mPrivateUnknown.AddRef();
        return ACF_OK;
    }

    return ACF_E_NOINTERFACE;
}

acfUInt32 CACFUnknown::InternalAddRef()
{
    return ++mRefCount;
}

acfUInt32 CACFUnknown::InternalRelease()
{
    const acfUInt32 count = --mRefCount;

    if (count == 0)
    {
        OnFinalRelease();
        DeleteInstance();
    }

    return count;
}
