#pragma once

#include "editor/BasePluginEditor.h"

class Grindel;

/** Grindel 2's editor. Its skins are drawn for an editor 1180 pixels wide. */
class GrindelEditor : public BasePluginEditor
{
public:
    explicit GrindelEditor (Grindel& grindelPlugin);
    ~GrindelEditor() override;

    juce::String getDefaultWidthText() const override { return "1180"; }

private:
    Grindel& grindel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GrindelEditor)
};
