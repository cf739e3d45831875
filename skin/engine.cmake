# The skin engine: skins and packages, the GUI-description loader and widget factory, image
# strips, parameter binding of image-strip widgets, panels and the image-strip widgets.
target_sources(grindel PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/AnimatedComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/BaseGFXController.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/GUIController.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ImageStrip.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ImageStripComponent.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ImageStrippable.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PackageSkin.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/Panel.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/Skin.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/SkinImageReader.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/widgets/GFXMultiStateButton.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/widgets/ImgAnim.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/widgets/ImgButton.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/widgets/ImgKnob.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/widgets/ImgPictureDisplay.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/widgets/ImgSlider.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/widgets/ImgSwitch.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/widgets/NumericDisplay.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/widgets/TextDisplay.cpp)
