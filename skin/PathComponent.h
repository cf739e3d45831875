#pragma once

#include "core/parameters/ListenerArray.h"
#include <juce_gui_basics/juce_gui_basics.h>
#include <functional>
#include <memory>

/** A file path in a flat field with a "Browse" button that opens the platform's file chooser.
    A path too long for the field shows its beginning and a dimmed "[...]". */
class PathComponent : public juce::Component,
                      private juce::Button::Listener
{
public:
    enum ColourIds
    {
        fillColourId = 0x0F002200,
        textColourId = 0x0F002201,
        outlineColourId = 0x0F002202   // the field is drawn only when this is not transparent
    };

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void pathChanged (PathComponent* component) = 0;
    };

    PathComponent();
    ~PathComponent() override;

    void setFilePatterns (const juce::String& patterns) { filePatterns = patterns; }
    const juce::String& getFilePatterns() const noexcept { return filePatterns; }
    void setChooserTitle (const juce::String& title) { chooserTitle = title; }
    void setInitialLocation (const juce::File& location) { initialLocation = location; }

    /** Nothing happens when p is the current path; else shows it and, with notify, tells the
        listeners (last added first). */
    void setPath (const juce::String& p, bool notify);
    const juce::String& getPath() const noexcept { return path; }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    /** Asks for a file to load from or save to and calls back with it (a non-existent file when
        the user cancels). The editor's file choices share this seam; tests replace it, the real
        one is JUCE's asynchronous native chooser. */
    using FileRequest = std::function<void (const juce::String& title, const juce::String& patterns,
                                            bool forSaving, std::function<void (const juce::File&)> done)>;
    void setFileRequest (FileRequest request) { fileRequest = std::move (request); }

    juce::TextButton& getBrowseButton() noexcept { return button; }
    juce::Rectangle<int> getFrameArea() const noexcept { return frameArea; }
    juce::Rectangle<int> getTextArea() const noexcept { return textArea; }
    const juce::Font& getFont() const noexcept { return font; }
    int getPathWidth() const noexcept { return pathWidth; }
    int getEllipsisWidth() const noexcept { return ellipsisWidth; }
    /** Whether the path is shown cut, with "[...]". */
    bool isPathCut() const noexcept { return pathWidth > frameArea.getWidth() - 8; }

    static constexpr int gap = 6;

    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;
    void enablementChanged() override;
    void resized() override;
    void paint (juce::Graphics& g) override;

private:
    void buttonClicked (juce::Button* b) override;
    void measure();

    int pathWidth = 0, ellipsisWidth = 0;
    juce::String chooserTitle;
    juce::File initialLocation;
    juce::String filePatterns;
    juce::String path;
    juce::TextButton button { "Browse" };
    juce::Font font;
    juce::Rectangle<int> frameArea, textArea;
    const juce::String ellipsis { "[...]" };
    ListenerArray<Listener> listeners;
    std::unique_ptr<juce::FileChooser> chooser;
    FileRequest fileRequest;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PathComponent)
};
