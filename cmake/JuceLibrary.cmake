# Compiles the JUCE modules once into one static library, grindel_juce, and offers its headers
# in three sets that a layer links instead of grindel_juce itself:
#
#   grindel_juce_audio_basics  juce_core and juce_audio_basics (the DSP core)
#   grindel_juce_base          the modules without GUI: core, events, data structures, audio
#                              basics and formats, cryptography (parameters and content)
#   grindel_juce_gui           every module, with graphics, GUI and the audio processor
#
# Each set's include folder holds only its modules, so a header of another module does not
# compile there. The module targets of Debian's JUCE do not link the system codec libraries,
# so we do.

find_package(PkgConfig REQUIRED)
pkg_check_modules(GRINDEL_CODECS REQUIRED IMPORTED_TARGET
    zlib libpng libjpeg flac vorbis vorbisenc vorbisfile ogg)

if(NOT TARGET juce::juce_core)
    find_package(JUCE 7.0.5 CONFIG REQUIRED)
endif()

set(GRINDEL_JUCE_AUDIO_BASICS_MODULES juce_core juce_audio_basics)
set(GRINDEL_JUCE_BASE_MODULES
    juce_core juce_events juce_data_structures juce_audio_basics juce_audio_formats juce_cryptography)
set(GRINDEL_JUCE_MODULES ${GRINDEL_JUCE_BASE_MODULES}
    juce_graphics juce_gui_basics juce_gui_extra juce_audio_processors)

add_library(grindel_juce STATIC)
set_target_properties(grindel_juce PROPERTIES POSITION_INDEPENDENT_CODE ON)

set(GRINDEL_JUCE_DEFINITIONS
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_VST3_CAN_REPLACE_VST2=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_STRICT_REFCOUNTEDPOINTER=1
    JUCE_USE_XRANDR=1
    JUCE_USE_XINERAMA=1)

foreach(module IN LISTS GRINDEL_JUCE_MODULES)
    target_link_libraries(grindel_juce PRIVATE juce::${module})
    target_compile_definitions(grindel_juce PUBLIC
        $<TARGET_PROPERTY:juce::${module},INTERFACE_COMPILE_DEFINITIONS>)
endforeach()

target_compile_definitions(grindel_juce PUBLIC ${GRINDEL_JUCE_DEFINITIONS})
# Where assertions are on, JUCE reports them through its current logger (Logger::writeToLog)
# instead of straight to the standard error, so the test programs and the AAX bundle can
# hand them on. Release builds keep JUCE's assertions compiled out.
target_compile_definitions(grindel_juce PUBLIC $<$<NOT:$<CONFIG:Release,RelWithDebInfo,MinSizeRel>>:JUCE_LOG_ASSERTIONS=1>)
target_compile_options(grindel_juce PRIVATE -w)
target_link_libraries(grindel_juce PUBLIC
    PkgConfig::GRINDEL_CODECS ${CMAKE_DL_LIBS} pthread rt)

if(NOT EXISTS ${JUCE_MODULES_DIR}/juce_core/juce_core.h)
    message(FATAL_ERROR "JUCE's modules are not in '${JUCE_MODULES_DIR}'")
endif()

# grindel_juce_header_set(<target> <module>...): an interface target whose include folder
# links to the given modules only.
function(grindel_juce_header_set target)
    set(folder ${CMAKE_BINARY_DIR}/include/${target})
    file(REMOVE_RECURSE ${folder})
    file(MAKE_DIRECTORY ${folder})
    foreach(module IN LISTS ARGN)
        file(CREATE_LINK ${JUCE_MODULES_DIR}/${module} ${folder}/${module} SYMBOLIC)
    endforeach()
    add_library(${target} INTERFACE)
    target_include_directories(${target} SYSTEM INTERFACE ${folder})
    target_link_libraries(${target} INTERFACE grindel_juce)
endfunction()

grindel_juce_header_set(grindel_juce_audio_basics ${GRINDEL_JUCE_AUDIO_BASICS_MODULES})
grindel_juce_header_set(grindel_juce_base ${GRINDEL_JUCE_BASE_MODULES})
grindel_juce_header_set(grindel_juce_gui ${GRINDEL_JUCE_MODULES})
