#include "StandInProcess.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace
{
    // A field record: its kind (the words before the index), the index and the numbers after it.
    struct FieldRecord
    {
        std::string kind;
        int32_t index = -1;
        std::vector<int64_t> numbers;
    };

    FieldRecord parse (const std::string& line)
    {
        FieldRecord record;
        std::istringstream words (line);
        std::string word;

        while (words >> word)
        {
            const bool isNumber = ! word.empty() && (std::isdigit (static_cast<unsigned char> (word[0])) || (word[0] == '-' && word.size() > 1));

            if (record.index < 0 && ! isNumber)
                record.kind += (record.kind.empty() ? "" : " ") + word;
            else if (record.index < 0)
                record.index = static_cast<int32_t> (std::stol (word));
            else if (isNumber)
                record.numbers.push_back (std::stoll (word));
        }

        return record;
    }
}

StandInProcess::~StandInProcess() = default;

void* StandInProcess::Block (size_t bytes)
{
    const size_t words = std::max<size_t> (1, (bytes + sizeof (uint64_t) - 1) / sizeof (uint64_t));
    mBlocks.push_back (std::make_unique<uint64_t[]> (words));   // zeroed
    return mBlocks.back().get();
}

bool StandInProcess::Build (const std::vector<std::string>& fields, const void* processProc, const AAX_IACFEffectParameters& effect,
                            int numInputs, int numOutputs, std::string& error)
{
    if (processProc == nullptr)
    {
        error = "the component registered no native process procedure";
        return false;
    }

    mProc = reinterpret_cast<NativeProcessProc> (const_cast<void*> (processProc));
    mNumInputs = numInputs;
    mNumOutputs = numOutputs;
    mInputs.assign (static_cast<size_t> (std::max (numInputs, 1)), nullptr);
    mOutputs.assign (static_cast<size_t> (std::max (numOutputs, 1)), nullptr);

    std::vector<FieldRecord> records;
    int32_t highest = -1;

    for (const auto& line : fields)
    {
        records.push_back (parse (line));
        highest = std::max (highest, records.back().index);
    }

    mContext.assign (static_cast<size_t> (highest + 1), nullptr);

    for (const auto& field : records)
    {
        if (field.index < 0)
            continue;

        auto& slot = mContext[static_cast<size_t> (field.index)];
        const int64_t size = field.numbers.empty() ? 0 : field.numbers.front();

        if (field.kind == "audio in")
            slot = mInputs.data();
        else if (field.kind == "audio out")
            slot = mOutputs.data();
        else if (field.kind == "buffer length")
            slot = &mBufferLength;
        else if (field.kind == "data in")
        {
            Port port { field.index, nullptr, static_cast<uint32_t> (std::max<int64_t> (size, 0)) };
            port.data = std::make_unique<uint64_t[]> (std::max<size_t> (1, (port.size + 7) / 8));
            slot = port.data.get();
            mPorts.push_back (std::move (port));
        }
        else if (field.kind == "midi node")
        {
            if (! field.numbers.empty() && field.numbers.front() != 0)
            {
                error = "the stand-in host offers only a local MIDI input node (field " + std::to_string (field.index) + ")";
                return false;
            }

            mMIDIField = field.index;
            slot = static_cast<AAX_IMIDINode*> (&mMIDI);
        }
        else if (field.kind == "private data" || field.kind == "temporary data")
        {
            if (size < 0 || size > (1 << 20))
            {
                error = "unreasonable private data size " + std::to_string (size) + " in field " + std::to_string (field.index);
                return false;
            }

            slot = Block (static_cast<size_t> (size));

            // The effect initialises its private data itself.
            if (field.kind == "private data")
                effect.ResetFieldData (field.index, slot, static_cast<uint32_t> (size));
        }
        else if (field.kind == "meters")
        {
            for (size_t m = 1; m < field.numbers.size() + 1; ++m)
            {
                mMeterTaps.push_back (std::make_unique<float[]> (1));
                mMeterPointers.push_back (mMeterTaps.back().get());
            }

            mMeterPointers.push_back (nullptr);
            slot = mMeterPointers.data();
        }
        else if (field.kind == "side chain")
            slot = Block (sizeof (int32_t));   // no side chain connected: index 0
        else if (field.kind == "sample rate" || field.kind == "clock")
            slot = Block (sizeof (uint64_t));
        else
        {
            error = "the stand-in host cannot provide field " + std::to_string (field.index) + " (" + field.kind + ")";
            return false;
        }
    }

    for (size_t i = 0; i < mContext.size(); ++i)
    {
        if (mContext[i] == nullptr)
        {
            error = "the component leaves field " + std::to_string (i) + " of its context undescribed";
            return false;
        }
    }

    return true;
}

std::vector<int32_t> StandInProcess::Ports() const
{
    std::vector<int32_t> ports;

    for (const auto& port : mPorts)
        ports.push_back (port.field);

    return ports;
}

bool StandInProcess::PostPacket (int32_t port, const void* bytes, uint32_t size)
{
    const auto known = std::any_of (mPorts.begin(), mPorts.end(), [port] (const Port& p) { return p.field == port; });
    const auto head = mQueueHead.load (std::memory_order_relaxed);

    if (! known || bytes == nullptr || size > sizeof (PendingPacket::bytes)
        || head - mQueueTail.load (std::memory_order_acquire) >= kQueueSize)
        return false;

    auto& pending = mQueue[head % kQueueSize];
    pending.port = port;
    pending.size = size;
    std::memcpy (pending.bytes, bytes, size);
    mQueueHead.store (head + 1, std::memory_order_release);
    return true;
}

void StandInProcess::DeliverPackets()
{
    auto tail = mQueueTail.load (std::memory_order_relaxed);
    const auto head = mQueueHead.load (std::memory_order_acquire);

    // Most blocks carry no packet: no store back, no line handed to the main thread.
    if (tail == head)
        return;

    for (; tail != head; ++tail)
    {
        const auto& pending = mQueue[tail % kQueueSize];

        for (auto& port : mPorts)
        {
            if (port.field == pending.port)
            {
                std::memset (port.data.get(), 0, port.size);
                std::memcpy (port.data.get(), pending.bytes, std::min (port.size, pending.size));
            }
        }
    }

    mQueueTail.store (tail, std::memory_order_release);
}

void StandInProcess::Process (const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    DeliverPackets();

    for (int i = 0; i < mNumInputs; ++i)
        mInputs[static_cast<size_t> (i)] = inputs[i];

    for (int i = 0; i < mNumOutputs; ++i)
        mOutputs[static_cast<size_t> (i)] = outputs[i];

    mBufferLength = numSamples;

    void* const instances[] = { mContext.data() };
    mProc (instances, instances + 1);

    mMIDI.Clear();
}

std::vector<uint8_t> StandInProcess::PortData (int32_t port) const
{
    for (const auto& p : mPorts)
        if (p.field == port)
        {
            const auto* bytes = reinterpret_cast<const uint8_t*> (p.data.get());
            return std::vector<uint8_t> (bytes, bytes + p.size);
        }

    return {};
}
