#pragma once

// Interface version 2.3; the revision is the 2.3.1 one.
#define AAX_SDK_VERSION (0x0203)
#define AAX_SDK_CURRENT_REVISION (0x00D5E5B4)

// Revision marks that code may compare against; later marks are not defined.
#define AAX_SDK_2p3p0_REVISION (0x00D5E5A0)
#define AAX_SDK_2p3p1_REVISION (0x00D5E5B4)
