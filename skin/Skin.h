#pragma once

#include "skin/WidgetRegistry.h"
#include <juce_gui_basics/juce_gui_basics.h>
#include <map>
#include <memory>

class BasePlugin;
class ParameterManager;

/** A skin: the files of one editor look (GUI descriptions and images) and the factory that
    turns a GUI description into widgets.

    Subclasses say where the files come from (openFile). Widgets copy what they load, so the
    widget tree outlives the skin. Message thread only. */
class Skin
{
public:
    /** The main description's name and the extension of description files. */
    static constexpr const char* mainDescriptionName = "PluginEditor";
    static constexpr const char* descriptionExtension = ".orvikgui";

    /** plugin: whose parameters the widgets bind to (may be null: widgets stay unbound). */
    explicit Skin (BasePlugin* plugin);
    virtual ~Skin();

    BasePlugin* getPlugin() const noexcept { return plugin; }
    ParameterManager* getParameterManager() const noexcept;

    /** Why the last load failed; empty after a success. */
    const juce::String& getErrorText() const noexcept { return errorText; }

    /** A stream over one of the skin's files; null when there is no such file. */
    virtual std::unique_ptr<juce::InputStream> openFile (const juce::String& fileName) = 0;
    /** A whole file; false when missing, unreadable or larger than maxBytes (then
        wasTooLarge says so). */
    bool readFile (const juce::String& fileName, juce::MemoryBlock& data, size_t maxBytes);

    /** A PNG image of the skin; null when missing, damaged or too large. Decoded once per
        skin: widgets that name the same file share the decoded pixels (JUCE images are shared
        by reference and nothing draws into a skin image). */
    juce::Image loadImage (const juce::String& fileName);
    /** Names the version of the skin's files, for sharing decoded images with other skins
        of the process that read the same version (SharedSkinImages); empty: nothing shared. */
    virtual juce::String getSharedImageKey() { return {}; }

    /** Reads a GUI description (an empty name is the main one) and checks its "gui_ver";
        an invalid tree with the reason in the error text when it cannot be used. */
    juce::ValueTree loadGuiDescription (const juce::String& descriptionName);

    /** Builds a description's root "Panel" with its widgets; null with the reason in the
        error text on failure. The caller owns the result. */
    std::unique_ptr<juce::Component> createGui (const juce::String& descriptionName);

    /** Builds one widget by its element's type (an "Include" builds the included description's
        panel) and registers it by its "name"; null for a type nobody builds (logged, nothing
        registered). */
    std::unique_ptr<juce::Component> createComponent (const juce::ValueTree& element);

    /** A widget built by this skin, by its skin "name"; null when there is none or it was
        deleted since. */
    juce::Component* getComponent (const juce::String& name) const;

    template <class ComponentType>
    ComponentType* findComponent (const juce::String& name) const
    {
        return dynamic_cast<ComponentType*> (getComponent (name));
    }

    /** Whether a file name stays inside the skin: relative, no "..", no drive or backslash. */
    static bool isSafeFileName (const juce::String& fileName);

    // The error texts of the loader, for skin authors and tests.
    static const juce::String incompatibleText, olderSkinText, olderCodeText;

    /** A line in the plug-in's log (written only while its log is open). */
    void log (const juce::String& message) const;

protected:
    /** Why the skin's files cannot be read at all (for example a broken package); empty when
        they can. */
    virtual juce::String getStorageError() const { return {}; }

    void setError (const juce::String& text);
    /** Stops the GUI being built: createGui fails with the text. */
    void exceedLimit (const juce::String& text);

    /** The largest description and image files read, against corrupt or hostile packages. */
    static constexpr size_t maxDescriptionBytes = 4 * 1024 * 1024;
    static constexpr size_t maxImageBytes = 64 * 1024 * 1024;

    /** Whether the last readFile refused a file for its size. */
    bool wasTooLarge() const noexcept { return lastReadTooLarge; }

public:
    /** What one GUI may take, whatever its includes multiply (docs/skins.md): elements built,
        includes expanded, bytes of included descriptions read, and nesting within one
        description. */
    static constexpr int maxElements = 10000;
    static constexpr int maxIncludes = 256;
    static constexpr size_t maxDescriptionBytesPerGui = 16 * 1024 * 1024;
    static constexpr int maxDescriptionDepth = 32;

protected:
private:
    bool lastReadTooLarge = false;
    std::unique_ptr<juce::Component> createIncluded (const juce::ValueTree& element);
    static juce::String getDescriptionFileName (const juce::String& descriptionName);

    BasePlugin* plugin;
    juce::String errorText;
    std::map<juce::String, juce::Component::SafePointer<juce::Component>> components;
    std::map<juce::String, juce::Image> images;   // by file name, failures included
    juce::StringArray descriptionsBeingBuilt;
    int elementsBuilt = 0, includesExpanded = 0;
    size_t descriptionBytesRead = 0;
    juce::String limitError;
    WidgetRegistry widgets;

    JUCE_DECLARE_NON_COPYABLE (Skin)
};
