#include "StandInInstance.h"
#include "StandInAutomationDelegate.h"
#include "StandInComponentDescriptor.h"
#include "StandInController.h"
#include "StandInSession.h"
#include "StandInString.h"

#include "AAX_Enums.h"
#include "AAX_Errors.h"
#include "AAX_UIDs.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>

namespace
{
    constexpr size_t kChunkHeader = offsetof (AAX_SPlugInChunk, fData);

    // The record's data size, or -1 when its size field lies about the bytes there are.
    int64_t recordDataSize (const std::vector<uint8_t>& record)
    {
        if (record.size() < kChunkHeader)
            return -1;

        int32_t size = 0;
        std::memcpy (&size, record.data() + offsetof (AAX_SPlugInChunk, fSize), sizeof (size));
        return size < 0 || static_cast<size_t> (size) > record.size() - kChunkHeader ? -1 : size;
    }

    // A copy of the record in a buffer that ends where its data ends, aligned for the header.
    std::unique_ptr<uint64_t[]> alignedCopy (const std::vector<uint8_t>& record)
    {
        auto copy = std::make_unique<uint64_t[]> ((record.size() + 8) / 8 + 1);
        std::memcpy (copy.get(), record.data(), record.size());
        return copy;
    }
}

StandInInstance::StandInInstance (StandInSession& session, StandInComponentDescriptor& component, int channels, double sampleRate)
    : mSession (session), mComponent (component), mChannels (channels), mSampleRate (sampleRate), mLink (session.Host().ControllerUnknown())
{
}

StandInInstance::~StandInInstance()
{
    Destroy();
}

bool StandInInstance::Create (std::string& error)
{
    auto& host = mSession.Host();
    void* effect = mSession.CreateObject (kAAX_ProcPtrID_Create_EffectParameters, IID_IAAXEffectParametersV4, "effect-parameters", error);

    if (effect == nullptr)
        return false;

    mEffect = static_cast<AAX_IACFEffectParameters_V4*> (effect);

    mAutomation = &host.Make<StandInAutomationDelegate> (host);
    mAutomation->SetValueSink ([this] (const std::string& id, double value) {
        mEffect->UpdateParameterNormalizedValue (id.c_str(), value, AAX_eUpdateSource_Unspecified);
    });

    mLink.SetEffect (mEffect);
    mLink.SetAutomation (mAutomation);

    auto& controller = host.Controller();
    const auto format = mChannels == 1 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo;
    controller.sampleRate = static_cast<AAX_CSampleRate> (mSampleRate);
    controller.inputStemFormat = format;
    controller.outputStemFormat = format;

    if (const auto result = mEffect->Initialize (&mLink); result != AAX_SUCCESS)
    {
        error = "the effect refused to initialise (" + std::to_string (result) + ")";
        mInitialised = true;   // Uninitialize still runs
        Destroy();
        return false;
    }

    mInitialised = true;

    if (mComponent.ProcessProcs().empty()
        || ! mProcess.Build (mComponent.Fields(), mComponent.ProcessProcs().front().processProc, *mEffect, mChannels, mChannels, error))
    {
        if (error.empty())
            error = "the component registered no process procedure";
        Destroy();
        return false;
    }

    GenerateCoefficients();
    return true;
}

void StandInInstance::Destroy()
{
    if (mEffect == nullptr)
        return;

    if (mInitialised)
        mEffect->Uninitialize();

    mInitialised = false;
    mEffect->Release();
    mEffect = nullptr;
    mLink.SetEffect (nullptr);

    if (mAutomation != nullptr)
        mAutomation->SetValueSink (nullptr);
}

std::vector<std::string> StandInInstance::ParameterIDs() const
{
    std::vector<std::string> ids;
    int32_t count = 0;

    if (mEffect == nullptr || mEffect->GetNumberOfParameters (&count) != AAX_SUCCESS)
        return ids;

    for (int32_t i = 0; i < count; ++i)
    {
        StandInString id;

        if (mEffect->GetParameterIDFromIndex (i, &id) == AAX_SUCCESS)
            ids.push_back (id.Text());
    }

    return ids;
}

std::string StandInInstance::ParameterName (const std::string& id) const
{
    StandInString name;
    mEffect->GetParameterName (id.c_str(), &name);
    return name.Text();
}

double StandInInstance::Value (const std::string& id) const
{
    double value = 0.0;
    mEffect->GetParameterNormalizedValue (id.c_str(), &value);
    return value;
}

std::string StandInInstance::ValueText (const std::string& id) const
{
    return TextOfValue (id, Value (id));
}

std::string StandInInstance::TextOfValue (const std::string& id, double normalised) const
{
    StandInString text;
    mEffect->GetParameterStringFromValue (id.c_str(), normalised, &text, 64);
    return text.Text();
}

int32_t StandInInstance::NumSteps (const std::string& id) const
{
    int32_t steps = 0;
    return mEffect->GetParameterNumberOfSteps (id.c_str(), &steps) == AAX_SUCCESS ? steps : 0;
}

bool StandInInstance::SetValue (const std::string& id, double normalised)
{
    return mEffect->SetParameterNormalizedValue (id.c_str(), normalised) == AAX_SUCCESS;
}

bool StandInInstance::ValueFromText (const std::string& id, const std::string& text, double& normalised) const
{
    return mEffect->GetParameterValueFromString (id.c_str(), &normalised, StandInString (text)) == AAX_SUCCESS;
}

std::string StandInInstance::FindParameter (const std::string& name) const
{
    for (const auto& id : ParameterIDs())
        if (ParameterName (id) == name || id == name)
            return id;

    return {};
}

std::vector<uint8_t> StandInInstance::GetChunk (AAX_CTypeID chunkID, AAX_Result& result) const
{
    uint32_t size = 0;
    result = mEffect->GetChunkSize (chunkID, &size);

    if (result != AAX_SUCCESS)
        return {};

    if (size > (1u << 30))
    {
        result = AAX_ERROR_INCORRECT_CHUNK_SIZE;
        return {};
    }

    std::vector<uint8_t> record (kChunkHeader + size);
    auto buffer = alignedCopy (record);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (buffer.get());
    chunk->fSize = static_cast<int32_t> (size);
    chunk->fChunkID = chunkID;

    result = mEffect->GetChunk (chunkID, chunk);

    if (result != AAX_SUCCESS)
        return {};

    const auto written = std::clamp<int64_t> (chunk->fSize, 0, size);
    chunk->fSize = static_cast<int32_t> (written);
    chunk->fChunkID = chunkID;
    record.resize (kChunkHeader + static_cast<size_t> (written));
    std::memcpy (record.data(), buffer.get(), record.size());
    return record;
}

AAX_Result StandInInstance::SetChunk (const std::vector<uint8_t>& record)
{
    if (recordDataSize (record) < 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    auto buffer = alignedCopy (record);
    const auto* chunk = reinterpret_cast<const AAX_SPlugInChunk*> (buffer.get());
    return mEffect->SetChunk (chunk->fChunkID, chunk);
}

AAX_Result StandInInstance::CompareChunk (const std::vector<uint8_t>& record, bool& equal) const
{
    equal = false;

    if (recordDataSize (record) < 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    auto buffer = alignedCopy (record);
    AAX_CBoolean same = 0;
    const auto result = mEffect->CompareActiveChunk (reinterpret_cast<const AAX_SPlugInChunk*> (buffer.get()), &same);
    equal = same != 0;
    return result;
}

AAX_Result StandInInstance::GenerateCoefficients()
{
    auto& controller = mSession.Host().Controller();
    std::map<int32_t, size_t> before;

    for (const auto& [port, packets] : controller.Packets())
        before[port] = packets.size();

    const auto result = mEffect->GenerateCoefficients();

    for (const auto& [port, packets] : controller.Packets())
        for (size_t i = before[port]; i < packets.size(); ++i)
            mProcess.PostPacket (port, packets[i].data(), static_cast<uint32_t> (packets[i].size()));

    return result;
}

int32_t StandInInstance::Latency() const
{
    const auto& latencies = mSession.Host().Controller().Latencies();
    return latencies.empty() ? 0 : latencies.back();
}

bool StandInInstance::SetBypass (bool bypassed)
{
    const bool set = SetValue (cDefaultMasterBypassID, bypassed ? 1.0 : 0.0);
    return GenerateCoefficients() == AAX_SUCCESS && set;
}

void StandInInstance::ProcessBlock (const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    mProcess.Process (inputs, outputs, numSamples);
}
