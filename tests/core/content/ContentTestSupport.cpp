#include "ContentTestSupport.h"

namespace test
{
    juce::File getBuiltFactoryPackage()
    {
        return juce::File (GRINDEL_FACTORY_PACKAGE);
    }

    PluginFixture::PluginFixture (bool factory)
    {
        if (factory)
        {
            const auto presets = root.getCommonFolder().getChildFile ("Presets");
            presets.createDirectory();
            getBuiltFactoryPackage().copyFileTo (presets.getChildFile ("Grindel 2 Factory Presets.orvikpkg"));
        }

        processor = std::make_unique<PluginAudioProcessor>();
    }

    Parameter& PluginFixture::parameter (const juce::String& name) const
    {
        auto* p = plugin().getParameterManager().getParameterByName (name);
        jassert (p != nullptr);
        return *p;
    }

    juce::File writeText (const juce::File& file, const juce::String& text)
    {
        file.getParentDirectory().createDirectory();
        file.replaceWithText (text);
        return file;
    }
}
