# Fails when a source of our libraries includes one of our headers other than by its path from
# the project's root, or includes a header from a folder of a library above its own.
#
# Run with -DROOT=<project root> -DSTAMP=<file> and -DLIBRARIES=<the table of libraries, as
# LibraryTable.cmake reads it>. Folders are matched whole: "core" holds core/*.h but not
# core/content/*.h.
# -DNO_JUCE=<folders> lists folders whose files may include neither JUCE nor a library folder.

cmake_minimum_required(VERSION 3.22)

include(${CMAKE_CURRENT_LIST_DIR}/LibraryTable.cmake)
grindel_read_library_table(${LIBRARIES})

# The folders a library may include: its own and those of every library below it.
foreach(name IN LISTS grindel_table_libraries)
    grindel_libraries_below(${name} below)
    set(allowed_${name} ${grindel_folders_of_${name}})
    foreach(lib IN LISTS below)
        list(APPEND allowed_${name} ${grindel_folders_of_${lib}})
    endforeach()
endforeach()

function(include_lines source out)
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    set(${out} "${lines}" PARENT_SCOPE)
endfunction()

set(failures)
foreach(folder IN LISTS grindel_table_folders)
    set(library ${grindel_library_of_${folder}})
    file(GLOB sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        file(RELATIVE_PATH where ${ROOT} ${source})
        include_lines(${source} includes)
        foreach(line IN LISTS includes)
            if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\"")
                continue()
            endif()
            set(path ${CMAKE_MATCH_1})
            get_filename_component(dir "${path}" DIRECTORY)
            if(path MATCHES "\\.\\." OR NOT dir IN_LIST grindel_table_folders OR NOT EXISTS ${ROOT}/${path})
                list(APPEND failures "${where}: #include \"${path}\" (write the header's path from the project's root)")
            elseif(NOT dir IN_LIST allowed_${library})
                list(APPEND failures "${where}: #include \"${path}\" (${library} is below ${grindel_library_of_${dir}}, which holds ${dir}/)")
            endif()
        endforeach()
    endforeach()
endforeach()

foreach(folder IN LISTS NO_JUCE)
    file(GLOB_RECURSE sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        file(RELATIVE_PATH where ${ROOT} ${source})
        include_lines(${source} includes)
        foreach(line IN LISTS includes)
            if(line MATCHES "[\"<]([^\">]*)[\">]")
                set(path ${CMAKE_MATCH_1})
                get_filename_component(dir "${path}" DIRECTORY)
                if(path MATCHES "^juce" OR path MATCHES "/juce" OR dir IN_LIST grindel_table_folders)
                    list(APPEND failures "${where}: #include \"${path}\" (${folder} knows neither JUCE nor the plug-in)")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Includes that break the layers:\n  ${text}")
endif()
file(TOUCH ${STAMP})
