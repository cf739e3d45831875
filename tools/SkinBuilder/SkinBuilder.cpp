// Builds the product's skin packages at build time: scales the GUI description for each skin
// width, renders the film-strip images it names from their recipes and packs both into
// "<width>.orvikskin". The second form draws one image of the recipes at its own size (the
// bundle's logo).
//
//     SkinBuilder <source folder> <output folder> <width>...
//     SkinBuilder --image <recipes file> <image file name> <output file>

#include "SkinArtist.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/ImageStrip.h"
#include <cstdlib>
#include <iostream>

namespace
{
    constexpr int baseWidth = 1180;
    constexpr int minimumFontSize = 13;

    int fail (const juce::String& message)
    {
        std::cerr << "SkinBuilder: " << message << std::endl;
        return 1;
    }

    /** Scales the geometry of every element, and notes the first size each image is used at. */
    void scaleElement (juce::XmlElement& e, float scale, std::map<juce::String, juce::Point<int>>& imageSizes)
    {
        for (auto* attribute : { "x", "y", "w", "h" })
            if (e.hasAttribute (attribute))
                e.setAttribute (attribute, juce::roundToInt ((float) e.getIntAttribute (attribute) * scale));

        // Widget texts keep capitals of 8 pixels (a 13-pixel font) in smaller skins, never
        // growing beyond their size at 1180.
        if (e.hasAttribute ("fontSize"))
        {
            const int size = e.getIntAttribute ("fontSize");
            e.setAttribute ("fontSize", juce::jmax (juce::roundToInt ((float) size * scale), juce::jmin (size, minimumFontSize)));
        }

        for (auto* attribute : { "gfx", "background", "slider", "display" })
            if (e.hasAttribute (attribute))
                imageSizes.emplace (e.getStringAttribute (attribute), juce::Point<int> (e.getIntAttribute ("w"), e.getIntAttribute ("h")));

        for (auto* child : e.getChildIterator())
            scaleElement (*child, scale, imageSizes);
    }

    /** The unscaled sizes of the images (from the description written for the base width). */
    std::map<juce::String, juce::Point<int>> findImageSizes (const juce::XmlElement& description)
    {
        std::map<juce::String, juce::Point<int>> sizes;
        auto copy = description;
        scaleElement (copy, 1.0f, sizes);
        return sizes;
    }

    juce::MemoryBlock toPng (const juce::Image& image)
    {
        juce::MemoryOutputStream out;
        juce::PNGImageFormat().writeImageToStream (image, out);
        return out.getMemoryBlock();
    }

    bool buildSkin (const juce::XmlElement& description, const juce::XmlElement& artwork,
                    const juce::Font& font, int width, const juce::File& target)
    {
        const float scale = (float) width / (float) baseWidth;
        const auto imageSizes = findImageSizes (description);
        SkinArtist artist (scale, font);
        juce::ZipFile::Builder zip;

        auto scaled = description;
        std::map<juce::String, juce::Point<int>> unused;
        scaleElement (scaled, scale, unused);
        zip.addEntry (new juce::MemoryInputStream (juce::MemoryBlock (scaled.toString().toRawUTF8(), scaled.toString().getNumBytesAsUTF8()), true),
                      9, "PluginEditor.orvikgui", juce::Time::getCurrentTime());

        for (const auto& [file, size] : imageSizes)
        {
            const juce::XmlElement* recipe = nullptr;

            for (auto* e : artwork.getChildWithTagNameIterator ("Image"))
                if (e->getStringAttribute ("file") == file)
                    recipe = e;

            if (recipe == nullptr)
                return fail ("no recipe for " + file) == 0;

            // A background fills the panel; a recipe may give its own frame size (strips of
            // several channels, whose element is wider than one frame).
            const bool isBackground = recipe->getStringAttribute ("kind") == "background";
            const int w = isBackground ? artwork.getIntAttribute ("width") : recipe->getIntAttribute ("frameWidth", size.x);
            const int h = isBackground ? artwork.getIntAttribute ("height") : recipe->getIntAttribute ("frameHeight", size.y);
            const auto image = artist.render (*recipe, w, h, ImageStrip::getFrameCountFromName (file));

            if (! image.isValid())
                return fail ("cannot draw " + file) == 0;

            zip.addEntry (new juce::MemoryInputStream (toPng (image), true), 0, file, juce::Time::getCurrentTime());
        }

        const auto temporary = target.getSiblingFile (target.getFileName() + ".part");
        temporary.deleteFile();

        {
            juce::FileOutputStream out (temporary);

            if (! out.openedOk() || ! zip.writeToStream (out, nullptr))
                return fail ("cannot write " + temporary.getFullPathName()) == 0;
        }

        return temporary.moveFileTo (target);
    }

    /** Draws one recipe at the size it gives ("width", "height") into a PNG file. */
    int writeImage (const juce::File& recipes, const juce::String& fileName, const juce::File& target, const juce::Font& font)
    {
        const auto artwork = juce::parseXML (recipes);

        if (artwork == nullptr)
            return fail ("cannot read " + recipes.getFullPathName());

        for (auto* recipe : artwork->getChildWithTagNameIterator ("Image"))
        {
            if (recipe->getStringAttribute ("file") != fileName)
                continue;

            const auto image = SkinArtist (1.0f, font).render (*recipe, recipe->getIntAttribute ("width"), recipe->getIntAttribute ("height"), 1);

            if (! image.isValid())
                return fail ("cannot draw " + fileName);

            target.getParentDirectory().createDirectory();
            target.deleteFile();
            juce::FileOutputStream out (target);
            return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out) ? 0 : fail ("cannot write " + target.getFullPathName());
        }

        return fail ("no recipe for " + fileName);
    }
}

int main (int argc, char** argv)
{
    if (argc < 4)
        return fail ("usage: SkinBuilder <source folder> <output folder> <width>...");

    // Drawn without an X server whatever the build's environment: JUCE opens the display
    // DISPLAY names, or ":0" when it names none, and a server there that goes away during the
    // build (a test's own) would stop it. No server has this number.
    ::setenv ("DISPLAY", ":65535", 1);

    juce::ScopedJuceInitialiser_GUI juce;
    DefaultLookAndFeel lookAndFeel;

    if (juce::String (argv[1]) == "--image")
        return argc == 5 ? writeImage (juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]), argv[3],
                                       juce::File::getCurrentWorkingDirectory().getChildFile (argv[4]),
                                       lookAndFeel.getPrimaryFont())
                         : fail ("usage: SkinBuilder --image <recipes file> <image file name> <output file>");

    const juce::File source (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    const juce::File output (juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]));
    const auto description = juce::parseXML (source.getChildFile ("PluginEditor.orvikgui"));
    const auto artwork = juce::parseXML (source.getChildFile ("Artwork.xml"));

    if (description == nullptr || artwork == nullptr)
        return fail ("cannot read PluginEditor.orvikgui and Artwork.xml in " + source.getFullPathName());

    if (! output.createDirectory())
        return fail ("cannot create " + output.getFullPathName());

    for (int i = 3; i < argc; ++i)
    {
        const int width = juce::String (argv[i]).getIntValue();

        if (width < 100)
            return fail ("bad skin width " + juce::String (argv[i]));

        if (! buildSkin (*description, *artwork, lookAndFeel.getPrimaryFont(), width,
                         output.getChildFile (juce::String (width) + ".orvikskin")))
            return 1;
    }

    return 0;
}
