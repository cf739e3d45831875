#include "product/GrindelEditor.h"
#include "product/Grindel.h"

GrindelEditor::GrindelEditor (Grindel& grindelPlugin)
    : BasePluginEditor (grindelPlugin), grindel (grindelPlugin)
{
}

GrindelEditor::~GrindelEditor() = default;
