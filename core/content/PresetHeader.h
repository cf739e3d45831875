#pragma once

#include <juce_core/juce_core.h>

/** What a folder listing needs of a preset file: its root element's "application" and "tags"
    attributes. Any thread: it keeps no state. */
class PresetHeader
{
public:
    juce::String application, tags;

    /** From a preset file's bytes (at most Preset::maxFileSize, as read): false with the reason
        in error when the listing skips the file. Gives and refuses exactly what
        Preset::readRootElement with headerOnly does: files shaped as our writer writes them are
        read straight from their bytes (readDirect), every other goes through that reader. */
    static bool read (const char* data, size_t size, PresetHeader& header, juce::String& error);

    /** The root's start tag read straight from the bytes, its body walked to where the root
        ends; false (header cleared) when the bytes are of any shape it does not know, and only
        the full reader may judge them. */
    static bool readDirect (const char* data, size_t size, PresetHeader& header);

private:
    static bool readStartTag (const char* data, size_t size, PresetHeader& header);
};
