# A configure that names no build type builds what users get, not an unoptimised build with
# JUCE's assertions logging. Multi-config generators choose per build.
get_property(GRINDEL_MULTI_CONFIG GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
if(NOT GRINDEL_MULTI_CONFIG AND NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE Release CACHE STRING "Debug, Release, RelWithDebInfo or MinSizeRel" FORCE)
    message(STATUS "No build type given: Release")
endif()
