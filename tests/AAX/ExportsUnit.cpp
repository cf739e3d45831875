// The entry functions, included as source the way the plug-in's wrapper includes them.
#include "AAX_Exports.cpp"
