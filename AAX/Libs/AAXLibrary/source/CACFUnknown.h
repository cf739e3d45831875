#pragma once

#include "IACFUnknown.h"

#include <atomic>

// Any thread: the reference count and the count of live objects are atomic; no lock.
// Shared base of the objects the library hands to the host: reference counting,
// aggregation support and the process-wide count of live objects. The last release
// deletes the object on the releasing thread.
class CACFUnknown
{
public:
    CACFUnknown();
    virtual ~CACFUnknown();

    CACFUnknown (const CACFUnknown&) = delete;
    CACFUnknown& operator= (const CACFUnknown&) = delete;

    virtual ACFRESULT InitInstance();
    virtual void OnFinalRelease();
    virtual void DeleteInstance();
    virtual ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppvObjOut);
    virtual acfUInt32 InternalAddRef();
    virtual acfUInt32 InternalRelease();

    // Number of library objects alive in the process; 0 lets the host unload the bundle.
    static acfUInt32 GetActiveObjectCount();

protected:
    IACFUnknown* GetOuterUnknown() const { return mOuterUnknown; }

private:
    class PrivateUnknown : public IACFUnknown
    {
    public:
        explicit PrivateUnknown (CACFUnknown& owner) : mOwner (owner) {}

        ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override { return mOwner.InternalQueryInterface (iid, ppOut); }
        acfUInt32 AddRef() override { return mOwner.InternalAddRef(); }
        acfUInt32 Release() override { return mOwner.InternalRelease(); }

    private:
        CACFUnknown& mOwner;
    };

    std::atomic<acfUInt32> mRefCount { 0 };
    IACFUnknown* mOuterUnknown;
    PrivateUnknown mPrivateUnknown;

    static std::atomic<acfUInt32> sActiveObjects;
};

// Forwards a class's IACFUnknown operations to its outer object.
#define ACF_DECLARE_STANDARD_UNKNOWN()                                                                                             \
    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override { return GetOuterUnknown()->QueryInterface (iid, ppOut); } \
    acfUInt32 AddRef() override { return GetOuterUnknown()->AddRef(); }                                                            \
    acfUInt32 Release() override { return GetOuterUnknown()->Release(); }
