#include "StandInResult.h"

#include "AAX_Errors.h"
#include "AAX_Exception.h"

namespace
{
    const char* meaning (AAX_Result result)
    {
        switch (result)
        {
            case AAX_SUCCESS: return "success";
            case AAX_ERROR_INVALID_PARAMETER_ID: return "no parameter has that identifier";
            case AAX_ERROR_INVALID_STRING_CONVERSION: return "a text could not be converted";
            case AAX_ERROR_INVALID_METER_INDEX: return "no meter has that index";
            case AAX_ERROR_NULL_OBJECT: return "an object the call needs is missing";
            case AAX_ERROR_OLDER_VERSION: return "the data comes from an older version";
            case AAX_ERROR_INVALID_CHUNK_INDEX: return "no chunk has that index";
            case AAX_ERROR_INVALID_CHUNK_ID: return "the plug-in has no chunk of that kind";
            case AAX_ERROR_INCORRECT_CHUNK_SIZE: return "a chunk's size does not match its data";
            case AAX_ERROR_UNIMPLEMENTED: return "the plug-in does not implement the call";
            case AAX_ERROR_INVALID_PARAMETER_INDEX: return "no parameter has that index";
            case AAX_ERROR_NOT_INITIALIZED: return "the object is not initialised";
            case AAX_ERROR_ACF_ERROR: return "the component layer failed";
            case AAX_ERROR_INVALID_METER_TYPE: return "no meter has that type";
            case AAX_ERROR_CONTEXT_ALREADY_HAS_METERS: return "the context already has meters";
            case AAX_ERROR_NULL_COMPONENT: return "a component is missing";
            case AAX_ERROR_PORT_ID_OUT_OF_RANGE: return "no port has that identifier";
            case AAX_ERROR_FIELD_TYPE_DOES_NOT_SUPPORT_DIRECT_ACCESS: return "the field cannot be accessed directly";
            case AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS: return "a direct access lies outside its field";
            case AAX_ERROR_FIFO_FULL: return "a queue is full";
            case AAX_ERROR_INITIALIZING_PACKET_STREAM_THREAD: return "the packet thread could not start";
            case AAX_ERROR_POST_PACKET_FAILED: return "a packet could not be posted";
            case AAX_RESULT_PACKET_STREAM_NOT_EMPTY: return "packets are still waiting";
            case AAX_RESULT_ADD_FIELD_UNSUPPORTED_FIELD_TYPE: return "the field type is not supported";
            case AAX_ERROR_MIXER_THREAD_FALLING_BEHIND: return "the mixer thread is falling behind";
            case AAX_ERROR_INVALID_FIELD_INDEX: return "no field has that index";
            case AAX_ERROR_MALFORMED_CHUNK: return "a chunk's data is malformed";
            case AAX_ERROR_TOD_BEHIND: return "the time of day is behind";
            case AAX_RESULT_NEW_PACKET_POSTED: return "a new packet was posted";
            case AAX_ERROR_PLUGIN_NULL_PARAMETER: return "the plug-in has no such parameter object";
            case AAX_ERROR_NOTIFICATION_FAILED: return "a notification failed";
            case AAX_ERROR_INVALID_VIEW_SIZE: return "the view size is not valid";
            case AAX_ERROR_SIGNED_INT_OVERFLOW: return "a number overflowed";
            case AAX_ERROR_NO_COMPONENTS: return "the plug-in describes no components";
            case AAX_ERROR_DUPLICATE_EFFECT_ID: return "an effect identifier is used twice";
            case AAX_ERROR_DUPLICATE_TYPE_ID: return "a type identifier is used twice";
            case AAX_ERROR_EMPTY_EFFECT_NAME: return "an effect has no name";
            case AAX_ERROR_UNKNOWN_PLUGIN: return "the plug-in is not known";
            case AAX_ERROR_PROPERTY_UNDEFINED: return "the property is not defined";
            case AAX_ERROR_INVALID_PATH: return "the path is not valid";
            case AAX_ERROR_UNKNOWN_ID: return "the identifier is not known";
            case AAX_ERROR_UNKNOWN_EXCEPTION: return "the plug-in threw an unknown exception";
            case AAX_ERROR_INVALID_ARGUMENT: return "an argument is not valid";
            case AAX_ERROR_NULL_ARGUMENT: return "an argument is missing";
            case AAX_ERROR_INVALID_INTERNAL_DATA: return "the plug-in's own data is not valid";
            case AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW: return "an argument does not fit its buffer";
            default: return "a code this host does not know";
        }
    }
}

std::string StandInResult::Describe (AAX_Result result)
{
    return AAX_ResultToString (result) + ": " + meaning (result) + " (" + std::to_string (static_cast<long> (result)) + ")";
}
