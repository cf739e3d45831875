# The editor core: the editor, its skin handling, gestures and the MIDI CC learn pop-up.
target_sources(grindel PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/BasePluginEditor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParameterInfo.cpp)
