#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

// The effect's GUI object as the host calls it. Operations without a fixed meaning of
// ours are named after their table position.
class AAX_IACFEffectGUI : public IACFUnknown
{
public:
    virtual AAX_Result Initialize (IACFUnknown* iController) = 0;                                                                                    // 4th
    virtual AAX_Result Uninitialize() = 0;                                                                                                           // 5th
    virtual AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) = 0;   // 6th
    virtual AAX_Result SetViewContainer (IACFUnknown* iViewContainer) = 0;                                                                           // 7th
    virtual AAX_Result GetViewSize (AAX_Point* oViewSize) const = 0;                                                                                 // 8th
    virtual AAX_Result ReservedOperation9() = 0;                                                                                                     // 9th
    virtual AAX_Result ReservedOperation10() = 0;                                                                                                    // 10th
    virtual AAX_Result ParameterUpdated (AAX_CParamID inParamID) = 0;                                                                                // 11th
    virtual AAX_Result ReservedOperation12() = 0;                                                                                                    // 12th
    virtual AAX_Result SetControlHighlightInfo (AAX_CParamID inParamID, AAX_CBoolean inIsHighlighted, AAX_EHighlightColor inColor) = 0;              // 13th
};
