#include "StandInEditorRun.h"
#include "StandInInterrupt.h"
#include "StandInAutomationDelegate.h"
#include "StandInInstance.h"
#include "StandInPngFile.h"
#include "StandInSession.h"
#include "StandInViewContainer.h"
#include "StandInX11Display.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{
    namespace fs = std::filesystem;

    // The test tone of a render: 440 Hz on the left, 660 Hz on the right.
    void makeTone (std::vector<std::vector<float>>& channels, uint64_t start, size_t frames, double sampleRate)
    {
        for (size_t i = 0; i < frames; ++i)
        {
            const double phase = 2.0 * M_PI * 440.0 * static_cast<double> (start + i) / sampleRate;
            channels[0][i] = static_cast<float> (0.5 * std::sin (phase));
            if (channels.size() > 1)
                channels[1][i] = static_cast<float> (0.5 * std::sin (phase * 1.5));
        }
    }

    std::vector<float*> pointers (std::vector<std::vector<float>>& channels)
    {
        std::vector<float*> p;
        for (auto& channel : channels)
            p.push_back (channel.data());
        return p;
    }

    // The browse button of the product's skins, in the layout drawn for 1180 pixels
    // (resources/skins/PluginEditor.orvikgui); the other sizes are that layout scaled.
    constexpr int kLayoutWidth = 1180, kBrowseX = 810, kBrowseY = 20, kBrowseSize = 32;

    // Turns of the host loop that a snapshot waits at most for the editor to settle.
    constexpr int kSettleTurns = 1500, kTurnMilliseconds = 20;

    // A data root of the snapshot's own: the build's content and a fresh user folder whose
    // settings name the skin, so a picture shows the factory state, never the user's own,
    // and the user's settings stay as they were.
    class ScratchDataRoot
    {
    public:
        bool Make (int skin, std::string& error)
        {
            const char* content = std::getenv ("GRINDEL_DATA_ROOT");

            if (content == nullptr || *content == 0)
            {
                error = "--snapshot needs the build's content: set GRINDEL_DATA_ROOT or name a bundle in a build folder";
                return false;
            }

            // Without skins the editor shows an error instead of itself: not a picture to write.
            const auto skins = fs::path (content) / "Common" / "Application Support" / "Orvik Group" / "Grindel 2" / "Skins";
            mSkinWidths = skinWidths (skins);

            if (mSkinWidths.empty() || (skin != 0 && std::find (mSkinWidths.begin(), mSkinWidths.end(), skin) == mSkinWidths.end()))
            {
                error = "--snapshot: GRINDEL_DATA_ROOT " + std::string (content) + " holds no " + (skin != 0 ? "skin " + std::to_string (skin) : std::string ("skins"))
                    + " (" + skins.string() + "/*.orvikskin)";
                return false;
            }

            std::string pattern = (fs::temp_directory_path() / "grindel-snapshot-XXXXXX").string();

            if (mkdtemp (pattern.data()) == nullptr)
            {
                error = "cannot make a temporary folder for the snapshot";
                return false;
            }

            mRoot = pattern;
            std::error_code ec;
            const auto user = mRoot / "User" / "Application Support" / "Orvik Group" / "Grindel 2";
            fs::create_directories (user, ec);
            if (! ec)
                fs::create_directory_symlink (fs::absolute (fs::path (content) / "Common", ec), mRoot / "Common", ec);

            if (! ec && skin != 0)
            {
                std::ofstream settings (user / "Grindel 2.ini");
                settings << "<UserSettings><Editor><Skin name=\"" << skin << "\"/></Editor></UserSettings>\n";
                if (! settings.flush())
                    ec = std::make_error_code (std::errc::io_error);
            }

            if (ec)
            {
                error = "cannot prepare the snapshot's data folder " + mRoot.string() + ": " + ec.message();
                return false;
            }

            mPrevious = content;
            setenv ("GRINDEL_DATA_ROOT", mRoot.c_str(), 1);
            return true;
        }

        ~ScratchDataRoot()
        {
            if (! mPrevious.empty())
                setenv ("GRINDEL_DATA_ROOT", mPrevious.c_str(), 1);

            std::error_code ec;
            if (! mRoot.empty())
                fs::remove_all (mRoot, ec);
        }

        // The user's data root, whose content the snapshot shows.
        const std::string& Content() const { return mPrevious; }
        // The widths of the skins the content holds.
        const std::vector<int>& SkinWidths() const { return mSkinWidths; }

    private:
        // A skin file is named after its width: "1180.orvikskin".
        static std::vector<int> skinWidths (const fs::path& folder)
        {
            std::vector<int> widths;
            std::error_code ec;

            for (const auto& entry : fs::directory_iterator (folder, ec))
            {
                const auto name = entry.path().stem().string();

                if (entry.path().extension() == ".orvikskin" && ! name.empty() && name.size() < 6
                    && std::all_of (name.begin(), name.end(), [] (char c) { return c >= '0' && c <= '9'; }) && std::stoi (name) > 0)
                    widths.push_back (std::stoi (name));
            }

            return widths;
        }

        fs::path mRoot;
        std::string mPrevious;
        std::vector<int> mSkinWidths;
    };
}

StandInEditorRun::StandInEditorRun (StandInSession& session, StandInInstance& instance, int blockSize)
    : mSession (session), mInstance (instance), mGui (instance), mBlockSize (static_cast<size_t> (blockSize)), mChannels (instance.Channels())
{
}

StandInEditorRun::~StandInEditorRun()
{
    std::string ignored;
    Stop (nullptr, ignored);
}

std::string StandInEditorRun::DisplayProblem()
{
    const char* name = std::getenv ("DISPLAY");

    if (name == nullptr || *name == 0)
        return "the editor needs an X display, and DISPLAY is not set (--snapshot draws it without one)";
    if (! StandInX11Display::Shared().Open())
        return std::string ("the editor needs an X display, and ") + name + " cannot be opened";
    return {};
}

bool StandInEditorRun::Open (const std::string& title, std::string& error)
{
    if (! mGui.Open (true, error))
        return false;

    if (! mGui.HasWindow())
    {
        error = "no X display to open the editor's window on";
        return false;
    }

    if (! mGui.ViewSize (mWidth, mHeight))
    {
        error = "the plug-in reports no size for its editor";
        return false;
    }

    auto& display = StandInX11Display::Shared();
    display.Describe (mGui.Window(), title);
    display.Resize (mGui.Window(), mWidth, mHeight);
    mSizesSeen = mGui.Container()->SizeRequests().size();
    return true;
}

bool StandInEditorRun::StartAudio (const std::string& input, std::string& error)
{
    const auto rate = mInstance.SampleRate();
    const auto capacity = std::max (mBlockSize * 4, static_cast<size_t> (rate));
    mInputPath = input;
    mToPlugin = std::make_unique<StandInFrameRing> (mChannels, capacity);
    mFromPlugin = std::make_unique<StandInFrameRing> (mChannels, capacity);
    mScratch.assign (static_cast<size_t> (mChannels), std::vector<float> (std::max<size_t> (mBlockSize, 4096)));

    if (! mInputPath.empty() && ! Feed (error))
        return false;

    mStopping = false;
    mAudio = std::thread ([this] { Play(); });
    return true;
}

void StandInEditorRun::Play()
{
    // Buffers made before the first block: this thread allocates nothing while it plays.
    std::vector<std::vector<float>> input (static_cast<size_t> (mChannels), std::vector<float> (mBlockSize)), rendered = input;
    const auto inputs = pointers (input), outputs = pointers (rendered);
    const bool tone = mInputPath.empty();
    const auto rate = mInstance.SampleRate();
    const auto period = std::chrono::duration_cast<std::chrono::steady_clock::duration> (
        std::chrono::duration<double> (static_cast<double> (mBlockSize) / rate));
    uint64_t position = 0;
    auto due = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock (mWaitLock);

    for (;;)
    {
        due += period;

        if (mWake.wait_until (lock, due, [this] { return mStopping; }))
            break;

        // After a stall (a suspended process), go on from now instead of catching up in a burst.
        if (const auto now = std::chrono::steady_clock::now(); now - due > std::chrono::seconds (1))
            due = now;

        // A block waits for its input and for room for its output: the render never has gaps.
        if (mFromPlugin->Writable() < mBlockSize)
            continue;

        if (tone)
            makeTone (input, position, mBlockSize, rate);
        else if (! mToPlugin->Read (inputs.data(), mBlockSize))
            continue;

        mInstance.ProcessBlock (inputs.data(), outputs.data(), static_cast<int32_t> (mBlockSize));
        mFromPlugin->Write (outputs.data(), mBlockSize);
        position += mBlockSize;
    }
}

bool StandInEditorRun::Feed (std::string& error)
{
    bool reopened = false;

    while (mToPlugin->Writable() >= mScratch[0].size())
    {
        if (mInput == nullptr)
        {
            mInput = std::make_unique<StandInWavFile>();
            if (! mInput->OpenForReading (mInputPath, error))
                return false;
            if (mInput->NumChannels() != mChannels)
            {
                error = "input " + mInputPath + " changed while it played";
                return false;
            }
        }

        const auto frames = mInput->ReadFrames (mScratch, mScratch[0].size());

        if (frames == 0)
        {
            // The end of the file: it plays again from its start.
            if (reopened)
            {
                error = "input " + mInputPath + " holds no audio to play";
                return false;
            }

            mInput.reset();
            reopened = true;
            continue;
        }

        reopened = false;
        const auto from = pointers (mScratch);
        mToPlugin->Write (from.data(), frames);
    }

    return true;
}

bool StandInEditorRun::Drain (StandInWavFile* output, std::string& error)
{
    while (const auto ready = std::min (mFromPlugin->Readable(), mScratch[0].size()))
    {
        const auto to = pointers (mScratch);
        mFromPlugin->Read (to.data(), ready);

        if (output != nullptr && ! output->WriteFrames (mScratch, ready, error))
            return false;
    }

    return true;
}

void StandInEditorRun::FollowSize (std::ostream* report)
{
    const auto& sizes = mGui.Container()->SizeRequests();

    if (sizes.size() == mSizesSeen)
        return;

    mSizesSeen = sizes.size();
    const int width = static_cast<int> (sizes.back().horz), height = static_cast<int> (sizes.back().vert);

    if (width == mWidth && height == mHeight)
        return;

    mWidth = width;
    mHeight = height;
    StandInX11Display::Shared().Resize (mGui.Window(), width, height);

    if (report != nullptr)
        *report << "editor size: " << width << " x " << height << std::endl;
}

void StandInEditorRun::ReportChanges (std::ostream& report)
{
    auto& automation = mInstance.Automation();

    // A gesture ends when its last touch is released (a plug-in touches again inside a gesture
    // for each value it sets): the value the user left the control at, once a turn.
    std::vector<std::string> released;

    for (const auto& event : automation.Events())
        if (event.kind == StandInAutomationDelegate::EventKind::Release && ! automation.Touched (event.parameterID)
            && std::find (released.begin(), released.end(), event.parameterID) == released.end())
            released.push_back (event.parameterID);

    for (const auto& id : released)
        report << "editor: \"" << mInstance.ParameterName (id) << "\" " << mInstance.ValueText (id) << std::endl;

    automation.ClearRecords();
}

bool StandInEditorRun::Turn (int milliseconds, StandInWavFile* output, std::ostream* report, std::string& error)
{
    mSession.Pump (milliseconds);
    mInstance.GenerateCoefficients();
    FollowSize (report);

    if (report != nullptr)
        ReportChanges (*report);
    else
        mInstance.Automation().ClearRecords();

    if (mAudio.joinable() && ! mInputPath.empty() && ! Feed (error))
        return false;

    return ! mAudio.joinable() || Drain (output, error);
}

bool StandInEditorRun::RunUntilClosed (StandInWavFile* output, std::ostream* report, std::string& error)
{
    if (report != nullptr)
        *report << "editor window 0x" << std::hex << mGui.Window() << std::dec << ": " << mWidth << " x " << mHeight
                << "; close it to end the run\n"
                << "the about window: hold Ctrl (the Command key on a Mac) and click the round options button at the top right"
                << std::endl;

    // Ctrl+C or a termination request while the window is open ends the run as closing the
    // window does, so the render is finished and the chunks are written.
    const StandInInterrupt interrupts;
    StandInX11Display::Shared().HandFocusToChild (mGui.Window());

    while (! StandInX11Display::Shared().TakeCloseRequest (mGui.Window()) && ! StandInInterrupt::Came())
        if (! Turn (kTurnMilliseconds, output, report, error))
        {
            std::string ignored;
            Stop (nullptr, ignored);
            return false;
        }

    return Stop (output, error);
}

bool StandInEditorRun::Stop (StandInWavFile* output, std::string& error)
{
    bool drained = true;

    if (mAudio.joinable())
    {
        {
            std::lock_guard<std::mutex> lock (mWaitLock);
            mStopping = true;
        }
        mWake.notify_all();
        mAudio.join();
        drained = Drain (output, error);
    }

    mInput.reset();

    if (mGui.IsOpen())
    {
        mGui.Close();
        mSession.Pump (0);
    }

    return drained;
}

bool StandInEditorRun::StillPicture (int& width, int& height, std::vector<uint8_t>& rgb)
{
    std::vector<uint8_t> previous;
    int still = 0;

    for (int turn = 0; turn < kSettleTurns; ++turn)
    {
        std::string ignored;
        Turn (kTurnMilliseconds, nullptr, nullptr, ignored);

        if (! StandInX11Display::Shared().Capture (mGui.Window(), width, height, rgb) || width != mWidth || height != mHeight)
        {
            still = 0;
            continue;
        }

        // Three equal pictures in a row, and more than one colour in them (a window not yet
        // painted is all black).
        const bool painted = std::adjacent_find (rgb.begin(), rgb.end(), std::not_equal_to<>()) != rgb.end();
        still = painted && rgb == previous ? still + 1 : 0;
        previous.swap (rgb);

        if (still == 2)
        {
            rgb = previous;
            return true;
        }
    }

    return false;
}

int StandInEditorRun::Snapshot (const StandInRenderer::Options& o, std::ostream& out, std::ostream& err)
{
    std::string error;

    if (const auto problem = DisplayProblem(); ! problem.empty())
    {
        err << "--snapshot needs an X display (scripts/run.sh starts Xvfb for it): " << problem << "\n";
        return 1;
    }

    ScratchDataRoot root;

    if (! root.Make (o.skin, error))
    {
        err << error << "\n";
        return 1;
    }

    StandInSession session;

    if (! session.Open (o.bundle))
    {
        err << session.Error() << "\n";
        return 1;
    }

    int result = 1;
    {
        auto instance = session.CreateInstance (2, 48000.0, error);

        if (instance != nullptr)
        {
            StandInEditorRun run (session, *instance, o.blockSize);
            const auto& names = session.Registered().names;
            int width = 0, height = 0;
            std::vector<uint8_t> rgb;

            const bool started = run.Open (names.empty() ? "editor" : names.front(), error) && run.StartAudio ({}, error);

            if (! started)
                error = error.empty() ? "the editor did not open" : error;
            else if (! run.StillPicture (width, height, rgb))
                error = "the editor's picture did not settle; nothing was written";
            else if (o.skin != 0 && width != o.skin)
                error = "the editor shows a skin " + std::to_string (width) + " pixels wide, not the skin " + std::to_string (o.skin);
            else if (const auto& widths = root.SkinWidths(); std::find (widths.begin(), widths.end(), width) == widths.end())
                error = "the editor shows none of the skins of GRINDEL_DATA_ROOT " + root.Content() + " (it is " + std::to_string (width)
                    + " pixels wide); nothing was written";
            else if (o.browser)
            {
                // As a user opens it: a click on the browse button.
                const double scale = static_cast<double> (width) / kLayoutWidth;
                const auto closed = height;
                StandInX11Display::Shared().Click (run.Window(), static_cast<int> (std::lround ((kBrowseX + kBrowseSize / 2) * scale)),
                                                   static_cast<int> (std::lround ((kBrowseY + kBrowseSize / 2) * scale)));

                for (int turn = 0; turn < kSettleTurns && run.Height() <= closed; ++turn)
                    run.Turn (kTurnMilliseconds, nullptr, nullptr, error);

                if (run.Height() <= closed)
                    error = "the browser did not open; nothing was written";
                else if (! run.StillPicture (width, height, rgb))
                    error = "the editor's picture did not settle; nothing was written";
            }

            if (error.empty() && ! rgb.empty() && StandInPngFile::Write (o.snapshot, width, height, rgb, error))
            {
                if (! o.quiet)
                    out << "snapshot: " << width << " x " << height << " to " << o.snapshot << "\n";
                result = 0;
            }

            std::string ignored;
            run.Stop (nullptr, ignored);
        }

        instance.reset();
    }

    if (! error.empty())
        err << error << "\n";

    if (const auto live = session.Close(); live != 0)
    {
        err << "the plug-in still holds " << live << " live object(s) at shut-down\n";
        result = 1;
    }

    return result;
}
