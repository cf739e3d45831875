#include "dsp/BasePluginCore.h"

void BasePluginCore::prepare (const SampleRateInfo& rateInfo, int maximumBlock)
{
    sampleRate = rateInfo;
    maximumBlockSize = maximumBlock;
}
