# Configures a small project that takes the build-type default as the project does, without a
# build type and with one, and checks what each gets. Run with -DSOURCE=<project root>
# -DWORK=<scratch folder>.
cmake_minimum_required(VERSION 3.22)

file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/CMakeLists.txt "cmake_minimum_required(VERSION 3.22)\n"
                                  "project(BuildTypeCase NONE)\n"
                                  "include(${SOURCE}/cmake/DefaultBuildType.cmake)\n"
                                  "message(STATUS \"build type: [\${CMAKE_BUILD_TYPE}]\")\n")

foreach(case "|Release" "-DCMAKE_BUILD_TYPE=Debug|Debug")
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts 0 option)
    list(GET parts 1 expected)
    file(REMOVE_RECURSE ${WORK}/build)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK} -B ${WORK}/build -G Ninja ${option}
                    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)

    if(NOT result EQUAL 0 OR NOT output MATCHES "build type: \\[${expected}\\]")
        message(FATAL_ERROR "configured with \"${option}\": expected ${expected}, got:\n${output}")
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
