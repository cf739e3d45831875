#include "skin/SharedSkinImages.h"
#include <unordered_map>

namespace
{
    // The pixels are not held: each is known from when it is added until it is deleted or
    // changed, which JUCE's image data announce.
    class Registry : private juce::ImagePixelData::Listener
    {
    public:
        ~Registry() override
        {
            for (const auto& [key, pixels] : byKey)
                pixels->listeners.remove (this);
        }

        static Registry& get()
        {
            static Registry registry;
            return registry;
        }

        juce::Image find (const juce::String& key) const
        {
            const auto found = byKey.find (key);
            return found != byKey.end() ? juce::Image (juce::ImagePixelData::Ptr (found->second)) : juce::Image();
        }

        void add (const juce::String& key, juce::ImagePixelData* pixels)
        {
            if (const auto old = byKey.find (key); old != byKey.end())
                forget (old->second);

            pixels->listeners.add (this);
            byKey[key] = pixels;
        }

        int size() const noexcept { return (int) byKey.size(); }

    private:
        struct Hash
        {
            size_t operator() (const juce::String& s) const noexcept { return (size_t) s.hash(); }
        };

        void forget (juce::ImagePixelData* pixels)
        {
            pixels->listeners.remove (this);

            for (auto it = byKey.begin(); it != byKey.end();)
                it = it->second == pixels ? byKey.erase (it) : std::next (it);
        }

        void imageDataChanged (juce::ImagePixelData* pixels) override { forget (pixels); }
        void imageDataBeingDeleted (juce::ImagePixelData* pixels) override { forget (pixels); }

        std::unordered_map<juce::String, juce::ImagePixelData*, Hash> byKey;
    };
}

juce::Image SharedSkinImages::find (const juce::String& key)
{
    return Registry::get().find (key);
}

void SharedSkinImages::add (const juce::String& key, const juce::Image& image)
{
    if (image.isValid())
        Registry::get().add (key, image.getPixelData());
}

int SharedSkinImages::getNumImages()
{
    return Registry::get().size();
}
