#pragma once

#include "AAX.h"

// Automation behaviour of a parameter.
enum AAX_EParameterType : int32_t
{
    AAX_eParameterType_Discrete = 0,
    AAX_eParameterType_Continuous = 1
};

// Orientation bits of a parameter's controls; the library only stores them. Each
// group's first value is 0, so a caller or-s one bit per group.
typedef int32_t AAX_EParameterOrientation;

enum AAX_EParameterOrientationBits : int32_t
{
    AAX_eParameterOrientation_Default = 0,
    AAX_eParameterOrientation_BottomMinTopMax = 0,
    AAX_eParameterOrientation_TopMinBottomMax = 1 << 0,
    AAX_eParameterOrientation_LeftMinRightMax = 0,
    AAX_eParameterOrientation_RightMinLeftMax = 1 << 1,
    AAX_eParameterOrientation_RotarySingleDotMode = 0,
    AAX_eParameterOrientation_RotaryBoostCutMode = 1 << 2,
    AAX_eParameterOrientation_RotaryWrapMode = 1 << 3,
    AAX_eParameterOrientation_RotaryLeftMinRightMax = 0,
    AAX_eParameterOrientation_RotaryRightMinLeftMax = 1 << 4
};

// Trace priorities the library sends with its own trace lines.
enum AAX_ETracePriority : int32_t
{
    AAX_eTracePriority_Normal = 0x4000000,    // checked results that throw
    AAX_eTracePriority_Critical = 0x8000000   // registration exceptions, chunk errors, process-procedure messages
};

// Assertion type the library passes with its assertion failures.
enum AAX_EAssertFailureType : int32_t
{
    AAX_eAssertFailureType_Default = 1
};

// Numbered properties of a property map. Every id lies in 10..401, the range a
// duplicated map copies.
enum AAX_EProperty : int32_t
{
    AAX_eProperty_ManufacturerID = 10,
    AAX_eProperty_ProductID = 11,
    AAX_eProperty_PlugInID_Native = 13,
    AAX_eProperty_PlugInID_AudioSuite = 14,
    AAX_eProperty_PlugInID_TI = 15,

    // Pointer-valued: the native and the TI process procedures with their companions.
    AAX_eProperty_NativeProcessProc = 36,
    AAX_eProperty_NativeInstanceInitProc = 37,
    AAX_eProperty_NativeBackgroundProc = 38,
    AAX_eProperty_TIDLLFileName = 39,
    AAX_eProperty_TIProcessProc = 40,
    AAX_eProperty_TIInstanceInitProc = 41,
    AAX_eProperty_TIBackgroundProc = 42,

    AAX_eProperty_InputStemFormat = 51,
    AAX_eProperty_OutputStemFormat = 52,
    AAX_eProperty_NativeAudioBufferLength = 54,

    AAX_eProperty_CanBypass = 60,
    AAX_eProperty_SupportsSaveRestore = 61,
    AAX_eProperty_SupportsSideChainInput = 62,
    AAX_eProperty_ObservesTransportState = 63,

    AAX_eProperty_Constraint_AlwaysProcess = 70,
    AAX_eProperty_Constraint_MultiMonoSupport = 71,
    AAX_eProperty_Constraint_DoNotApplyDefaultSettings = 72,

    AAX_eProperty_Meter_Type = 80,
    AAX_eProperty_Meter_Orientation = 81,

    AAX_eProperty_MinProp = 10,
    AAX_eProperty_MaxProp = 401
};

// Channel formats: the format's index in the upper 16 bits, its channel count in the
// lower 16. Indices above 12 need a host that describes its support.
#define AAX_STEM_FORMAT(aIndex, aChannelCount) \
    (static_cast<int32_t> ((static_cast<uint32_t> (aIndex) << 16) | static_cast<uint32_t> (aChannelCount)))
#define AAX_STEM_FORMAT_CHANNEL_COUNT(aStemFormat) (static_cast<uint16_t> (static_cast<uint32_t> (aStemFormat) & 0xFFFFu))
#define AAX_STEM_FORMAT_INDEX(aStemFormat) (static_cast<int16_t> (static_cast<uint32_t> (aStemFormat) >> 16))

enum AAX_EStemFormat : int32_t
{
    AAX_eStemFormat_Mono = AAX_STEM_FORMAT (0, 1),
    AAX_eStemFormat_Stereo = AAX_STEM_FORMAT (1, 2),
    AAX_eStemFormat_LCR = AAX_STEM_FORMAT (2, 3),
    AAX_eStemFormat_LCRS = AAX_STEM_FORMAT (3, 4),
    AAX_eStemFormat_Quad = AAX_STEM_FORMAT (4, 4),
    AAX_eStemFormat_5_0 = AAX_STEM_FORMAT (5, 5),
    AAX_eStemFormat_5_1 = AAX_STEM_FORMAT (6, 6),
    AAX_eStemFormat_6_0 = AAX_STEM_FORMAT (7, 6),
    AAX_eStemFormat_6_1 = AAX_STEM_FORMAT (8, 7),
    AAX_eStemFormat_7_0_SDDS = AAX_STEM_FORMAT (9, 7),
    AAX_eStemFormat_7_1_SDDS = AAX_STEM_FORMAT (10, 8),
    AAX_eStemFormat_7_0_DTS = AAX_STEM_FORMAT (11, 7),
    AAX_eStemFormat_7_1_DTS = AAX_STEM_FORMAT (12, 8),
    AAX_eStemFormat_7_0_2 = AAX_STEM_FORMAT (13, 9),
    AAX_eStemFormat_7_1_2 = AAX_STEM_FORMAT (14, 10),
    AAX_eStemFormat_Ambi_1_ACN = AAX_STEM_FORMAT (15, 4),
    AAX_eStemFormat_Ambi_2_ACN = AAX_STEM_FORMAT (16, 9),
    AAX_eStemFormat_Ambi_3_ACN = AAX_STEM_FORMAT (17, 16),
    AAX_eStemFormat_Reserved_1 = AAX_STEM_FORMAT (18, 0),
    AAX_eStemFormat_Reserved_2 = AAX_STEM_FORMAT (19, 0),
    AAX_eStemFormat_Reserved_3 = AAX_STEM_FORMAT (20, 0),

    AAX_eStemFormatNum = 21,                              // number of indices, not a format
    AAX_eStemFormat_None = AAX_STEM_FORMAT (0xFFFF, 0),   // 0xFFFF0000
    AAX_eStemFormat_Any = AAX_STEM_FORMAT (0xFF9C, 0),    // 0xFF9C0000
    AAX_eStemFormat_INT32_MAX = 0x7FFFFFFF
};

// How far the host supports a feature.
enum AAX_ESupportLevel : int32_t
{
    AAX_eSupportLevel_Uninitialized = 0,
    AAX_eSupportLevel_Unsupported = 1,
    AAX_eSupportLevel_Supported = 2,
    AAX_eSupportLevel_Disabled = 3,
    AAX_eSupportLevel_ByProperty = 4   // the feature's property map holds one level per item
};

enum AAX_EMeterType : int32_t
{
    AAX_eMeterType_Input = 0,
    AAX_eMeterType_Output = 1,
    AAX_eMeterType_CLGain = 2,
    AAX_eMeterType_EGGain = 3,
    AAX_eMeterType_Analysis = 4,
    AAX_eMeterType_Other = 5
};

enum AAX_EMeterOrientation : int32_t
{
    AAX_eMeterOrientation_Default = 0,
    AAX_eMeterOrientation_TopRight = 1
};

enum AAX_EMIDINodeType : int32_t
{
    AAX_eMIDINodeType_LocalInput = 0,
    AAX_eMIDINodeType_LocalOutput = 1,
    AAX_eMIDINodeType_Global = 2,
    AAX_eMIDINodeType_Transport = 3
};

enum AAX_EResourceType : int32_t
{
    AAX_eResourceType_None = 0,
    AAX_eResourceType_PageTable = 1,
    AAX_eResourceType_PageTableDir = 2
};

// Passed to a process procedure's instance-initialisation companion.
enum AAX_EComponentInstanceInitAction : int32_t
{
    AAX_eComponentInstanceInitAction_AddingNewInstance = 0,
    AAX_eComponentInstanceInitAction_RemovingInstance = 1,
    AAX_eComponentInstanceInitAction_ResetInstance = 2
};

// Kind of native view a view container holds.
enum AAX_EViewContainer_Type : int32_t
{
    AAX_eViewContainer_Type_NULL = 0,
    AAX_eViewContainer_Type_NSView = 1,
    AAX_eViewContainer_Type_UIView = 2,
    AAX_eViewContainer_Type_HWND = 3
};

// Bits of the view container's modifier set.
enum AAX_EModifiers : int32_t
{
    AAX_eModifiers_None = 0,
    AAX_eModifiers_Shift = 1 << 0,
    AAX_eModifiers_Control = 1 << 1,
    AAX_eModifiers_Alt = 1 << 2,
    AAX_eModifiers_Command = 1 << 3
};

// Where a value update the host sends comes from; the effect base does not use it.
enum AAX_EUpdateSource : int32_t
{
    AAX_eUpdateSource_Unspecified = 0
};

// Time-code frame rates as the transport reports them.
enum AAX_EFrameRate : int32_t
{
    AAX_eFrameRate_Undeclared = 0,
    AAX_eFrameRate_24Frame = 1,
    AAX_eFrameRate_25Frame = 2,
    AAX_eFrameRate_2997NonDrop = 3,
    AAX_eFrameRate_2997DropFrame = 4,
    AAX_eFrameRate_30NonDrop = 5,
    AAX_eFrameRate_30DropFrame = 6,
    AAX_eFrameRate_23976 = 7
};

enum AAX_EHighlightColor : int32_t
{
    AAX_eHighlightColor_Red = 0,
    AAX_eHighlightColor_Blue = 1,
    AAX_eHighlightColor_Green = 2,
    AAX_eHighlightColor_Yellow = 3,
    AAX_eHighlightColor_Num
};

// Notifications between host and effect, as four-character codes.
enum AAX_ENotificationEvent : int32_t
{
    AAX_eNotificationEvent_TrackNameChanged = 'AXtn',
    AAX_eNotificationEvent_EnteringOfflineMode = 'AXof',
    AAX_eNotificationEvent_ExitingOfflineMode = 'AXox',
    AAX_eNotificationEvent_SideChainBeingConnected = 'AXsc',
    AAX_eNotificationEvent_SideChainBeingDisconnected = 'AXsd',
    AAX_eNotificationEvent_ASProcessingState = 'ASPs',
    AAX_eNotificationEvent_ASPreviewState = 'ASPv'
};

// States of an offline pass, sent with AAX_eNotificationEvent_ASProcessingState.
enum AAX_EProcessingState : int32_t
{
    AAX_eProcessingState_None = 0,
    AAX_eProcessingState_StartPass = 1,
    AAX_eProcessingState_StopPass = 2,
    AAX_eProcessingState_BeginPassGroup = 3,
    AAX_eProcessingState_EndPassGroup = 4
};

enum AAX_ECurveType : int32_t
{
    AAX_eCurveType_None = 0,
    AAX_eCurveType_EQ = 'AXeq',
    AAX_eCurveType_Dynamics = 'AXdy',
    AAX_eCurveType_Reduction = 'AXdr'
};

// Native buffer lengths as powers of two; the largest block is 1 << AAX_eAudioBufferLength_Max.
enum AAX_EAudioBufferLength : int32_t
{
    AAX_eAudioBufferLength_16 = 4,
    AAX_eAudioBufferLength_32 = 5,
    AAX_eAudioBufferLength_64 = 6,
    AAX_eAudioBufferLength_128 = 7,
    AAX_eAudioBufferLength_256 = 8,
    AAX_eAudioBufferLength_512 = 9,
    AAX_eAudioBufferLength_1024 = 10,
    AAX_eAudioBufferLength_Max = AAX_eAudioBufferLength_1024
};

// Identifier of the master bypass parameter.
inline constexpr char cDefaultMasterBypassID[] = "MasterBypassID";
