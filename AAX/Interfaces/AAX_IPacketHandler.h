#pragma once

#include "AAX.h"

class AAX_CPacket;

// Fills the coefficient packet of a parameter.
class AAX_IPacketHandler
{
public:
    virtual ~AAX_IPacketHandler() = default;

    virtual AAX_IPacketHandler* Clone() const = 0;
    virtual AAX_Result CallHandler (AAX_CParamID paramID, AAX_CPacket& ioPacket) const = 0;
};
