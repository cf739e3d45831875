#include "AAX_CPacketDispatcher.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CPacketHandler.h"
#include "AAX_Errors.h"
#include "AAX_IController.h"
#include "AAX_IParameter.h"

#include <algorithm>
#include <cstring>
#include <vector>

AAX_CPacketDispatcher::AAX_CPacketDispatcher() = default;

AAX_CPacketDispatcher::~AAX_CPacketDispatcher()
{
    AAX_CMutex::ScopedLock lock (mLockGuard);
    mPacketsHandlers.clear();
    mPacketsByPort.clear();
}

AAX_Result AAX_CPacketDispatcher::Initialize (AAX_IController* iController, AAX_CEffectParameters* iEffectParameters)
{
    AAX_CMutex::ScopedLock lock (mLockGuard);
    mController = iController;
    mEffectParameters = iEffectParameters;
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID, const AAX_IPacketHandler* iHandler)
{
    if (paramID == nullptr || iHandler == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    AAX_CMutex::ScopedLock lock (mLockGuard);

    // Entries on a negative port have no packet; SetDirty and Dispatch pass them by.
    AAX_CPacket* packet = nullptr;

    if (portID >= 0)
    {
        auto& slot = mPacketsByPort[portID];

        if (slot == nullptr)
            slot = std::make_unique<AAX_CPacket> (portID);

        packet = slot.get();
    }

    mPacketsHandlers.emplace (std::string (paramID), HandlerEntry (packet, std::unique_ptr<AAX_IPacketHandler> (iHandler->Clone())));
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID)
{
    const AAX_CPacketHandler<AAX_CPacketDispatcher> handler (this, &AAX_CPacketDispatcher::GenerateSingleValuePacket);
    return RegisterPacket (paramID, portID, &handler);
}

AAX_Result AAX_CPacketDispatcher::SetDirty (AAX_CParamID paramID, bool iDirty)
{
    if (paramID == nullptr)
        return AAX_SUCCESS;

    AAX_CMutex::ScopedLock lock (mLockGuard);
    const auto range = mPacketsHandlers.equal_range (paramID);

    for (auto entry = range.first; entry != range.second; ++entry)
        if (auto* packet = entry->second.first)
            packet->SetDirty (iDirty);

    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::Dispatch()
{
    AAX_CMutex::ScopedLock lock (mLockGuard);

    if (mController == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    AAX_Result result = AAX_SUCCESS;

    // A packet whose post failed stays dirty for the next round; it is not tried again
    // in this one through another parameter that shares it.
    std::vector<const AAX_CPacket*> failed;

    for (auto& [paramID, entry] : mPacketsHandlers)
    {
        AAX_CPacket* packet = entry.first;

        if (packet == nullptr || ! packet->IsDirty())
            continue;

        if (std::find (failed.begin(), failed.end(), packet) != failed.end())
            continue;

        bool posted = true;

        if (entry.second->CallHandler (paramID.c_str(), *packet) == AAX_SUCCESS)
        {
            const AAX_Result postResult = mController->PostPacket (packet->GetID(), packet->GetData(), packet->GetSize());

            if (postResult != AAX_SUCCESS)
            {
                posted = false;
                failed.push_back (packet);

                if (result == AAX_SUCCESS)
                    result = postResult;
            }
        }

        // A handler failure drops this round's packet: it waits for the next change.
        if (posted)
            packet->SetDirty (false);
    }

    return result;
}

AAX_Result AAX_CPacketDispatcher::GenerateSingleValuePacket (AAX_CParamID paramID, AAX_CPacket& ioPacket)
{
    if (mEffectParameters == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    AAX_IParameter* parameter = nullptr;

    if (mEffectParameters->GetParameter (paramID, &parameter) != AAX_SUCCESS || parameter == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    bool boolValue = false;
    float floatValue = 0.0f;
    int32_t intValue = 0;
    double doubleValue = 0.0;

    if (parameter->GetValueAsBool (&boolValue))
        ioPacket.Set (static_cast<int32_t> (boolValue ? 1 : 0));
    else if (parameter->GetValueAsFloat (&floatValue))
        ioPacket.Set (floatValue);
    else if (parameter->GetValueAsInt32 (&intValue))
        ioPacket.Set (intValue);
    else if (parameter->GetValueAsDouble (&doubleValue))
        ioPacket.Set (doubleValue);
    else
        return AAX_ERROR_NULL_OBJECT;

    return AAX_SUCCESS;
}
