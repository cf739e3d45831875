#pragma once

#include "AAX.h"
#include "AAX_CChunkDataParser.h"
#include "AAX_CMutex.h"
#include "AAX_CPacketDispatcher.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "AAX_CString.h"
#include "AAX_IParameter.h"
#include "AAX_IEffectParameters.h"

#include <atomic>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>

class AAX_IController;
class AAX_IPageTable;
class AAX_ITransport;
class AAX_VAutomationDelegate;
class AAX_VController;
class AAX_VTransport;

// The chunk that holds one typed value per parameter.
inline constexpr AAX_CTypeID kAAX_ControlsChunkID = 'elck';
inline constexpr char kAAX_ControlsChunkName[] = "Complete Controls State";

// Every operation: any thread, as the host calls it from its UI, automation and processing sides.
// The library's effect-parameters object: parameters, automation, the controls chunk,
// coefficient packets and notifications. An effect derives from it, adds its
// parameters in EffectInit and overrides what it handles itself.
class AAX_CEffectParameters : public AAX_IEffectParameters
{
public:
    AAX_CEffectParameters();
    ~AAX_CEffectParameters() override;

    AAX_CEffectParameters (const AAX_CEffectParameters&) = delete;
    AAX_CEffectParameters& operator= (const AAX_CEffectParameters&) = delete;

    // Any thread: allocates and takes the dispatcher's lock; never while other operations run.
    // After EffectInit each parameter takes the effect's own value (GetParameterNormalizedValue),
    // and the host's automation delegate hears of each that moved, synchronously.
    AAX_Result Initialize (IACFUnknown* iController) override;
    AAX_Result Uninitialize() override;
    // Any thread: no lock of its own; a preview state goes to the host's automation synchronously.
    AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) override;

    // Any thread: the queries take no lock (the parameter table is read unguarded).
    // A look-up by identifier copies it into a std::string; names and texts allocate.
    AAX_Result GetNumberOfParameters (int32_t* oNumControls) const override;
    AAX_Result GetMasterBypassParameter (AAX_IString* oIDString) const override;
    AAX_Result GetParameterIsAutomatable (AAX_CParamID iParameterID, AAX_CBoolean* oAutomatable) const override;
    AAX_Result GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const override;
    AAX_Result GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const override;
    AAX_Result GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName, int32_t iNameLength) const override;
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double* oValue) const override;
    // Any thread: takes no lock; the default is written unguarded.
    AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue) override;
    // Any thread: as the queries above.
    AAX_Result GetParameterType (AAX_CParamID iParameterID, AAX_EParameterType* oParameterType) const override;
    AAX_Result GetParameterOrientation (AAX_CParamID iParameterID, AAX_EParameterOrientation* oParameterOrientation) const override;
    AAX_Result GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter) override;
    AAX_Result GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const override;
    AAX_Result GetParameterIDFromIndex (int32_t iControlIndex, AAX_IString* oParameterIDString) const override;
    AAX_Result GetParameterValueInfo (AAX_CParamID iParameterID, int32_t iSelector, int32_t* oValue) const override;
    AAX_Result GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue, const AAX_IString& iValueString) const override;
    AAX_Result GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue, AAX_IString* oValueString, int32_t iMaxLength) const override;
    AAX_Result GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oValueString, int32_t iMaxLength) const override;
    AAX_Result GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const override;
    // Any thread: no lock of their own; they ask the host's automation delegate synchronously.
    // Its answer comes back through UpdateParameterNormalizedValue.
    AAX_Result SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue) override;
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override;
    AAX_Result TouchParameter (AAX_CParamID iParameterID) override;
    AAX_Result ReleaseParameter (AAX_CParamID iParameterID) override;
    // Any thread: takes no lock, allocates nothing.
    AAX_Result UpdateParameterTouch (AAX_CParamID iParameterID, AAX_CBoolean iTouchState) override;
    // Any thread: take the dispatcher's lock; a changed value goes to the host synchronously.
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue, AAX_EUpdateSource iSource) override;
    AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override;
    // Any thread: takes the dispatcher's lock and allocates; posts the packets to the host under it.
    AAX_Result GenerateCoefficients() override;
    // Any thread: takes no lock, allocates nothing.
    AAX_Result ResetFieldData (AAX_CFieldIndex iFieldIndex, void* oData, uint32_t iDataSize) const override;

    // Any thread: take no lock, allocate nothing.
    AAX_Result GetNumberOfChunks (int32_t* oNumChunks) const override;
    AAX_Result GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const override;
    // Any thread: take the chunk lock and allocate.
    // SetChunk reads the whole record first: one that does not read gives the parser's error
    // and changes nothing; otherwise it sets the parameters as SetParameterNormalizedValue does.
    // From any entry, a value that is not a number keeps the parameter's value, and one out
    // of range (an infinity too) is limited to the range.
    AAX_Result GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const override;
    AAX_Result GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const override;
    AAX_Result SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk) override;
    AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* iChunk, AAX_CBoolean* oIsEqual) const override;
    // Any thread: an atomic load.
    AAX_Result GetNumberOfChanges (int32_t* oNumChanges) const override;

    // Any thread: take no lock, allocate nothing.
    AAX_Result ReservedOperation41() override;
    AAX_Result GetCurveData (AAX_CTypeID iCurveType, const float* iValues, uint32_t iNumValues, float* oValues) const override;
    AAX_Result ReservedOperation43 (AAX_CTypeID iArgument1, uint32_t iArgument2, void* ioArgument3, uint32_t iArgument4, uint32_t* oArgument5) const override;
    AAX_Result ReservedOperation44() override;
    AAX_Result ReservedOperation45() override;
    AAX_Result ReservedOperation46() override;
    AAX_Result ReservedOperation47() override;
    AAX_Result ReservedOperation48() override;
    AAX_Result GetCurveDataMeterIds (AAX_CTypeID iCurveType, uint32_t* oXMeterId, uint32_t* oYMeterId) const override;
    AAX_Result GetCurveDataDisplayRange (AAX_CTypeID iCurveType, float* oXMin, float* oXMax, float* oYMin, float* oYMax) const override;
    // Any thread: takes no lock; allocates the table's wrapper and fills it through the host.
    AAX_Result UpdatePageTable (uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* iHostUnknown, IACFUnknown* ioPageTableUnknown) const override;

    // Any thread: takes no lock; the reference count is atomic.
    ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppvObjOut) override;

    // Audio thread: never locks or allocates.
    // The host's controller and transport; null before Initialize and after Uninitialize.
    AAX_IController* Controller();
    const AAX_IController* Controller() const;
    AAX_ITransport* Transport();
    const AAX_ITransport* Transport() const;

protected:
    // Called by Initialize once the host's objects are wrapped: the place to add parameters.
    virtual AAX_Result EffectInit();

    // Fills a host page table that UpdatePageTable wrapped.
    virtual AAX_Result FillPageTable (uint32_t inTableType, int32_t inTablePageSize, AAX_IPageTable& ioPageTable) const;

    // Leaves the parameter out of the controls chunk; null is ignored.
    void FilterParameterIDOnSave (AAX_CParamID iParameterID);

    // Number of value updates that changed a value.
    std::atomic<int32_t> mNumPlugInChanges { 0 };

    int32_t mNumChunkedParameters = 0;
    AAX_CPacketDispatcher mPacketDispatcher;
    AAX_CParameterManager mParameterManager;
    std::set<std::string> mFilteredParameters;

private:
    bool IsFiltered (const AAX_IParameter& iParameter) const;

    // Visits the parameters the controls chunk holds, in index order, with their
    // identifiers, until a visit returns false; false when one did. The caller holds
    // mChunkLock.
    template <typename Self, typename Visit>
    static bool VisitChunkedParameters (Self& self, Visit&& visit);

    // After EffectInit: each parameter takes the effect's own answer for its value.
    void TakeStartValues();

    // Refills the chunk parser from the parameters; the caller holds mChunkLock.
    void BuildChunkData() const;

    // Chunk calls may come from several host threads: they share the parser under this
    // lock, and each thread's size query is kept for its own GetChunk.
    mutable AAX_CMutex mChunkLock;
    mutable AAX_CChunkDataParser mChunkParser;
    mutable std::map<std::thread::id, int32_t> mLastReportedChunkSizes;

    std::unique_ptr<AAX_VController> mController;
    std::unique_ptr<AAX_VAutomationDelegate> mAutomationDelegate;
    std::unique_ptr<AAX_VTransport> mTransport;
};
