#include "support/ReferencePicture.h"
#include <cstdlib>

namespace test
{
    namespace
    {
        juce::Image opaque (const juce::Image& image)
        {
            juce::Image rgb (juce::Image::RGB, image.getWidth(), image.getHeight(), true);
            juce::Graphics g (rgb);
            // What the picture leaves transparent shows as mid grey, where black and white ink
            // both stand out.
            g.fillAll (juce::Colour (0xFFA0A0A0));
            g.drawImageAt (image, 0, 0);
            return rgb;
        }

        bool writePng (const juce::Image& image, const juce::File& file)
        {
            file.getParentDirectory().createDirectory();
            file.deleteFile();
            juce::FileOutputStream out (file);
            return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out);
        }
    }

    ReferencePicture::ReferencePicture (juce::File referenceFolder, juce::File differencesFolder)
        : references (std::move (referenceFolder)), differences (std::move (differencesFolder))
    {
    }

    bool ReferencePicture::isUpdating()
    {
        const auto* update = std::getenv ("GRINDEL_UPDATE_PICTURES");
        return update != nullptr && juce::String (update).getIntValue() != 0;
    }

    int ReferencePicture::countDifferentPixels (const juce::Image& a, const juce::Image& b, juce::Image* difference)
    {
        if (difference != nullptr)
        {
            *difference = juce::Image (juce::Image::RGB, b.getWidth(), b.getHeight(), true);
            juce::Graphics g (*difference);
            g.fillAll (juce::Colours::white);
            g.setOpacity (0.25f);
            g.drawImageAt (b, 0, 0);
        }

        int count = 0;

        for (int y = 0; y < b.getHeight(); ++y)
        {
            for (int x = 0; x < b.getWidth(); ++x)
            {
                const auto p = a.getPixelAt (x, y), q = b.getPixelAt (x, y);
                const int delta = juce::jmax (std::abs (p.getRed() - q.getRed()), std::abs (p.getGreen() - q.getGreen()),
                                              std::abs (p.getBlue() - q.getBlue()));

                if (delta > channelTolerance)
                {
                    ++count;

                    if (difference != nullptr)
                        difference->setPixelAt (x, y, juce::Colours::red);
                }
            }
        }

        return count;
    }

    ::testing::AssertionResult ReferencePicture::matches (const juce::Image& picture, const juce::String& name) const
    {
        if (! picture.isValid())
            return ::testing::AssertionFailure() << name << ": nothing was drawn";

        const auto actual = opaque (picture);
        const auto referenceFile = references.getChildFile (name + ".png");

        if (isUpdating())
            return writePng (actual, referenceFile) ? ::testing::AssertionSuccess()
                                                    : ::testing::AssertionFailure() << "cannot write " << referenceFile.getFullPathName();

        const auto reference = juce::ImageFileFormat::loadFrom (referenceFile);
        const auto actualFile = differences.getChildFile (name + "-actual.png");
        const auto differenceFile = differences.getChildFile (name + "-difference.png");
        actualFile.deleteFile();
        differenceFile.deleteFile();

        if (! reference.isValid())
        {
            writePng (actual, actualFile);
            return ::testing::AssertionFailure() << name << ": no reference picture " << referenceFile.getFullPathName()
                                                 << " (the picture is " << actualFile.getFullPathName() << ")";
        }

        if (reference.getBounds() != actual.getBounds())
        {
            writePng (actual, actualFile);
            return ::testing::AssertionFailure() << name << ": " << actual.getWidth() << " x " << actual.getHeight() << " against the reference's "
                                                 << reference.getWidth() << " x " << reference.getHeight() << " (" << actualFile.getFullPathName() << ")";
        }

        juce::Image difference;
        const int count = countDifferentPixels (reference, actual, &difference);

        if (count <= maxDifferentPixels)
            return ::testing::AssertionSuccess();

        writePng (actual, actualFile);
        writePng (difference, differenceFile);
        return ::testing::AssertionFailure() << name << ": " << count << " pixels differ from the reference by more than " << channelTolerance
                                             << " levels (at most " << maxDifferentPixels << " may); see " << differenceFile.getFullPathName();
    }
}
