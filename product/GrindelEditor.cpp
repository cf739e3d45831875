#include "product/GrindelEditor.h"
#include "product/Grindel.h"

GrindelEditor::GrindelEditor (Grindel& grindelPlugin)
    : NimbusEffectEditor (grindelPlugin), grindel (grindelPlugin)
{
}

GrindelEditor::~GrindelEditor() = default;
