#include "core/parameters/StateParameter.h"

StateParameter::StateParameter (const Description& d)
    : IntParameter (stateDescription (d))
{
}

Parameter::Description StateParameter::stateDescription (Description d)
{
    d.automatable = false;
    return d;
}

juce::String StateParameter::getTypeName() const
{
    return "state";
}
