#pragma once

#include "StandInFrameRing.h"
#include "StandInGui.h"
#include "StandInRenderer.h"
#include "StandInWavFile.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

class StandInInstance;
class StandInSession;

// Message thread: every operation; the audio thread it starts calls nothing but the
// instance's ProcessBlock.
// The editor as a host shows it: the plug-in's GUI object in a window of the host's own (a
// native view container), while an audio thread of the host's passes the input file, looped,
// or the test tone through the plug-in in blocks paced at the sample rate. No sound device is
// opened. All file work stays on the message thread; the audio crosses through two rings.
class StandInEditorRun
{
public:
    StandInEditorRun (StandInSession& session, StandInInstance& instance, int blockSize);
    ~StandInEditorRun();

    StandInEditorRun (const StandInEditorRun&) = delete;
    StandInEditorRun& operator= (const StandInEditorRun&) = delete;

    // Before the session opens. One line saying why no window can open (no X display), or empty.
    static std::string DisplayProblem();

    // Opens the editor in a window with this title, sized to the editor.
    bool Open (const std::string& title, std::string& error);
    uint64_t Window() const { return mGui.Window(); }

    // Starts the audio thread on the input file (looped) or, when input is empty, the test tone.
    bool StartAudio (const std::string& input, std::string& error);

    // One turn of the host's loop: JUCE's messages for a while, the editor's size onto the
    // window, the editor's parameter changes into coefficients (and onto report, when given),
    // the input into its ring and the rendered audio out of its ring into output (when given).
    // False with a reason when a file failed.
    bool Turn (int milliseconds, StandInWavFile* output, std::ostream* report, std::string& error);

    // Turns until the user closes the window; writes what passed through the plug-in to output.
    bool RunUntilClosed (StandInWavFile* output, std::ostream* report, std::string& error);

    // Stops the audio thread (the rest of its audio goes to output) and closes the editor.
    bool Stop (StandInWavFile* output, std::string& error);

    // The editor's size as the host window has it.
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

    // --snapshot: a picture of the editor, written as a PNG file. 0 on success, 1 with a reason on err.
    static int Snapshot (const StandInRenderer::Options& options, std::ostream& out, std::ostream& err);

private:
    void Play();
    bool Feed (std::string& error);
    bool Drain (StandInWavFile* output, std::string& error);
    void FollowSize (std::ostream* report);
    void ReportChanges (std::ostream& report);
    // Turns until the window's picture holds still at the editor's size; false after too many.
    bool StillPicture (int& width, int& height, std::vector<uint8_t>& rgb);

    StandInSession& mSession;
    StandInInstance& mInstance;
    StandInGui mGui;
    const size_t mBlockSize;
    const int mChannels;
    int mWidth = 0, mHeight = 0;
    size_t mSizesSeen = 0;

    std::string mInputPath;
    std::unique_ptr<StandInWavFile> mInput;
    std::unique_ptr<StandInFrameRing> mToPlugin, mFromPlugin;
    std::vector<std::vector<float>> mScratch;

    std::thread mAudio;
    std::mutex mWaitLock;
    std::condition_variable mWake;
    bool mStopping = false;
};
