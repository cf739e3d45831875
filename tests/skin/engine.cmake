# Tests of the skin engine: loader, packages, image strips, widgets and the product's skins.
grindel_add_test(skin_engine_tests JUCE
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/ImageStripTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SkinImageReaderTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SkinLoaderTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SkinSnapshotTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WidgetTest.cpp
    LIBS grindel)

# The installed product skins (tools/SkinBuilder) are read, never written.
target_compile_definitions(skin_engine_tests PRIVATE
    GRINDEL_BUILT_SKINS="${CMAKE_BINARY_DIR}/data/Common/Application Support/Orvik Group/Grindel 2/Skins"
    GRINDEL_SKIN_SNAPSHOTS="${CMAKE_BINARY_DIR}/skin-snapshots")
if(TARGET grindel_skins)
    add_dependencies(skin_engine_tests grindel_skins)
endif()
