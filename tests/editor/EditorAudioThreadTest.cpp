#include "EditorTestSupport.h"
#include "editor/OptionsWindow.h"
#include "editor/StatusBar.h"
#include "skin/Panel.h"
#include <atomic>
#include <thread>

using edtest::EditorRig;

namespace
{
    /** Stands in for the audio thread in the middle of a block: holds the host's callback lock
        until released, or until a deadline that only an editor waiting for it would reach. */
    class BusyAudioThread
    {
    public:
        explicit BusyAudioThread (juce::AudioProcessor& processor)
            : worker ([this, &processor] {
                  const juce::ScopedLock callback (processor.getCallbackLock());
                  held = true;
                  timedOut = ! release.wait (deadlineMs);
              })
        {
            while (! held)
                std::this_thread::yield();
        }

        ~BusyAudioThread()
        {
            release.signal();
            worker.join();
        }

        /** Whether the thread had to let go at its deadline (someone waited for the lock). */
        bool hasTimedOut() const { return timedOut; }

        static constexpr int deadlineMs = 30000;

    private:
        juce::WaitableEvent release;
        std::atomic<bool> held { false }, timedOut { false };
        std::thread worker;
    };
}

TEST (EditorAudioThread, OpeningTheEditorAndChangingSkinNeverWaitForTheCallbackLock)
{
    EditorRig rig ({ "1180", "885" });
    auto& editor = rig.getEditor();
    const auto started = juce::Time::getMillisecondCounter();

    {
        BusyAudioThread audio (rig.getProcessor());

        // The first show: package read, widgets built, first paint.
        auto& window = rig.openHostWindow();
        EXPECT_TRUE (window.createComponentSnapshot (window.getLocalBounds()).isValid());
        EXPECT_EQ (editor.getCurrentSkinName(), "1180");

        // A later, asynchronous load, and the options window.
        editor.changeSkin ("885", false);
        EXPECT_TRUE (test::pumpUntil ([&] { return editor.loads == 2; }, 20000));
        editor.getOptionsWindow()->show();
        editor.getStatusBar()->showTimedMessage ("x");
        EXPECT_TRUE (window.createComponentSnapshot (window.getLocalBounds()).isValid());
        editor.getOptionsWindow()->hide();

        EXPECT_FALSE (audio.hasTimedOut());
    }

    EXPECT_LT (juce::Time::getMillisecondCounter() - started, (juce::uint32) BusyAudioThread::deadlineMs);
    EXPECT_EQ (editor.getCurrentSkinName(), "885");
}
