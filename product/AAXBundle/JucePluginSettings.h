#pragma once

// The product's settings for JUCE's plug-in wrapper.

#define JucePlugin_Name "Grindel 2"
#define JucePlugin_Desc "High Quality Bit Crusher"
#define JucePlugin_Manufacturer "Orvik Group"
#define JucePlugin_ManufacturerCode 'Orvk'
#define JucePlugin_PluginCode 'Grn2'
// The build defines the version from the project's (product/CMakeLists.txt).
#define JucePlugin_VersionCode GRINDEL_VERSION_CODE
#define JucePlugin_VersionString GRINDEL_VERSION_STRING

#define JucePlugin_IsSynth 0
#define JucePlugin_IsMidiEffect 0
#define JucePlugin_WantsMidiInput 1
#define JucePlugin_ProducesMidiOutput 0
#define JucePlugin_EditorRequiresKeyboardFocus 0

// Stringified by the wrapper, so a bare dotted token.
#define JucePlugin_AAXIdentifier com.orvikgroup.grindel2
#define JucePlugin_AAXManufacturerCode 'Orvk'
#define JucePlugin_AAXProductId 'Grn2'

// The host's effect category for the product's "Vintage Sampler;Degradation": a
// distortion-type effect. The interface library names no categories, so the bit is ours
// and has to be checked against a real host before the bundle ships.
#define GrindelAAXCategory_Degradation 0x00000010
#define JucePlugin_AAXCategory GrindelAAXCategory_Degradation
