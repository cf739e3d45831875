# Tests of the editor core: skins, layout, gestures, the MIDI CC learn pop-up, settings, state
# and snapshots, with the product's skins.
grindel_add_test(editor_core_tests JUCE
    SOURCES
        ${PROJECT_SOURCE_DIR}/tests/support/BareXServer.cpp
        ${CMAKE_CURRENT_LIST_DIR}/EditorTestSupport.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SkinDiscoveryTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SkinLoadingTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/EditorLayoutTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/GestureTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/EditorSettingsTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/EditorWindowTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/EditorAudioThreadTest.cpp
    LIBS grindel)

# Real windows under Xvfb need a few X atoms that a bare server lacks (tests/support/BareXServer).
find_package(X11 REQUIRED)
target_link_libraries(editor_core_tests PRIVATE X11::X11)

# The installed product skins (tools/SkinBuilder) are copied into each test's data root.
target_compile_definitions(editor_core_tests PRIVATE
    GRINDEL_BUILT_SKINS="${CMAKE_BINARY_DIR}/data/Common/Application Support/Orvik Group/Grindel 2/Skins"
    GRINDEL_EDITOR_SNAPSHOTS="${CMAKE_BINARY_DIR}/editor-snapshots"
    GRINDEL_FACTORY_PACKAGE="${GRINDEL_FACTORY_PACKAGE}")
if(TARGET grindel_skins)
    add_dependencies(editor_core_tests grindel_skins)
endif()
add_dependencies(editor_core_tests grindel_factory_presets)
