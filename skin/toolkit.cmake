# The widget toolkit: look-and-feel, containers, parameter binding, standard widgets, icons.

juce_add_binary_data(grindel_toolkit_fonts
    HEADER_NAME GrindelFonts.h
    NAMESPACE GrindelFonts
    SOURCES
        /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf
        /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf)
set_target_properties(grindel_toolkit_fonts PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_link_libraries(grindel PRIVATE grindel_toolkit_fonts)

target_sources(grindel PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/BlinkingComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/CheckBox.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/CircularScaleContainer.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ColourEditor.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ComponentRow.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ContainedComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/DefaultLookAndFeel.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/DefaultResourceCheckBox.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/DefaultSliderLAF.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/EmbeddedIcons.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/FrameComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/FrameContainer.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/HardLabel.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/HeaderComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/LabelContainer.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/LinearScaleContainer.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ParameterController.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ParameterToggleBinding.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PathComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/RadioTextButtons.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/StandardWidgetBuilder.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/TextButtonWithIcon.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/TextToggleButton.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ToolbarDrawableButton.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/WidgetIcon.cpp)
