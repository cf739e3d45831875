# Runs cmake/CheckIncludes.cmake, with the build's own table of libraries, on a small tree that
# has one header in every library folder, once per case below: one include planted in one file,
# and what the check must say. Run with -DSOURCE=<project root> -DWORK=<scratch folder>
# -DLIBRARIES=<the table> -DNO_JUCE=<folders>.
cmake_minimum_required(VERSION 3.22)

# file | the line planted in it | "ok", or a text the refusal must hold
set(cases
    "core/parameters/Case.h|#include \"core/Base.h\"|grindel_core_parameters is below grindel_core"
    "dsp/Case.h|#include \"core/parameters/Base.h\"|grindel_dsp is below grindel_core_parameters"
    "core/content/Case.h|#include \"core/parameters/Base.h\"|ok"
    "skin/Case.h|#include \"editor/Base.h\"|grindel_gui_toolkit is below grindel_gui"
    "skin/widgets/Case.cpp|#include \"editor/browser/Base.h\"|grindel_gui_toolkit is below grindel_gui"
    "editor/windows/Case.h|#include \"editor/Base.h\"|grindel_gui_toolkit is below grindel_gui"
    "skin/Case.h|#include \"editor/windows/Base.h\"|ok"
    "editor/windows/Case.h|#include \"skin/widgets/Base.h\"|ok"
    "editor/browser/Case.h|#include \"editor/windows/Base.h\"|ok"
    "editor/Case.h|#include \"product/Base.h\"|grindel_gui is below grindel_product"
    "editor/Case.h|#include \"../skin/Base.h\"|write the header's path from the project's root"
    "editor/Case.h|#include \"Base.h\"|write the header's path from the project's root"
    "AAX/Interfaces/Case.h|#include <juce_core/juce_core.h>|knows neither JUCE nor the plug-in"
    "AAX/Interfaces/Case.h|#include \"core/Base.h\"|knows neither JUCE nor the plug-in")

include(${SOURCE}/cmake/LibraryTable.cmake)
grindel_read_library_table(${LIBRARIES})

file(REMOVE_RECURSE ${WORK})
foreach(folder IN LISTS grindel_table_folders)
    file(WRITE ${WORK}/${folder}/Base.h "#pragma once\n")
endforeach()
file(MAKE_DIRECTORY ${WORK}/AAX/Interfaces)

set(failed 0)
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 file)
    list(GET fields 1 line)
    list(GET fields 2 expected)
    file(WRITE ${WORK}/${file} "#pragma once\n${line}\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} "-DLIBRARIES=${LIBRARIES}" "-DNO_JUCE=${NO_JUCE}"
                            -DSTAMP=${WORK}/stamp -P ${SOURCE}/cmake/CheckIncludes.cmake
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    string(REGEX REPLACE "[ \n]+" " " out "${out}")
    if(expected STREQUAL "ok")
        if(NOT result EQUAL 0)
            message(SEND_ERROR "${file}: ${line} was refused: ${out}")
            set(failed 1)
        endif()
    elseif(result EQUAL 0 OR NOT out MATCHES "${file}: .*${expected}")
        message(SEND_ERROR "${file}: ${line} was not refused with \"${expected}\": ${out}")
        set(failed 1)
    endif()
    file(REMOVE ${WORK}/${file})
endforeach()

# The real tree passes.
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${SOURCE} "-DLIBRARIES=${LIBRARIES}" "-DNO_JUCE=${NO_JUCE}"
                        -DSTAMP=${WORK}/stamp -P ${SOURCE}/cmake/CheckIncludes.cmake
                RESULT_VARIABLE result ERROR_VARIABLE out)
if(NOT result EQUAL 0)
    message(SEND_ERROR "the project's own tree is refused: ${out}")
endif()
