#pragma once

// The test plug-in's settings for JUCE's plug-in wrapper: codes and names of its own, so
// that nothing the tests see can come from the product.

#define JucePlugin_Name "Test Gain"
#define JucePlugin_Desc "Known Gain With MIDI Markers"
#define JucePlugin_Manufacturer "Grindel Tests"
#define JucePlugin_ManufacturerCode 'GrTs'
#define JucePlugin_PluginCode 'TGn1'
#define JucePlugin_VersionCode 0x10203
#define JucePlugin_VersionString "1.2.3"

#define JucePlugin_IsSynth 0
#define JucePlugin_IsMidiEffect 0
#define JucePlugin_WantsMidiInput 1
#define JucePlugin_ProducesMidiOutput 0
#define JucePlugin_EditorRequiresKeyboardFocus 0

#define JucePlugin_AAXIdentifier com.grindeltests.testgain
#define JucePlugin_AAXManufacturerCode 'GrTs'
#define JucePlugin_AAXProductId 'TGn1'
#define JucePlugin_AAXCategory 0x00000002
