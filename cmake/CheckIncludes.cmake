# Fails when a source of the layers includes one of our headers other than by its path from
# the project's root: such an include would bypass the include folders that keep the layers
# apart (Layers.cmake). Run with -DROOT=<project root> -DFOLDERS=<folders to check>
# -DSKIP=<a folder below them not to check> -DSTAMP=<file>.

set(failures)
foreach(folder IN LISTS FOLDERS)
    file(GLOB_RECURSE sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "^${ROOT}/${SKIP}/")
    foreach(source IN LISTS sources)
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" path "${line}")
            set(top "")
            string(REGEX MATCH "^[A-Za-z]+/" top "${path}")
            string(REPLACE "/" "" top "${top}")
            list(FIND FOLDERS "${top}" known)
            if(path MATCHES "\\.\\." OR known EQUAL -1 OR NOT EXISTS ${ROOT}/${path})
                file(RELATIVE_PATH where ${ROOT} ${source})
                list(APPEND failures "${where}: #include \"${path}\" (write the header's path from the project's root)")
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Includes that bypass the layers:\n  ${text}")
endif()
file(TOUCH ${STAMP})
