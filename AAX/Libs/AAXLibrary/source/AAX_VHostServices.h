#pragma once

#include "AAX_IHostServices.h"
#include "AAX_IACFHostServices.h"

class IACFUnknown;

// Every operation: any thread; takes no lock, allocates nothing and calls the host's object synchronously.
// Forwards to the host's services interface; each version may be missing.
class AAX_VHostServices : public AAX_IHostServices
{
public:
    // Throws ACF_E_POINTER (as a plain integer) when the host answers the factory
    // query without an object.
    explicit AAX_VHostServices (IACFUnknown* pUnkHost);
    ~AAX_VHostServices() override;

    AAX_VHostServices (const AAX_VHostServices&) = delete;
    AAX_VHostServices& operator= (const AAX_VHostServices&) = delete;

    AAX_Result HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags) const override;
    AAX_Result Trace (int32_t iPriority, const char* iMessage) const override;
    AAX_Result StackTrace (int32_t iTracePriority, int32_t iStackTracePriority, const char* iMessage) const override;

private:
    void ReleaseAll();

    AAX_IACFHostServices* mIACFHostServices = nullptr;
    AAX_IACFHostServices_V2* mIACFHostServicesV2 = nullptr;
    AAX_IACFHostServices_V3* mIACFHostServicesV3 = nullptr;
};
