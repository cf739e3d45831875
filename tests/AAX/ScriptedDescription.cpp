#include "ScriptedDescription.h"
#include "AAX_Init.h"

namespace
{
    DescriptionScript& script()
    {
        static DescriptionScript current;
        return current;
    }
}

void SetDescriptionScript (DescriptionScript newScript) { script() = std::move (newScript); }
void ResetDescriptionScript() { script() = nullptr; }

// Registration calls this as it would call the plug-in's description routine.
AAX_Result GetEffectDescriptions (AAX_ICollection* outCollection)
{
    if (! script() || outCollection == nullptr)
        return 0;

    return script() (*outCollection);
}
