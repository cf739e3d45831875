#pragma once

#include "AAX.h"
#include "AAX_CMutex.h"
#include "AAX_CPacket.h"
#include "AAX_IPacketHandler.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

class AAX_CEffectParameters;
class AAX_IController;

// Every operation: any thread; takes the dispatcher's lock, which its holder may take again.
// Coefficient packets per port, the parameters that feed them, and their dispatch to
// the host. Its tables are guarded by an AAX_CMutex, so handlers may call back into
// the effect on the same thread.
class AAX_CPacketDispatcher
{
public:
    AAX_CPacketDispatcher();
    ~AAX_CPacketDispatcher();

    AAX_CPacketDispatcher (const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator= (const AAX_CPacketDispatcher&) = delete;

    // Any thread: takes the lock.
    // A null controller makes Dispatch post nothing.
    AAX_Result Initialize (AAX_IController* iController, AAX_CEffectParameters* iEffectParameters);

    // Any thread: takes the lock and allocates.
    // Feeds the port's packet (made on first use) from the parameter through a copy of
    // the handler; without a handler, through GenerateSingleValuePacket.
    AAX_Result RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID, const AAX_IPacketHandler* iHandler);
    AAX_Result RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID);

    // Any thread: takes the lock; the look-up copies the identifier into a std::string.
    AAX_Result SetDirty (AAX_CParamID paramID, bool iDirty = true);

    // Any thread: takes the lock and allocates; posts to the host's controller under it.
    // Rebuilds and posts every dirty packet; see docs/aax.md for the result.
    AAX_Result Dispatch();

    // Any thread: no lock of its own (Dispatch holds it); resizing the packet may allocate.
    // The parameter's current value as the packet's only content.
    AAX_Result GenerateSingleValuePacket (AAX_CParamID paramID, AAX_CPacket& ioPacket);

private:
    using HandlerEntry = std::pair<AAX_CPacket*, std::unique_ptr<AAX_IPacketHandler>>;

    std::map<AAX_CFieldIndex, std::unique_ptr<AAX_CPacket>> mPacketsByPort;
    std::multimap<std::string, HandlerEntry> mPacketsHandlers;
    AAX_IController* mController = nullptr;
    AAX_CEffectParameters* mEffectParameters = nullptr;
    AAX_CMutex mLockGuard;
};
