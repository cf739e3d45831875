#pragma once

#include "IACFUnknown.h"

// One counted reference to a host interface, released when the holder goes or is reset.
template <class Interface>
class AAX_CHostReference
{
public:
    AAX_CHostReference() = default;
    ~AAX_CHostReference() { Reset(); }

    AAX_CHostReference (const AAX_CHostReference&) = delete;
    AAX_CHostReference& operator= (const AAX_CHostReference&) = delete;

    // Takes over one reference that the caller already holds.
    void Reset (Interface* inInterface = nullptr)
    {
        Interface* old = mInterface;
        mInterface = inInterface;

        if (old != nullptr)
            old->Release();
    }

    // Adds a reference of its own.
    void Share (Interface* inInterface)
    {
        if (inInterface != nullptr)
            inInterface->AddRef();

        Reset (inInterface);
    }

    Interface* Get() const { return mInterface; }
    Interface* operator->() const { return mInterface; }
    explicit operator bool() const { return mInterface != nullptr; }

private:
    Interface* mInterface = nullptr;
};
