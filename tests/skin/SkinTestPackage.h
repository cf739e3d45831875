#pragma once

#include "skin/Skin.h"
#include <juce_gui_basics/juce_gui_basics.h>
#include <map>

namespace test
{
    /** Files of a skin made in a test: descriptions and images by entry name. Writes them as a
        ".orvikskin" package, or serves them straight from memory. */
    class SkinTestPackage
    {
    public:
        /** A description whose root "Panel" holds the given controls. */
        static juce::String description (const juce::String& controls,
                                         const juce::String& panelAttributes = "w=\"400\" h=\"300\"",
                                         const juce::String& guiVersion = "01.00.21")
        {
            return "<?xml version=\"1.0\"?>\n<GuiDescription id=\"Test\" application=\"Grindel 2\" gui_ver=\""
                + guiVersion + "\">\n<Panel name=\"Root\" " + panelAttributes + ">\n<controls>\n"
                + controls + "\n</controls>\n</Panel>\n</GuiDescription>\n";
        }

        /** A PNG of a strip: frameCount frames of w x h, each filled with its own grey. */
        static juce::MemoryBlock png (int w, int h, int frameCount = 1)
        {
            juce::Image image (juce::Image::ARGB, w, h * frameCount, true);
            juce::Graphics g (image);

            for (int i = 0; i < frameCount; ++i)
            {
                g.setColour (juce::Colour::greyLevel ((float) (i + 1) / (float) (frameCount + 1)));
                g.fillRect (0, i * h, w, h);
            }

            juce::MemoryOutputStream out;
            juce::PNGImageFormat().writeImageToStream (image, out);
            return out.getMemoryBlock();
        }

        void add (const juce::String& name, const juce::MemoryBlock& data) { files[name] = data; }
        void add (const juce::String& name, const juce::String& text)
        {
            files[name] = juce::MemoryBlock (text.toRawUTF8(), text.getNumBytesAsUTF8());
        }

        bool write (const juce::File& file) const
        {
            juce::ZipFile::Builder builder;

            for (const auto& [name, data] : files)
                builder.addEntry (new juce::MemoryInputStream (data.getData(), data.getSize(), true), 6, name, juce::Time (2024, 0, 1, 12, 0));

            file.deleteFile();
            juce::FileOutputStream out (file);
            return out.openedOk() && builder.writeToStream (out, nullptr);
        }

        std::map<juce::String, juce::MemoryBlock> files;
    };

    /** A skin served from memory, for loader tests that need no package. */
    class MemorySkin : public Skin
    {
    public:
        MemorySkin (const SkinTestPackage& p, BasePlugin* owner) : Skin (owner), package (p) {}

        std::unique_ptr<juce::InputStream> openFile (const juce::String& fileName) override
        {
            const auto found = package.files.find (fileName);

            if (found == package.files.end())
                return nullptr;

            // The skin's own copy outlives the stream; an empty file has no data to copy.
            return std::make_unique<juce::MemoryInputStream> (found->second.getData(), found->second.getSize(), false);
        }

    private:
        SkinTestPackage package;
    };
}
