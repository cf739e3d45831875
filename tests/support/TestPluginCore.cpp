#include "support/TestPluginCore.h"

namespace test
{
    void TestPluginCore::setParameter (int parameterId, float plainValue)
    {
        if (parameterId >= 0 && parameterId < maxParameterId)
            values[(size_t) parameterId] = plainValue;
    }

    float TestPluginCore::getParameterValue (int parameterId) const noexcept
    {
        return parameterId >= 0 && parameterId < maxParameterId ? values[(size_t) parameterId] : 0.0f;
    }
}
