#include "StandInUID.h"

#include <cstdio>

std::string StandInUID::ToText (const acfUID& uid)
{
    char text[40];
    std::snprintf (text, sizeof (text), "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                   static_cast<unsigned> (uid.Data1), static_cast<unsigned> (uid.Data2), static_cast<unsigned> (uid.Data3),
                   uid.Data4[0], uid.Data4[1], uid.Data4[2], uid.Data4[3],
                   uid.Data4[4], uid.Data4[5], uid.Data4[6], uid.Data4[7]);
    return text;
}
