#pragma once

#include "AAX_Errors.h"
#include "AAX_IPacketHandler.h"

// Calls a member operation of its worker: the one taking the parameter id and the
// packet when set, else the one taking the packet alone.
template <class TWorker>
class AAX_CPacketHandler : public AAX_IPacketHandler
{
public:
    typedef AAX_Result (TWorker::*PacketProc) (AAX_CPacket&);
    typedef AAX_Result (TWorker::*ParamPacketProc) (AAX_CParamID, AAX_CPacket&);

    AAX_CPacketHandler (TWorker* iWorker, PacketProc iProc) : mWorker (iWorker), mPacketProc (iProc) {}
    AAX_CPacketHandler (TWorker* iWorker, ParamPacketProc iProc) : mWorker (iWorker), mParamPacketProc (iProc) {}

    AAX_CPacketHandler* Clone() const override { return new AAX_CPacketHandler (*this); }

    AAX_Result CallHandler (AAX_CParamID paramID, AAX_CPacket& ioPacket) const override
    {
        if (mWorker != nullptr && mParamPacketProc != nullptr)
            return (mWorker->*mParamPacketProc) (paramID, ioPacket);

        if (mWorker != nullptr && mPacketProc != nullptr)
            return (mWorker->*mPacketProc) (ioPacket);

        return AAX_ERROR_NULL_OBJECT;
    }

private:
    TWorker* mWorker = nullptr;
    PacketProc mPacketProc = nullptr;
    ParamPacketProc mParamPacketProc = nullptr;
};
