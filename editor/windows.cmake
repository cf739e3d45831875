# The editor's windows toolkit: modal layer, windows and alerts, pop-up menu, front layer,
# status bar, options window and pages, and the skin widgets that use them.
target_sources(grindel PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/AlertWindow.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/DefaultSettingsComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/FrontWindow.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/GUIPickerComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/GUISettingsComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/InputTextWindow.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/MidiMapComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/MidiSettingsComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ModalComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/OptionsWindow.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PopupMenuEx.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PresetChangedAlert.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PresetSettingsComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/QualitySettingsComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ReplaceAlertWindow.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/StatusBar.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/WindowComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/WindowIcons.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/../skin/widgets/ComboBoxButton.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/../skin/widgets/ComboBoxEx.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/../skin/widgets/EnumDisplay.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/../skin/widgets/PresetNameDisplay.cpp)
