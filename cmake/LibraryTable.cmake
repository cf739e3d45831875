# Reads the table of our libraries (GRINDEL_LIBRARIES in Layers.cmake): one entry per library,
# "<name>=<its folders, comma-separated>=<the libraries it links, comma-separated>". Shared by
# the configure-time check, the build-time include check and that check's test, which run as
# scripts and get the table on their command line.

# grindel_read_library_table(<entry>...): sets in the caller's scope grindel_table_libraries
# (the names, in the table's order), grindel_table_folders (every folder), and for each
# library grindel_folders_of_<name> and grindel_deps_of_<name>, and for each folder
# grindel_library_of_<folder>.
function(grindel_read_library_table)
    set(names)
    set(all_folders)
    foreach(entry IN LISTS ARGN)
        string(REPLACE "=" ";" parts "${entry}")
        list(GET parts 0 name)
        list(GET parts 1 folders)
        set(deps)
        list(LENGTH parts count)
        if(count GREATER 2)
            list(GET parts 2 deps)
        endif()
        string(REPLACE "," ";" folders "${folders}")
        string(REPLACE "," ";" deps "${deps}")
        list(APPEND names ${name})
        list(APPEND all_folders ${folders})
        set(grindel_folders_of_${name} ${folders} PARENT_SCOPE)
        set(grindel_deps_of_${name} ${deps} PARENT_SCOPE)
        foreach(folder IN LISTS folders)
            set(grindel_library_of_${folder} ${name} PARENT_SCOPE)
        endforeach()
    endforeach()
    set(grindel_table_libraries ${names} PARENT_SCOPE)
    set(grindel_table_folders ${all_folders} PARENT_SCOPE)
endfunction()

# grindel_libraries_below(<name> <out>): every library the table puts below <name>, through
# every step. Needs the variables of grindel_read_library_table in scope.
function(grindel_libraries_below name out)
    set(below)
    set(queue ${grindel_deps_of_${name}})
    while(queue)
        list(POP_FRONT queue dep)
        if(NOT dep IN_LIST below)
            if(NOT dep IN_LIST grindel_table_libraries)
                message(FATAL_ERROR "The table of libraries puts ${dep} below ${name} but does not list it")
            endif()
            list(APPEND below ${dep})
            list(APPEND queue ${grindel_deps_of_${dep}})
        endif()
    endwhile()
    set(${out} ${below} PARENT_SCOPE)
endfunction()
