#include "core/CommandParameter.h"
#include "core/parameters/ParameterManager.h"

// clang-format off
const std::array<CommandParameter, CommandParameter::count> CommandParameter::table { {
    { presetNameId,     "Preset Name",     "string", nullptr,          -1 },
    { optionsId,        "Options",         "logic",  "Options",        aboutId },
    { aboutId,          "About",           "logic",  nullptr,          -1 },
    { presetPreviousId, "Preset Previous", "logic",  "PresetPrevious", presetInitId },
    { presetNextId,     "Preset Next",     "logic",  "PresetNext",     presetReloadId },
    { presetBrowseId,   "Preset Browse",   "logic",  "PresetBrowse",   presetSaveId },
    { presetInitId,     "Preset Init",     "logic",  nullptr,          -1 },
    { presetReloadId,   "Preset Reload",   "logic",  nullptr,          -1 },
    { presetSaveId,     "Preset Save",     "logic",  nullptr,          -1 }
} };
// clang-format on

// The parameter manager keeps MIDI learn away from every id from its first command id on.
static_assert (CommandParameter::presetNameId == ParameterManager::firstCommandId);

int CommandParameter::indexOf (int id)
{
    for (int i = 0; i < count; ++i)
        if (table[(size_t) i].id == id)
            return i;

    return -1;
}
