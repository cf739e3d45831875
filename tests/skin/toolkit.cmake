# Tests of the widget toolkit: value parsers, parameter binding, containers, buttons, look-and-feel.
grindel_add_test(skin_toolkit_tests JUCE
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/ValueParserTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ParameterControllerTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ContainerTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ButtonTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/LookAndFeelTest.cpp
    LIBS grindel)
