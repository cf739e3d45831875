#pragma once

/** The meters' scale: where a peak level sits on a meter, from 0 (the bottom) to 1 (full
    scale). It is the digital peak meter's law of IEC 60268-18, straight lines in dB between
    -70, -60, -50, -40, -30, -20 and 0 dBFS (-20 dBFS half way up), so the top 20 dB take half
    the meter and the quiet end still moves. The editor's meters show positions on it, and the
    skins print their dB marks on it. Any thread: pure functions. */
class MeterScale
{
public:
    /** Below it a meter shows nothing. */
    static constexpr float floorDecibels = -70.0f;

    /** A level in dBFS as a position; NaN reads as silence. */
    static float positionOfDecibels (float decibels) noexcept;
    /** A peak magnitude (1 = full scale) as a position; 0, negative and NaN read as silence. */
    static float positionOfPeak (float peak) noexcept;
};
