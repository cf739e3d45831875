#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

class AAX_IParameter;
class AAX_IString;

// The effect-parameters object as the host calls it, in its four versions; each carries
// the operations of the one before. Operations without a fixed meaning of ours are
// named after their table position.

class AAX_IACFEffectParameters : public IACFUnknown
{
public:
    virtual AAX_Result Initialize (IACFUnknown* iController) = 0;                                                                                         // 4th
    virtual AAX_Result Uninitialize() = 0;                                                                                                                // 5th
    virtual AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) = 0;        // 6th
    virtual AAX_Result GetNumberOfParameters (int32_t* oNumControls) const = 0;                                                                           // 7th
    virtual AAX_Result GetMasterBypassParameter (AAX_IString* oIDString) const = 0;                                                                       // 8th
    virtual AAX_Result GetParameterIsAutomatable (AAX_CParamID iParameterID, AAX_CBoolean* oAutomatable) const = 0;                                       // 9th
    virtual AAX_Result GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const = 0;                                               // 10th
    virtual AAX_Result GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const = 0;                                                        // 11th
    virtual AAX_Result GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName, int32_t iNameLength) const = 0;                           // 12th
    virtual AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double* oValue) const = 0;                                          // 13th
    virtual AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue) = 0;                                                 // 14th
    virtual AAX_Result GetParameterType (AAX_CParamID iParameterID, AAX_EParameterType* oParameterType) const = 0;                                        // 15th
    virtual AAX_Result GetParameterOrientation (AAX_CParamID iParameterID, AAX_EParameterOrientation* oParameterOrientation) const = 0;                   // 16th
    virtual AAX_Result GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter) = 0;                                                         // 17th
    virtual AAX_Result GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const = 0;                                                   // 18th
    virtual AAX_Result GetParameterIDFromIndex (int32_t iControlIndex, AAX_IString* oParameterIDString) const = 0;                                        // 19th
    virtual AAX_Result GetParameterValueInfo (AAX_CParamID iParameterID, int32_t iSelector, int32_t* oValue) const = 0;                                   // 20th
    virtual AAX_Result GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue, const AAX_IString& iValueString) const = 0;                // 21st
    virtual AAX_Result GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue, AAX_IString* oValueString, int32_t iMaxLength) const = 0;   // 22nd
    virtual AAX_Result GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oValueString, int32_t iMaxLength) const = 0;                      // 23rd
    virtual AAX_Result GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const = 0;                                              // 24th
    virtual AAX_Result SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue) = 0;                                                        // 25th
    virtual AAX_Result SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) = 0;                                                     // 26th
    virtual AAX_Result TouchParameter (AAX_CParamID iParameterID) = 0;                                                                                    // 27th
    virtual AAX_Result ReleaseParameter (AAX_CParamID iParameterID) = 0;                                                                                  // 28th
    virtual AAX_Result UpdateParameterTouch (AAX_CParamID iParameterID, AAX_CBoolean iTouchState) = 0;                                                    // 29th
    virtual AAX_Result UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue, AAX_EUpdateSource iSource) = 0;                          // 30th
    virtual AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) = 0;                                                  // 31st
    virtual AAX_Result GenerateCoefficients() = 0;                                                                                                        // 32nd
    virtual AAX_Result ResetFieldData (AAX_CFieldIndex iFieldIndex, void* oData, uint32_t iDataSize) const = 0;                                           // 33rd
    virtual AAX_Result GetNumberOfChunks (int32_t* oNumChunks) const = 0;                                                                                 // 34th
    virtual AAX_Result GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const = 0;                                                             // 35th
    virtual AAX_Result GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const = 0;                                                                    // 36th
    virtual AAX_Result GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const = 0;                                                               // 37th
    virtual AAX_Result SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk) = 0;                                                               // 38th
    virtual AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* iChunk, AAX_CBoolean* oIsEqual) const = 0;                                             // 39th
    virtual AAX_Result GetNumberOfChanges (int32_t* oNumChanges) const = 0;                                                                               // 40th
};

class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
public:
    virtual AAX_Result ReservedOperation41() = 0;                                                                                                                   // 41st
    virtual AAX_Result GetCurveData (AAX_CTypeID iCurveType, const float* iValues, uint32_t iNumValues, float* oValues) const = 0;                                  // 42nd
    virtual AAX_Result ReservedOperation43 (AAX_CTypeID iArgument1, uint32_t iArgument2, void* ioArgument3, uint32_t iArgument4, uint32_t* oArgument5) const = 0;   // 43rd
    virtual AAX_Result ReservedOperation44() = 0;                                                                                                                   // 44th
    virtual AAX_Result ReservedOperation45() = 0;                                                                                                                   // 45th
};

class AAX_IACFEffectParameters_V3 : public AAX_IACFEffectParameters_V2
{
public:
    virtual AAX_Result ReservedOperation46() = 0;   // 46th
    virtual AAX_Result ReservedOperation47() = 0;   // 47th
    virtual AAX_Result ReservedOperation48() = 0;   // 48th
};

class AAX_IACFEffectParameters_V4 : public AAX_IACFEffectParameters_V3
{
public:
    virtual AAX_Result GetCurveDataMeterIds (AAX_CTypeID iCurveType, uint32_t* oXMeterId, uint32_t* oYMeterId) const = 0;                                       // 49th
    virtual AAX_Result GetCurveDataDisplayRange (AAX_CTypeID iCurveType, float* oXMin, float* oXMax, float* oYMin, float* oYMax) const = 0;                     // 50th
    virtual AAX_Result UpdatePageTable (uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* iHostUnknown, IACFUnknown* ioPageTableUnknown) const = 0;   // 51st
};
