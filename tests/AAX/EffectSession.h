#pragma once

#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "ChunkRecord.h"
#include "HostSession.h"
#include "StandInAutomationDelegate.h"
#include "StandInController.h"
#include "TestEffect.h"

#include <gtest/gtest.h>

#include <string>

// An effect made through its factory procedure, counted by the stand-in host and
// initialised with the host's controller, whose automation delegate answers value
// requests back into the effect as a host does. The controller answers for the effect,
// so a GUI finds it. At the end the effect is uninitialised and released, and no
// library object may be left.
class EffectSession : public HostSession
{
public:
    explicit EffectSession (AAX_CEffectParameters* (*create)() = &TestEffect::Create, bool initialise = true)
    {
        effect = create();
        effect->AddRef();
        host.Controller().SetEffect (effect);
        host.Automation().SetValueSink ([this] (const std::string& id, double value) {
            effect->UpdateParameterNormalizedValue (id.c_str(), value, AAX_eUpdateSource_Unspecified);
        });

        if (initialise)
        {
            EXPECT_EQ (AAX_SUCCESS, effect->Initialize (host.ControllerUnknown()));
        }
    }

    ~EffectSession()
    {
        if (effect != nullptr)
            Destroy();
    }

    void Destroy (bool uninitialise = true)
    {
        if (uninitialise)
        {
            EXPECT_EQ (AAX_SUCCESS, effect->Uninitialize());
        }

        host.Controller().SetEffect (nullptr);
        host.Automation().SetValueSink (nullptr);
        EXPECT_EQ (0u, effect->Release());
        effect = nullptr;
        EXPECT_EQ (0u, CACFUnknown::GetActiveObjectCount());
    }

    TestEffect& Test() { return *dynamic_cast<TestEffect*> (effect); }

    double Value (const char* id)
    {
        double value = -1.0;
        EXPECT_EQ (AAX_SUCCESS, effect->GetParameterNormalizedValue (id, &value));
        return value;
    }

    // The 'elck' record as a host takes it: size first, then the chunk.
    ChunkRecord SaveControls()
    {
        uint32_t size = 0;
        EXPECT_EQ (AAX_SUCCESS, effect->GetChunkSize ('elck', &size));
        ChunkRecord record (size);
        record.Get()->fChunkID = 'elck';   // the host's field
        EXPECT_EQ (AAX_SUCCESS, effect->GetChunk ('elck', record.Get()));
        return record;
    }

    bool Matches (ChunkRecord& record)
    {
        AAX_CBoolean equal = 2;
        EXPECT_EQ (AAX_SUCCESS, effect->CompareActiveChunk (record.Get(), &equal));
        return equal == 1;
    }

    AAX_CEffectParameters* effect = nullptr;
};
