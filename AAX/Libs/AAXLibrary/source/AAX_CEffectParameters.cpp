#include "AAX_CEffectParameters.h"
#include "AAX_Assert.h"
#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_IParameter.h"
#include "AAX_UIDs.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VPageTable.h"
#include "AAX_VTransport.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace
{
    constexpr const char* kSource = "AAX/Libs/AAXLibrary/source/AAX_CEffectParameters";
    constexpr const char* kPreviewID = "PreviewID";

    // The kinds of value a parameter can answer, in the order the chunk tries them.
    enum class ValueKind
    {
        Float,
        Int32,
        Bool,
        Double,
        String,
        None
    };

    ValueKind KindOf (const AAX_IParameter& parameter)
    {
        float f = 0.0f;
        int32_t i = 0;
        bool b = false;
        double d = 0.0;
        AAX_CString s;

        if (parameter.GetValueAsFloat (&f)) return ValueKind::Float;
        if (parameter.GetValueAsInt32 (&i)) return ValueKind::Int32;
        if (parameter.GetValueAsBool (&b)) return ValueKind::Bool;
        if (parameter.GetValueAsDouble (&d)) return ValueKind::Double;
        if (parameter.GetValueAsString (&s)) return ValueKind::String;
        return ValueKind::None;
    }

    // Every per-parameter operation answers an unknown identifier the same way.
    template <typename Manager, typename Operation>
    AAX_Result WithParameter (Manager& manager, AAX_CParamID id, Operation&& operation)
    {
        auto* parameter = manager.GetParameterByID (id);

        if (parameter == nullptr)
            return AAX_ERROR_INVALID_PARAMETER_ID;

        return operation (*parameter);
    }

    // A read refuses a missing destination before it looks the parameter up.
    template <typename Destination, typename Operation>
    AAX_Result ReadParameter (const AAX_CParameterManager& manager, AAX_CParamID id, Destination* destination, Operation&& operation)
    {
        if (destination == nullptr)
            return AAX_ERROR_NULL_ARGUMENT;

        return WithParameter (manager, id, [&] (const AAX_IParameter& parameter) { return operation (parameter, *destination); });
    }

    // A read of one of the parameter's properties.
    template <typename Destination, typename Value>
    AAX_Result ReadProperty (const AAX_CParameterManager& manager, AAX_CParamID id, Destination* destination,
                             Value (AAX_IParameter::*property)() const)
    {
        return ReadParameter (manager, id, destination, [property] (const AAX_IParameter& parameter, Destination& value) {
            value = (parameter.*property)();
            return AAX_SUCCESS;
        });
    }

    // A call of one of the parameter's operations, which cannot fail once it is found.
    template <typename... Arguments>
    AAX_Result CallParameter (AAX_CParameterManager& manager, AAX_CParamID id, void (AAX_IParameter::*operation) (Arguments...),
                              Arguments... arguments)
    {
        return WithParameter (manager, id, [&] (AAX_IParameter& parameter) {
            (parameter.*operation) (arguments...);
            return AAX_SUCCESS;
        });
    }
}

AAX_CEffectParameters::AAX_CEffectParameters() = default;

// Parameters unregister from the automation delegate as they go, so they are destroyed
// before the host wrappers.
AAX_CEffectParameters::~AAX_CEffectParameters()
{
    mParameterManager.RemoveAllParameters();
    mParameterManager.Initialize (nullptr);
    mPacketDispatcher.Initialize (nullptr, this);
    mController.reset();
    mAutomationDelegate.reset();
    mTransport.reset();
}

//==============================================================================
AAX_Result AAX_CEffectParameters::Initialize (IACFUnknown* iController)
{
    mController = std::make_unique<AAX_VController> (iController);
    mAutomationDelegate = std::make_unique<AAX_VAutomationDelegate> (iController);
    mTransport = std::make_unique<AAX_VTransport> (iController);

    mParameterManager.Initialize (mAutomationDelegate.get());
    mPacketDispatcher.Initialize (mController.get(), this);

    if (const AAX_Result result = EffectInit(); result != AAX_SUCCESS)
        return result;

    TakeStartValues();

    AAX_CString bypassID;
    GetMasterBypassParameter (&bypassID);
    FilterParameterIDOnSave (bypassID.Get());

    int32_t numParameters = 0;
    GetNumberOfParameters (&numParameters);

    if (numParameters > 0)
    {
        mNumChunkedParameters = numParameters - static_cast<int32_t> (mFilteredParameters.size());
        AAX_ASSERT_SOURCE (kSource, mNumChunkedParameters >= 0);
    }

    return AAX_SUCCESS;
}

// An effect whose own values start away from its parameters' defaults (a start preset set
// before the parameters were made) answers them through GetParameterNormalizedValue; the
// parameters take them, so the host, the chunk and the effect agree from the start.
void AAX_CEffectParameters::TakeStartValues()
{
    for (int32_t index = 0; index < mParameterManager.NumParameters(); ++index)
    {
        auto* parameter = mParameterManager.GetParameter (index);
        double value = 0.0;

        if (parameter == nullptr || GetParameterNormalizedValue (parameter->Identifier(), &value) != AAX_SUCCESS
            || std::isnan (value) || value == parameter->GetNormalizedValue())
            continue;

        parameter->UpdateNormalizedValue (value);
        mPacketDispatcher.SetDirty (parameter->Identifier(), true);
    }
}

// The dispatcher and the manager forget the wrappers, which go now.
AAX_Result AAX_CEffectParameters::Uninitialize()
{
    mParameterManager.RemoveAllParameters();
    mParameterManager.Initialize (nullptr);
    mPacketDispatcher.Initialize (nullptr, this);
    mController.reset();
    mAutomationDelegate.reset();
    mTransport.reset();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize)
{
    if (inNotificationType != static_cast<AAX_CTypeID> (AAX_eNotificationEvent_ASPreviewState))
        return AAX_SUCCESS;

    // The preview state is a 32-bit integer; anything shorter is not read.
    if (inNotificationData == nullptr || inNotificationDataSize < sizeof (int32_t))
        return AAX_SUCCESS;

    if (auto* preview = mParameterManager.GetParameterByID (kPreviewID))
    {
        int32_t state = 0;
        std::memcpy (&state, inNotificationData, sizeof (state));
        preview->SetValueWithBool (state != 0);
    }

    return AAX_SUCCESS;
}

//==============================================================================
AAX_Result AAX_CEffectParameters::GetNumberOfParameters (int32_t* oNumControls) const
{
    if (oNumControls == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oNumControls = mParameterManager.NumParameters();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter (AAX_IString* oIDString) const
{
    if (oIDString == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    oIDString->Set (mParameterManager.GetParameterByID (cDefaultMasterBypassID) != nullptr ? cDefaultMasterBypassID : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable (AAX_CParamID iParameterID, AAX_CBoolean* oAutomatable) const
{
    // An unknown identifier still leaves the answer cleared.
    if (oAutomatable != nullptr)
        *oAutomatable = 0;

    return ReadParameter (mParameterManager, iParameterID, oAutomatable, [] (const AAX_IParameter& parameter, AAX_CBoolean& automatable) {
        automatable = parameter.Automatable() ? 1 : 0;
        return AAX_SUCCESS;
    });
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const
{
    return ReadParameter (mParameterManager, iParameterID, oNumSteps, [] (const AAX_IParameter& parameter, int32_t& numSteps) {
        const auto steps = static_cast<int32_t> (parameter.GetNumberOfSteps());

        if (steps < 0)
            return AAX_ERROR_SIGNED_INT_OVERFLOW;

        numSteps = steps;
        return AAX_SUCCESS;
    });
}

AAX_Result AAX_CEffectParameters::GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const
{
    if (oName == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const auto* parameter = mParameterManager.GetParameterByID (iParameterID);
    oName->Set (parameter != nullptr ? parameter->Name().Get() : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName, int32_t iNameLength) const
{
    if (oName == nullptr)
        return AAX_ERROR_INVALID_STRING_CONVERSION;

    const auto* parameter = mParameterManager.GetParameterByID (iParameterID);

    if (parameter == nullptr)
    {
        oName->Set ("");
        return AAX_SUCCESS;
    }

    const AAX_CString shortened = parameter->ShortenedName (iNameLength);

    char buffer[256] = {};
    std::strncpy (buffer, shortened.Get(), sizeof (buffer) - 1);

    // The name may hold several variants, one per line: the longest that fits wins.
    std::vector<std::string> lines;
    for (const char* start = buffer; *start != 0;)
    {
        const char* end = std::strchr (start, '\n');
        const size_t length = end != nullptr ? static_cast<size_t> (end - start) : std::strlen (start);

        if (length > 0)
            lines.emplace_back (start, length);

        if (end == nullptr)
            break;

        start = end + 1;
    }

    size_t best = 0;
    bool written = false;

    for (const auto& line : lines)
    {
        if (line.size() > best && iNameLength >= 0 && line.size() <= static_cast<size_t> (iNameLength))
        {
            best = line.size();
            oName->Set (line.c_str());
            written = true;
        }
    }

    if (written || lines.empty())
        return AAX_SUCCESS;

    if (iNameLength < 1)
        oName->Set ("");
    else
        shortened.SubString (0, static_cast<uint32_t> (iNameLength), oName);

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double* oValue) const
{
    return ReadProperty (mParameterManager, iParameterID, oValue, &AAX_IParameter::GetNormalizedDefaultValue);
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue)
{
    return CallParameter (mParameterManager, iParameterID, &AAX_IParameter::SetNormalizedDefaultValue, iValue);
}

AAX_Result AAX_CEffectParameters::GetParameterType (AAX_CParamID iParameterID, AAX_EParameterType* oParameterType) const
{
    return ReadProperty (mParameterManager, iParameterID, oParameterType, &AAX_IParameter::GetType);
}

AAX_Result AAX_CEffectParameters::GetParameterOrientation (AAX_CParamID iParameterID, AAX_EParameterOrientation* oParameterOrientation) const
{
    return ReadProperty (mParameterManager, iParameterID, oParameterOrientation, &AAX_IParameter::GetOrientation);
}

AAX_Result AAX_CEffectParameters::GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter)
{
    if (oParameter == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oParameter = mParameterManager.GetParameterByID (iParameterID);
    return *oParameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const
{
    if (oControlIndex == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oControlIndex = mParameterManager.GetParameterIndex (iParameterID);
    return *oControlIndex >= 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex (int32_t iControlIndex, AAX_IString* oParameterIDString) const
{
    if (oParameterIDString == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const auto* parameter = mParameterManager.GetParameter (iControlIndex);

    if (parameter == nullptr)
    {
        oParameterIDString->Set ("");
        return AAX_ERROR_INVALID_PARAMETER_ID;
    }

    oParameterIDString->Set (parameter->Identifier());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo (AAX_CParamID, int32_t, int32_t* oValue) const
{
    if (oValue != nullptr)
        *oValue = 0;

    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue, const AAX_IString& iValueString) const
{
    return ReadParameter (mParameterManager, iParameterID, oValue, [&iValueString] (const AAX_IParameter& parameter, double& value) {
        return parameter.GetNormalizedValueFromString (AAX_CString (iValueString), &value) ? AAX_SUCCESS
                                                                                           : AAX_ERROR_INVALID_STRING_CONVERSION;
    });
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue, AAX_IString* oValueString, int32_t iMaxLength) const
{
    return ReadParameter (mParameterManager, iParameterID, oValueString, [iValue, iMaxLength] (const AAX_IParameter& parameter, AAX_IString& valueString) {
        AAX_CString text;

        if (! parameter.GetStringFromNormalizedValue (iValue, iMaxLength, text))
            return AAX_ERROR_INVALID_STRING_CONVERSION;

        valueString.Set (text.Get());
        return AAX_SUCCESS;
    });
}

AAX_Result AAX_CEffectParameters::GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oValueString, int32_t iMaxLength) const
{
    return ReadParameter (mParameterManager, iParameterID, oValueString, [iMaxLength] (const AAX_IParameter& parameter, AAX_IString& valueString) {
        AAX_CString text;
        parameter.GetValueString (iMaxLength, &text);
        valueString.Set (text.Get());
        return AAX_SUCCESS;
    });
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const
{
    return ReadProperty (mParameterManager, iParameterID, oValuePtr, &AAX_IParameter::GetNormalizedValue);
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue)
{
    return CallParameter (mParameterManager, iParameterID, &AAX_IParameter::SetNormalizedValue, iValue);
}

namespace
{
    // A step that is not a finite number changes nothing.
    double ClampedSum (double value, double delta)
    {
        if (! std::isfinite (delta))
            return value;

        return std::max (std::min (value + delta, 1.0), 0.0);
    }
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue)
{
    double current = 0.0;

    if (const AAX_Result result = GetParameterNormalizedValue (iParameterID, &current); result != AAX_SUCCESS)
        return result;

    return SetParameterNormalizedValue (iParameterID, ClampedSum (current, iValue));
}

AAX_Result AAX_CEffectParameters::TouchParameter (AAX_CParamID iParameterID)
{
    return CallParameter (mParameterManager, iParameterID, &AAX_IParameter::Touch);
}

AAX_Result AAX_CEffectParameters::ReleaseParameter (AAX_CParamID iParameterID)
{
    return CallParameter (mParameterManager, iParameterID, &AAX_IParameter::Release);
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch (AAX_CParamID, AAX_CBoolean)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue, AAX_EUpdateSource)
{
    return WithParameter (mParameterManager, iParameterID, [this, iParameterID, iValue] (AAX_IParameter& parameter) {
        const double previous = parameter.GetNormalizedValue();
        parameter.UpdateNormalizedValue (iValue);

        const AAX_Result result = mPacketDispatcher.SetDirty (iParameterID, true);

        // The parameter keeps its value for not-a-number and limits the rest to 0..1: only a
        // value it can take counts as a change.
        if (! std::isnan (iValue) && previous != std::clamp (iValue, 0.0, 1.0))
            ++mNumPlugInChanges;

        return result;
    });
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue)
{
    double current = 0.0;

    if (const AAX_Result result = GetParameterNormalizedValue (iParameterID, &current); result != AAX_SUCCESS)
        return result;

    return UpdateParameterNormalizedValue (iParameterID, ClampedSum (current, iValue), AAX_eUpdateSource_Unspecified);
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients()
{
    return mPacketDispatcher.Dispatch();
}

AAX_Result AAX_CEffectParameters::ResetFieldData (AAX_CFieldIndex, void* oData, uint32_t iDataSize) const
{
    if (oData == nullptr)
        return iDataSize == 0 ? AAX_SUCCESS : AAX_ERROR_NULL_ARGUMENT;

    std::memset (oData, 0, iDataSize);
    return AAX_SUCCESS;
}

//==============================================================================
AAX_Result AAX_CEffectParameters::GetNumberOfChunks (int32_t* oNumChunks) const
{
    if (oNumChunks == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oNumChunks = 1;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const
{
    if (oChunkID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (iIndex != 0)
    {
        *oChunkID = 0;
        return AAX_ERROR_INVALID_CHUNK_INDEX;
    }

    *oChunkID = kAAX_ControlsChunkID;
    return AAX_SUCCESS;
}

bool AAX_CEffectParameters::IsFiltered (const AAX_IParameter& iParameter) const
{
    const AAX_CParamID id = iParameter.Identifier();
    return id == nullptr || mFilteredParameters.count (id) != 0;
}

template <typename Self, typename Visit>
bool AAX_CEffectParameters::VisitChunkedParameters (Self& self, Visit&& visit)
{
    int32_t numParameters = 0;
    self.GetNumberOfParameters (&numParameters);

    for (int32_t index = 0; index < numParameters; ++index)
    {
        auto* parameter = self.mParameterManager.GetParameter (index);
        AAX_ASSERT_SOURCE (kSource, NULL != parameter);

        if (parameter != nullptr && ! self.IsFiltered (*parameter) && ! visit (*parameter, parameter->Identifier()))
            return false;
    }

    return true;
}

void AAX_CEffectParameters::BuildChunkData() const
{
    mChunkParser.Clear();

    VisitChunkedParameters (*this, [this] (const AAX_IParameter& parameter, AAX_CParamID id) {
        float f = 0.0f;
        int32_t i = 0;
        bool b = false;
        double d = 0.0;
        AAX_CString s;

        if (parameter.GetValueAsFloat (&f))
            mChunkParser.AddDouble (id, static_cast<double> (f));
        else if (parameter.GetValueAsInt32 (&i))
            mChunkParser.AddInt32 (id, i);
        else if (parameter.GetValueAsBool (&b))
            mChunkParser.AddInt32 (id, b ? 1 : 0);
        else if (parameter.GetValueAsDouble (&d))
            mChunkParser.AddDouble (id, d);
        else if (parameter.GetValueAsString (&s))
            mChunkParser.AddString (id, s);

        return true;
    });
}

AAX_Result AAX_CEffectParameters::GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const
{
    if (oSize == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (iChunkID != kAAX_ControlsChunkID)
    {
        *oSize = 0;
        return AAX_ERROR_INVALID_CHUNK_ID;
    }

    AAX_CMutex::ScopedLock lock (mChunkLock);

    BuildChunkData();
    const int32_t size = mChunkParser.GetChunkDataSize();
    mLastReportedChunkSizes[std::this_thread::get_id()] = size;

    if (size < 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    *oSize = static_cast<uint32_t> (size);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const
{
    if (iChunkID != kAAX_ControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;

    if (oChunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    AAX_CMutex::ScopedLock lock (mChunkLock);

    BuildChunkData();
    const int32_t size = mChunkParser.GetChunkDataSize();

    // The record was sized by this thread's last size query; anything else may not fit.
    const auto reported = mLastReportedChunkSizes.find (std::this_thread::get_id());

    if (size <= 0 || reported == mLastReportedChunkSizes.end() || reported->second != size)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    oChunk->fVersion = mChunkParser.GetChunkVersion();
    std::memset (oChunk->fName, 0, sizeof (oChunk->fName));
    std::strncpy (oChunk->fName, kAAX_ControlsChunkName, sizeof (oChunk->fName) - 1);

    return mChunkParser.GetChunkData (oChunk);
}

AAX_Result AAX_CEffectParameters::SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk)
{
    if (iChunkID != kAAX_ControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;

    if (iChunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    AAX_CMutex::ScopedLock lock (mChunkLock);

    // The whole record is read before any value is set: one that does not read changes nothing.
    if (const AAX_Result loaded = mChunkParser.LoadChunk (iChunk); loaded != AAX_SUCCESS)
        return loaded;

    VisitChunkedParameters (*this, [this] (AAX_IParameter& parameter, AAX_CParamID id) {
        double d = 0.0;
        int32_t i = 0;
        AAX_CString s;

        switch (KindOf (parameter))
        {
            case ValueKind::Float:
                if (mChunkParser.FindDouble (id, &d)) parameter.SetValueWithFloat (static_cast<float> (d));
                break;
            case ValueKind::Int32:
                if (mChunkParser.FindInt32 (id, &i)) parameter.SetValueWithInt32 (i);
                break;
            case ValueKind::Bool:
                if (mChunkParser.FindInt32 (id, &i)) parameter.SetValueWithBool (i != 0);
                break;
            case ValueKind::Double:
                if (mChunkParser.FindDouble (id, &d)) parameter.SetValueWithDouble (d);
                break;
            case ValueKind::String:
                if (mChunkParser.FindString (id, &s)) parameter.SetValueWithString (s);
                break;
            case ValueKind::None: break;
        }

        return true;
    });

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk (const AAX_SPlugInChunk* iChunk, AAX_CBoolean* oIsEqual) const
{
    if (iChunk == nullptr || oIsEqual == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (iChunk->fChunkID != kAAX_ControlsChunkID)
    {
        *oIsEqual = 1;
        return AAX_SUCCESS;
    }

    *oIsEqual = 0;

    AAX_CMutex::ScopedLock lock (mChunkLock);

    mChunkParser.LoadChunk (iChunk);

    const bool equal = VisitChunkedParameters (*this, [this] (const AAX_IParameter& parameter, AAX_CParamID id) {
        switch (KindOf (parameter))
        {
            case ValueKind::Float:
            {
                double stored = 0.0;
                float current = 0.0f;
                parameter.GetValueAsFloat (&current);
                return mChunkParser.FindDouble (id, &stored) && static_cast<float> (stored) == current;
            }
            case ValueKind::Int32:
            {
                int32_t stored = 0, current = 0;
                parameter.GetValueAsInt32 (&current);
                return mChunkParser.FindInt32 (id, &stored) && stored == current;
            }
            case ValueKind::Bool:
            {
                int32_t stored = 0;
                bool current = false;
                parameter.GetValueAsBool (&current);
                return mChunkParser.FindInt32 (id, &stored) && (stored != 0) == current;
            }
            case ValueKind::Double:
            {
                double stored = 0.0, current = 0.0;
                parameter.GetValueAsDouble (&current);
                return mChunkParser.FindDouble (id, &stored) && static_cast<float> (stored) == static_cast<float> (current);
            }
            case ValueKind::String:
            {
                AAX_CString stored, current;
                parameter.GetValueAsString (&current);
                return mChunkParser.FindString (id, &stored) && stored == current;
            }
            case ValueKind::None:
                break;
        }

        return true;
    });

    *oIsEqual = equal ? 1 : 0;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges (int32_t* oNumChanges) const
{
    if (oNumChanges == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const int32_t changes = mNumPlugInChanges.load();

    if (changes >= 0)
        *oNumChanges = changes;

    return AAX_SUCCESS;
}

//==============================================================================
AAX_Result AAX_CEffectParameters::ReservedOperation41() { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::GetCurveData (AAX_CTypeID, const float*, uint32_t, float*) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::ReservedOperation43 (AAX_CTypeID, uint32_t, void*, uint32_t, uint32_t* oArgument5) const
{
    if (oArgument5 != nullptr)
        *oArgument5 = 0;

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::ReservedOperation44() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::ReservedOperation45() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::ReservedOperation46() { return AAX_ERROR_UNIMPLEMENTED; }
AAX_Result AAX_CEffectParameters::ReservedOperation47() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::ReservedOperation48() { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::GetCurveDataMeterIds (AAX_CTypeID, uint32_t*, uint32_t*) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetCurveDataDisplayRange (AAX_CTypeID, float*, float*, float*, float*) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::UpdatePageTable (uint32_t inTableType, int32_t inTablePageSize, IACFUnknown*, IACFUnknown* ioPageTableUnknown) const
{
    AAX_VPageTable table (ioPageTableUnknown);

    if (! table.HasInterface())
        return AAX_SUCCESS;

    return FillPageTable (inTableType, inTablePageSize, table);
}

AAX_Result AAX_CEffectParameters::EffectInit()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::FillPageTable (uint32_t, int32_t, AAX_IPageTable&) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

//==============================================================================
ACFRESULT AAX_CEffectParameters::InternalQueryInterface (const acfIID& riid, void** ppvObjOut)
{
    if (ppvObjOut != nullptr
        && (riid == IID_IAAXEffectParametersV1 || riid == IID_IAAXEffectParametersV2
            || riid == IID_IAAXEffectParametersV3 || riid == IID_IAAXEffectParametersV4))
    {
        *ppvObjOut = static_cast<AAX_IACFEffectParameters_V4*> (this);
        InternalAddRef();
        return ACF_OK;
    }

    return CACFUnknown::InternalQueryInterface (riid, ppvObjOut);
}

AAX_IController* AAX_CEffectParameters::Controller() { return mController.get(); }
const AAX_IController* AAX_CEffectParameters::Controller() const { return mController.get(); }
AAX_ITransport* AAX_CEffectParameters::Transport() { return mTransport.get(); }
const AAX_ITransport* AAX_CEffectParameters::Transport() const { return mTransport.get(); }

void AAX_CEffectParameters::FilterParameterIDOnSave (AAX_CParamID iParameterID)
{
    if (iParameterID != nullptr)
        mFilteredParameters.insert (iParameterID);
}
