// Reads the pixels of a real window back from the X server: what the user sees, not what
// JUCE would paint if asked again.

#include "EditorTestSupport.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace edtest
{
    juce::Image readBackWindow (juce::Component& window)
    {
        auto* peer = window.getPeer();

        if (peer == nullptr)
            return {};

        auto* display = XOpenDisplay (nullptr);

        if (display == nullptr)
            return {};

        const auto handle = (::Window) (juce::pointer_sized_uint) peer->getNativeHandle();
        const auto root = DefaultRootWindow (display);
        int x = 0, y = 0;
        ::Window child = 0;
        XTranslateCoordinates (display, handle, root, 0, 0, &x, &y, &child);

        // The part on the screen, read from the screen itself.
        XWindowAttributes rootAttributes;
        XGetWindowAttributes (display, root, &rootAttributes);
        const auto onScreen = juce::Rectangle<int> (x, y, window.getWidth(), window.getHeight())
                                  .getIntersection ({ 0, 0, rootAttributes.width, rootAttributes.height });
        juce::Image image;

        if (! onScreen.isEmpty())
        {
            if (auto* xImage = XGetImage (display, root, onScreen.getX(), onScreen.getY(), (unsigned) onScreen.getWidth(),
                                          (unsigned) onScreen.getHeight(), AllPlanes, ZPixmap))
            {
                image = juce::Image (juce::Image::RGB, onScreen.getWidth(), onScreen.getHeight(), false);
                const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::writeOnly);

                for (int row = 0; row < onScreen.getHeight(); ++row)
                {
                    for (int column = 0; column < onScreen.getWidth(); ++column)
                    {
                        const auto p = XGetPixel (xImage, column, row);
                        pixels.setPixelColour (column, row,
                                               juce::Colour ((juce::uint8) ((p & xImage->red_mask) >> 16),
                                                             (juce::uint8) ((p & xImage->green_mask) >> 8),
                                                             (juce::uint8) (p & xImage->blue_mask)));
                    }
                }

                XDestroyImage (xImage);
            }
        }

        XCloseDisplay (display);
        return image;
    }
}
