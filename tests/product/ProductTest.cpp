#include "core/PluginAudioProcessor.h"
#include "product/GrindelEditor.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST (Product, Identity)
{
    test::ScopedDataRoot root;
    PluginAudioProcessor processor;
    auto& plugin = processor.getPlugin();

    EXPECT_EQ (processor.getName(), "Grindel 2");
    EXPECT_EQ (plugin.getShortCode(), "GR");
    EXPECT_EQ (plugin.getCategory(), "Vintage Sampler;Degradation");
    EXPECT_EQ (plugin.getBranch(), "master");
    EXPECT_EQ (plugin.getBuildText(), "0");
    EXPECT_EQ (plugin.getFormatName(), "AAX");
    EXPECT_EQ (plugin.getPlatformName(), "64bit");
    EXPECT_EQ (plugin.getVersion(), GRINDEL_VERSION_STRING);
    EXPECT_EQ (plugin.getStartPresetName(), "MPC60");
    EXPECT_EQ (plugin.getInitPresetName(), "- Bypass -");
    EXPECT_EQ (plugin.getExportExtension(), ".grzip");
    EXPECT_FALSE (plugin.hasCredits());
    EXPECT_TRUE (plugin.getCreditsText().isEmpty());
    EXPECT_TRUE (plugin.getParametersError().isEmpty()) << plugin.getParametersError();

    // The product's editor waits for the first host window.
    EXPECT_EQ (plugin.getActiveEditor(), nullptr);
    EXPECT_TRUE (processor.hasEditor());
    plugin.createEditorOnce();
    auto* editor = dynamic_cast<GrindelEditor*> (plugin.getActiveEditor());
    ASSERT_NE (editor, nullptr);
    EXPECT_EQ (editor->getDefaultWidthText(), "1180");
    EXPECT_TRUE (editor->isTimerRunning());
}
