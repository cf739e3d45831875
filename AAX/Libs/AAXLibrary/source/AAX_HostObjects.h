#pragma once

#include "IACFComponentFactory.h"

// Reaching and creating host objects.

// The host's component factory (one reference added), or null when the host does not
// offer one. Throws ACF_E_POINTER (a plain integer) when the query succeeds without an
// object.
IACFComponentFactory* AAX_AcquireComponentFactory (IACFUnknown* inHostUnknown);

// A new host component of the class, answered for the interface (one reference), or null.
void* AAX_CreateHostComponent (IACFComponentFactory* inFactory, const acfCLSID& inClassID, const acfIID& inInterfaceID);
// The same through the host's component factory, acquired for the call; throws as
// AAX_AcquireComponentFactory does.
void* AAX_CreateHostComponent (IACFUnknown* inHostUnknown, const acfCLSID& inClassID, const acfIID& inInterfaceID);

// The object's answer for the interface (one reference), or null when refused.
void* AAX_QueryHostInterface (IACFUnknown* inObject, const acfIID& inInterfaceID);
