#pragma once

// The benchmark anchor's settings for JUCE's plug-in wrapper: codes of its own.

#define JucePlugin_Name "Anchor"
#define JucePlugin_Desc "Pass-Through Anchor"
#define JucePlugin_Manufacturer "Grindel Benchmarks"
#define JucePlugin_ManufacturerCode 'GrBm'
#define JucePlugin_PluginCode 'Anc1'
#define JucePlugin_VersionCode 0x10000
#define JucePlugin_VersionString "1.0.0"

#define JucePlugin_IsSynth 0
#define JucePlugin_IsMidiEffect 0
#define JucePlugin_WantsMidiInput 1
#define JucePlugin_ProducesMidiOutput 0
#define JucePlugin_EditorRequiresKeyboardFocus 0

#define JucePlugin_AAXIdentifier com.grindelbenchmarks.anchor
#define JucePlugin_AAXManufacturerCode 'GrBm'
#define JucePlugin_AAXProductId 'Anc1'
#define JucePlugin_AAXCategory 0x00000002
