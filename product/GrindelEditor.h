#pragma once

#include "editor/NimbusEffectEditor.h"

class Grindel;

/** Grindel 2's editor: the product line's effect editor for the Grindel plug-in. */
class GrindelEditor : public NimbusEffectEditor
{
public:
    explicit GrindelEditor (Grindel& grindelPlugin);
    ~GrindelEditor() override;

private:
    Grindel& grindel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GrindelEditor)
};
