#include "core/content/SafeFileWriter.h"

bool SafeFileWriter::write (const juce::File& target, const Writer& writer)
{
    if (target == juce::File() || target.isDirectory() || ! target.getParentDirectory().createDirectory())
        return false;

    // Hidden, so a folder scan never lists it; deleted by its destructor when anything fails.
    juce::TemporaryFile temp (target, juce::TemporaryFile::useHiddenFile);

    {
        juce::FileOutputStream out (temp.getFile());

        if (! out.openedOk() || ! writer (out))
            return false;

        out.flush();   // writes the buffer and syncs the file to the disk

        // JUCE's flush ignores a short write (a full disk): the file's size tells.
        if (out.getStatus().failed() || temp.getFile().getSize() != out.getPosition())
            return false;
    }

    // rename(2): the target is replaced in one step, never deleted first.
    return temp.getFile().replaceFileIn (target);
}

bool SafeFileWriter::writeText (const juce::File& target, const juce::String& text)
{
    return write (target, [&text] (juce::OutputStream& out) {
        return out.write (text.toRawUTF8(), text.getNumBytesAsUTF8());
    });
}
