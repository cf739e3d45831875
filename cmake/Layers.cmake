# The layers of our own code and how the build keeps them apart.
#
# Our code includes its headers by their path from the project's root ("core/BasePlugin.h").
# No target has the root itself on its include path: each library gets an include folder of
# its own in the build tree that links only to its own folders (or single headers), and sees
# the folders of the libraries it links. So a header of a higher layer does not compile in a
# lower one. CheckIncludes.cmake, run at every build, refuses the includes that would get
# round that: relative paths ("../", or a bare name of another file in the same folder).

# grindel_include_root(<target> <path>...)
# <path>: a folder or a header, relative to the project's root, linked under the same name.
function(grindel_include_root target)
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root})
    foreach(path IN LISTS ARGN)
        if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${path})
            message(FATAL_ERROR "grindel_include_root(${target}): ${path} does not exist")
        endif()
        get_filename_component(parent ${root}/${path} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# grindel_layer_options(<target>): our warnings on our own code (position-independent code,
# for the bundle, is the project's default).
function(grindel_layer_options target)
    target_compile_options(${target} PRIVATE ${GRINDEL_WARNINGS})
endfunction()

# The libraries of our code, the folders each one holds and the libraries it links (the map in
# docs/architecture.md). Every folder belongs to exactly one library, and a file may include
# only from its own library's folders and those of the libraries below it.
set(GRINDEL_LIBRARIES
    "grindel_dsp=dsp"
    "grindel_core_parameters=core/parameters"
    "grindel_core_content=core/content=grindel_core_parameters"
    "grindel_core=core=grindel_core_content,grindel_core_parameters,grindel_dsp"
    "grindel_gui_toolkit=skin,skin/widgets,editor/windows=grindel_core"
    "grindel_gui=editor,editor/browser=grindel_gui_toolkit"
    "grindel_product=product=grindel_gui")
# The AAX interface library and the stand-in host's kernel know neither JUCE nor the plug-in.
set(GRINDEL_NO_JUCE_FOLDERS AAX tools/AAXHost/Kernel)

include(${CMAKE_CURRENT_LIST_DIR}/LibraryTable.cmake)
grindel_read_library_table(${GRINDEL_LIBRARIES})

# Every include of the libraries' sources is checked at build time.
set(GRINDEL_INCLUDE_CHECK_STAMP ${CMAKE_BINARY_DIR}/include/includes-checked.stamp)
set(globs)
foreach(folder IN LISTS grindel_table_folders GRINDEL_NO_JUCE_FOLDERS)
    list(APPEND globs ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
endforeach()
file(GLOB_RECURSE GRINDEL_LAYER_SOURCES CONFIGURE_DEPENDS ${globs})
add_custom_command(OUTPUT ${GRINDEL_INCLUDE_CHECK_STAMP}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} "-DLIBRARIES=${GRINDEL_LIBRARIES}"
            "-DNO_JUCE=${GRINDEL_NO_JUCE_FOLDERS}" -DSTAMP=${GRINDEL_INCLUDE_CHECK_STAMP}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    DEPENDS ${GRINDEL_LAYER_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake ${PROJECT_SOURCE_DIR}/cmake/LibraryTable.cmake
    COMMENT "Checking the libraries' includes"
    VERBATIM)
add_custom_target(grindel_include_check ALL DEPENDS ${GRINDEL_INCLUDE_CHECK_STAMP})

# grindel_check_libraries(): at configure time, after every library is defined, checks the
# table against the targets, so the two cannot drift apart: each library's .cpp files lie in
# its own folders, every .cpp of those folders is compiled into it, and it links no library of
# the table that the table does not put below it.
function(grindel_check_libraries)
    set(problems)
    grindel_read_library_table(${GRINDEL_LIBRARIES})

    foreach(name IN LISTS grindel_table_libraries)
        if(NOT TARGET ${name})
            list(APPEND problems "${name} is in the table but is not a target")
            continue()
        endif()
        get_target_property(target_dir ${name} SOURCE_DIR)
        get_target_property(sources ${name} SOURCES)
        set(compiled)
        foreach(source IN LISTS sources)
            if(NOT source MATCHES "\\.cpp$")
                continue()
            endif()
            if(NOT IS_ABSOLUTE ${source})
                set(source ${target_dir}/${source})
            endif()
            file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
            get_filename_component(folder ${relative} DIRECTORY)
            if(NOT folder IN_LIST grindel_folders_of_${name})
                list(APPEND problems "${name} compiles ${relative}, outside its folders")
            endif()
            list(APPEND compiled ${relative})
        endforeach()
        foreach(folder IN LISTS grindel_folders_of_${name})
            file(GLOB present RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
            foreach(file IN LISTS present)
                if(NOT file IN_LIST compiled)
                    list(APPEND problems "${file} lies in ${name}'s folder ${folder}/ but is not compiled into it")
                endif()
            endforeach()
        endforeach()

        grindel_libraries_below(${name} below)
        get_target_property(links ${name} LINK_LIBRARIES)
        foreach(link IN LISTS links)
            if(link IN_LIST grindel_table_libraries AND NOT link IN_LIST below)
                list(APPEND problems "${name} links ${link}, which the table does not put below it")
            endif()
        endforeach()
        foreach(dep IN LISTS grindel_deps_of_${name})
            if(NOT dep IN_LIST links)
                list(APPEND problems "the table puts ${dep} below ${name}, which does not link it")
            endif()
        endforeach()
    endforeach()

    if(problems)
        list(JOIN problems "\n  " text)
        message(FATAL_ERROR "The libraries do not match GRINDEL_LIBRARIES (cmake/Layers.cmake):\n  ${text}")
    endif()
endfunction()
