# Tests of the editor's windows toolkit: modal layer and windows, alerts, the pop-up menu and
# drop-down list, the front layer, the status bar, and the options window with its pages.
grindel_add_test(editor_windows_tests JUCE
    SOURCES
        ${PROJECT_SOURCE_DIR}/tests/support/BareXServer.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WindowsTestSupport.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ModalWindowTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/AlertWindowTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/PopupMenuTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/FrontWindowTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/StatusBarTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/OptionsWindowTest.cpp
    LIBS grindel)

find_package(X11 REQUIRED)
target_link_libraries(editor_windows_tests PRIVATE X11::X11)
