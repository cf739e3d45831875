#pragma once

#include <array>
#include <mutex>

/** The modulation matrix's sources: nine bipolar values (-1 to 1) that the matrix widget
    shows on its rows. Only what the widget reads is here; the routing itself belongs to the
    products that have a matrix. */
class ModulationMatrix
{
public:
    static constexpr int numSources = 9;

    /** Any thread: takes the model's mutex, so never the audio thread. The source's current
        value; 0 for an index outside 0..8. */
    float getSourceValue (int sourceIndex) const;
    /** Any thread: takes the model's mutex, so never the audio thread. The value is clamped
        to -1..1 (NaN is ignored); an index outside 0..8 is ignored. */
    void setSourceValue (int sourceIndex, float value);

private:
    mutable std::mutex mutex;
    std::array<float, numSources> sources {};
};
