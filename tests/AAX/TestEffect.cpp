#include "TestEffect.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"

TestEffect::TestEffect (std::vector<Spec> parameters) : mSpecs (std::move (parameters)) {}

std::vector<TestEffect::Spec> TestEffect::DefaultParameters()
{
    return { { "Gain", "Gain", 0.5f, 0 }, { "Mix", "Mix", 1.0f, 1 }, { cDefaultMasterBypassID, "Master Bypass", 0.0f, 2 } };
}

AAX_Result TestEffect::EffectInit()
{
    ++effectInitCalls;

    for (const auto& spec : mSpecs)
    {
        mParameterManager.AddParameter (new AAX_CParameter<float> (spec.id.c_str(), AAX_CString (spec.name.c_str()), spec.defaultValue,
                                                                   AAX_CLinearTaperDelegate<float, 0>(), AAX_CNumberDisplayDelegate<float, 3>(), true));
        if (spec.port >= 0)
            mPacketDispatcher.RegisterPacket (spec.id.c_str(), spec.port);
    }

    return effectInitResult;
}
