#include "core/content/SafeFileWriter.h"

bool SafeFileWriter::write (const juce::File& target, const Writer& writer, bool syncToDisk)
{
    if (target == juce::File() || target.isDirectory() || ! target.getParentDirectory().createDirectory())
        return false;

    // Hidden, so a folder scan never lists it; deleted by its destructor when anything fails.
    juce::TemporaryFile temp (target, juce::TemporaryFile::useHiddenFile);

    juce::int64 written = 0;

    {
        juce::FileOutputStream out (temp.getFile());

        if (! out.openedOk() || ! writer (out))
            return false;

        if (syncToDisk)
            out.flush();   // writes the buffer and syncs the file to the disk

        if (out.getStatus().failed())
            return false;

        written = out.getPosition();
    }

    // JUCE's flush ignores a short write (a full disk): the file's size tells.
    if (temp.getFile().getSize() != written)
        return false;

    // rename(2): the target is replaced in one step, never deleted first.
    return temp.getFile().replaceFileIn (target);
}

bool SafeFileWriter::writeText (const juce::File& target, const juce::String& text, bool syncToDisk)
{
    return write (
        target, [&text] (juce::OutputStream& out) { return out.write (text.toRawUTF8(), text.getNumBytesAsUTF8()); },
        syncToDisk);
}
