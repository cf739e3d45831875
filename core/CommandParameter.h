#pragma once

#include <array>

/** One of the plug-in's own command parameters. Every product has them; none reaches the host
    or a preset. The table below is the one place that knows their ids and names, the skin
    button that sends each and the command that button sends while the Command key is held. */
struct CommandParameter
{
    static constexpr int presetNameId = 100000;
    static constexpr int optionsId = 100001;
    static constexpr int aboutId = 100002;
    static constexpr int presetPreviousId = 100003;
    static constexpr int presetNextId = 100004;
    static constexpr int presetBrowseId = 100005;
    static constexpr int presetInitId = 100006;
    static constexpr int presetReloadId = 100007;
    static constexpr int presetSaveId = 100008;

    static constexpr int count = 9;

    int id;
    const char* name;
    /** The parameter kind: "string" for the preset name, "logic" for the momentary commands. */
    const char* type;
    /** The name of the skin control that sends it; null when no button does. */
    const char* button;
    /** What the same button sends while the Command key is held; -1 for none. */
    int alternativeId;

    /** Every command, in id order. */
    static const std::array<CommandParameter, count> table;

    /** The row's place in the table; -1 for an id that is not a command. */
    static int indexOf (int id);
};
