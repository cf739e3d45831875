# Compiles the JUCE modules once into one static library that every target links.
# The module targets of Debian's JUCE do not link the system codec libraries, so we do.

find_package(PkgConfig REQUIRED)
pkg_check_modules(GRINDEL_CODECS REQUIRED IMPORTED_TARGET
    zlib libpng libjpeg flac vorbis vorbisenc vorbisfile ogg)

if(NOT TARGET juce::juce_core)
    find_package(JUCE 7.0.5 CONFIG REQUIRED)
endif()

set(GRINDEL_JUCE_MODULES
    juce_core juce_events juce_data_structures juce_graphics juce_gui_basics juce_gui_extra
    juce_audio_basics juce_audio_formats juce_audio_processors juce_cryptography)

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
    target_include_directories(grindel_juce SYSTEM PUBLIC
        $<TARGET_PROPERTY:juce::${module},INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_definitions(grindel_juce PUBLIC
        $<TARGET_PROPERTY:juce::${module},INTERFACE_COMPILE_DEFINITIONS>)
endforeach()

target_compile_definitions(grindel_juce PUBLIC ${GRINDEL_JUCE_DEFINITIONS})
target_compile_options(grindel_juce PRIVATE -w)
target_link_libraries(grindel_juce PUBLIC
    PkgConfig::GRINDEL_CODECS ${CMAKE_DL_LIBS} pthread rt)
