// Fails when block processing allocates memory. Under AddressSanitizer every allocation is seen
// through the sanitizer's hooks (malloc and new alike); otherwise through operator new.

#include "core/PluginAudioProcessor.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <atomic>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define GRINDEL_ALLOCATION_HOOKS 1
// The sanitizer runtime's own interface; gcc ships no header for it.
extern "C" int __sanitizer_install_malloc_and_free_hooks (void (*) (const volatile void*, size_t),
                                                          void (*) (const volatile void*));
#endif

namespace
{
    thread_local bool watching = false;
    std::atomic<int> allocations { 0 };

    void noteAllocation() noexcept
    {
        if (watching)
            ++allocations;
    }

#if GRINDEL_ALLOCATION_HOOKS
    void mallocHook (const volatile void*, size_t)
    {
        noteAllocation();
    }
    void freeHook (const volatile void*) {}
    [[maybe_unused]] const int installed = __sanitizer_install_malloc_and_free_hooks (mallocHook, freeHook);
#endif

    struct ScopedWatch
    {
        ScopedWatch()
        {
            allocations = 0;
            watching = true;
        }
        ~ScopedWatch() { watching = false; }
    };
}

#if ! GRINDEL_ALLOCATION_HOOKS
void* operator new (std::size_t size)
{
    noteAllocation();

    if (auto* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}

void operator delete (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
#endif

TEST (NoAllocation, BlockProcessingAllocatesNothing)
{
    test::ScopedDataRoot root;
    PluginAudioProcessor processor;
    auto& plugin = processor.getPlugin();
    plugin.getMidiControlMap().setParameter (1, plugin.getParameterManager().getParameters().getFirst());

    // Make sure the counting itself works before trusting a zero.
    {
        ScopedWatch watch;
        auto* probe = new int (3);
        delete probe;
        ASSERT_GT (allocations.load(), 0);
    }

    for (int blockSize : { 32, 512 })
    {
        processor.prepareToPlay (48000.0, blockSize);
        juce::AudioBuffer<float> buffer (2, blockSize);
        juce::MidiBuffer midi, empty;
        midi.ensureSize (1024);

        for (int i = 0; i < 8; ++i)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, i % 2 == 0 ? 1 : 2, i * 15), i * blockSize / 8);

        midi.addEvent (juce::MidiMessage::noteOn (1, 64, 0.7f), blockSize / 2);
        juce::MidiBuffer copy (midi);

        {
            ScopedWatch watch;

            for (int block = 0; block < 50; ++block)
            {
                buffer.clear();
                processor.processBlock (buffer, block % 3 == 0 ? copy : empty);
                processor.processBlockBypassed (buffer, empty);
            }

            processor.setNonRealtime (true);
            processor.processBlock (buffer, copy);
            processor.setNonRealtime (false);
            processor.processBlock (buffer, copy);
        }

        EXPECT_EQ (allocations.load(), 0) << "block size " << blockSize;
        processor.releaseResources();
    }
}
