#include "StandInComponentDescriptor.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

#include <utility>

namespace
{
    std::string number (int64_t n) { return std::to_string (n); }

    using ProcessProc = StandInComponentDescriptor::ProcessProc;

    // A procedure reads the same whether its parts come one by one or in a property map.
    ProcessProc nativeProc (const void* process, const void* instanceInit, const void* background,
                            StandInPropertyMap::Contents properties)
    {
        ProcessProc proc;
        proc.processProc = process;
        proc.instanceInitProc = instanceInit;
        proc.backgroundProc = background;
        proc.properties = std::move (properties);
        return proc;
    }

    ProcessProc tiProc (std::string dllName, std::string processSymbol, std::string instanceInitSymbol,
                        std::string backgroundSymbol, StandInPropertyMap::Contents properties)
    {
        ProcessProc proc;
        proc.native = false;
        proc.dllName = std::move (dllName);
        proc.processSymbol = std::move (processSymbol);
        proc.instanceInitSymbol = std::move (instanceInitSymbol);
        proc.backgroundSymbol = std::move (backgroundSymbol);
        proc.properties = std::move (properties);
        return proc;
    }
}

StandInComponentDescriptor::StandInComponentDescriptor (StandInHost& host)
    : StandInObject ("component descriptor"), mHost (host)
{
}

ACFRESULT StandInComponentDescriptor::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXComponentDescriptorV1
        || iid == IID_IAAXComponentDescriptorV2 || iid == IID_IAAXComponentDescriptorV3;
    return Answer (mHost.Offers (iid), known ? static_cast<AAX_IACFComponentDescriptor_V3*> (this) : nullptr, ppOut);
}

acfUInt32 StandInComponentDescriptor::AddRef() { return CountAddRef(); }
acfUInt32 StandInComponentDescriptor::Release() { return CountRelease(); }

AAX_Result StandInComponentDescriptor::Clear()
{
    NoteCall ("Clear");
    mFields.clear();
    mProcessProcs.clear();
    return AAX_SUCCESS;
}

AAX_Result StandInComponentDescriptor::AddReservedField (AAX_CFieldIndex i, uint32_t type) { return Keep ("AddReservedField", mFields, "reserved " + number (i) + " " + number (type)); }
AAX_Result StandInComponentDescriptor::AddAudioIn (AAX_CFieldIndex i) { return Keep ("AddAudioIn", mFields, "audio in " + number (i)); }
AAX_Result StandInComponentDescriptor::AddAudioOut (AAX_CFieldIndex i) { return Keep ("AddAudioOut", mFields, "audio out " + number (i)); }
AAX_Result StandInComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex i) { return Keep ("AddAudioBufferLength", mFields, "buffer length " + number (i)); }
AAX_Result StandInComponentDescriptor::AddSampleRate (AAX_CFieldIndex i) { return Keep ("AddSampleRate", mFields, "sample rate " + number (i)); }
AAX_Result StandInComponentDescriptor::AddClock (AAX_CFieldIndex i) { return Keep ("AddClock", mFields, "clock " + number (i)); }
AAX_Result StandInComponentDescriptor::AddSideChainIn (AAX_CFieldIndex i) { return Keep ("AddSideChainIn", mFields, "side chain " + number (i)); }

AAX_Result StandInComponentDescriptor::AddMeters (AAX_CFieldIndex i, const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount)
{
    std::string line = "meters " + number (i);

    for (uint32_t m = 0; inMeterIDs != nullptr && m < inMeterCount; ++m)
        line += " " + number (inMeterIDs[m]);

    return Keep ("AddMeters", mFields, line);
}

AAX_Result StandInComponentDescriptor::AddMIDINode (AAX_CFieldIndex i, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask)
{
    return Keep ("AddMIDINode", mFields, "midi node " + number (i) + " " + number (inNodeType) + " " + Text (inNodeName) + " " + number (inChannelMask));
}

AAX_Result StandInComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex i, int32_t inStemFormat, const char* inNameUTF8)
{
    return Keep ("AddAuxOutputStem", mFields, "aux output " + number (i) + " " + number (inStemFormat) + " " + Text (inNameUTF8));
}

AAX_Result StandInComponentDescriptor::AddPrivateData (AAX_CFieldIndex i, int32_t inDataSize, uint32_t inOptions)
{
    return Keep ("AddPrivateData", mFields, "private data " + number (i) + " " + number (inDataSize) + " " + number (inOptions));
}

AAX_Result StandInComponentDescriptor::AddDataInPort (AAX_CFieldIndex i, uint32_t inPacketSize)
{
    return Keep ("AddDataInPort", mFields, "data in " + number (i) + " " + number (inPacketSize));
}

AAX_Result StandInComponentDescriptor::AddDmaInstance (AAX_CFieldIndex i, int32_t inDmaMode)
{
    return Keep ("AddDmaInstance", mFields, "dma " + number (i) + " " + number (inDmaMode));
}

AAX_Result StandInComponentDescriptor::AddTemporaryData (AAX_CFieldIndex i, uint32_t inDataElementSize)
{
    return Keep ("AddTemporaryData", mFields, "temporary data " + number (i) + " " + number (inDataElementSize));
}

AAX_CTypeID StandInComponentDescriptor::Register (ProcessProc proc, AAX_CTypeID* outProcID)
{
    proc.id = mHost.NextProcessProcID();
    mProcessProcs.push_back (proc);

    if (outProcID != nullptr)
        *outProcID = proc.id;

    return proc.id;
}

AAX_Result StandInComponentDescriptor::AddProcessProcNative (void* inProcessProc, IACFUnknown* inProperties, void* inInstanceInitProc,
                                                             void* inBackgroundProc, AAX_CTypeID* outProcID)
{
    NoteCall ("AddProcessProcNative");
    Register (nativeProc (inProcessProc, inInstanceInitProc, inBackgroundProc, StandInPropertyMap::ContentsOf (inProperties)), outProcID);
    return AAX_SUCCESS;
}

AAX_Result StandInComponentDescriptor::AddProcessProcTI (const char* inDLLFileNameUTF8, const char* inProcessProcSymbol, IACFUnknown* inProperties,
                                                         const char* inInstanceInitProcSymbol, const char* inBackgroundProcSymbol, AAX_CTypeID* outProcID)
{
    NoteCall ("AddProcessProcTI");
    Register (tiProc (Text (inDLLFileNameUTF8), Text (inProcessProcSymbol), Text (inInstanceInitProcSymbol), Text (inBackgroundProcSymbol),
                      StandInPropertyMap::ContentsOf (inProperties)),
              outProcID);
    return AAX_SUCCESS;
}

AAX_Result StandInComponentDescriptor::AddProcessProcs (IACFUnknown* inProperties, AAX_CTypeID* outProcIDs, int32_t inProcIDsSize)
{
    NoteCall ("AddProcessProcs");

    const auto contents = StandInPropertyMap::ContentsOf (inProperties);
    const auto pointer = [&contents] (int32_t id) -> const void* {
        const auto found = contents.pointers.find (id);
        return found != contents.pointers.end() ? found->second : nullptr;
    };
    const auto textOf = [&contents] (int32_t id) {
        const auto found = contents.texts.find (id);
        return found != contents.texts.end() ? found->second : std::string ("(null)");
    };

    std::vector<AAX_CTypeID> ids;

    if (contents.Has (AAX_eProperty_PlugInID_Native) || contents.Has (AAX_eProperty_PlugInID_AudioSuite))
    {
        ids.push_back (Register (nativeProc (pointer (AAX_eProperty_NativeProcessProc), pointer (AAX_eProperty_NativeInstanceInitProc),
                                             pointer (AAX_eProperty_NativeBackgroundProc), contents),
                                 nullptr));
    }

    if (contents.Has (AAX_eProperty_PlugInID_TI))
    {
        ids.push_back (Register (tiProc (textOf (AAX_eProperty_TIDLLFileName), textOf (AAX_eProperty_TIProcessProc),
                                         textOf (AAX_eProperty_TIInstanceInitProc), textOf (AAX_eProperty_TIBackgroundProc), contents),
                                 nullptr));
    }

    if (outProcIDs != nullptr)
    {
        if (static_cast<int64_t> (ids.size()) >= inProcIDsSize)
            return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;

        for (size_t i = 0; i < ids.size(); ++i)
            outProcIDs[i] = ids[i];

        outProcIDs[ids.size()] = 0;
    }

    return AAX_SUCCESS;
}
