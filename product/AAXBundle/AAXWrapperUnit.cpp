// JUCE's AAX wrapper, unmodified, compiled against our AAX interface library. It comes
// from the build tree's shadow copy of JUCE's module folders (see CMakeLists.txt); it
// also brings the bundle's entry functions, which it includes as source.

// Every bundle made from this unit is an AAX bundle and nothing else.
#define JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED 1

#define JucePlugin_Build_AAX 1
#define JucePlugin_Build_VST 0
#define JucePlugin_Build_VST3 0
#define JucePlugin_Build_AU 0
#define JucePlugin_Build_AUv3 0
#define JucePlugin_Build_Standalone 0
#define JucePlugin_Build_LV2 0
#define JucePlugin_Build_Unity 0

// The plug-in's own JucePlugin_* settings (names, codes, MIDI), named by the bundle's build.
#include GRINDEL_AAX_PLUGIN_SETTINGS

// The effect base hands out its controller and transport as interfaces that it only
// declares; the wrapper calls through them.
#include "AAX_IController.h"
#include "AAX_ITransport.h"

#define JUCE_INCLUDED_AAX_IN_MM 1
#include GRINDEL_AAX_WRAPPER_SOURCE

// Defined only inside the wrapper's guarded body: without it the unit compiled to nothing.
#ifndef JUCE_AAX_HAS_TRANSPORT_NOTIFICATION
#error "JUCE's AAX wrapper compiled to nothing: check the shadow copy of juce_CheckSettingMacros.h"
#endif
