# The program's picture and icon, drawn at build time by makeartwork and built into skarde_gui.
# Included from src/CMakeLists.txt: the generated files must come from the directory of the
# target that embeds them.
add_executable(makeartwork ${PROJECT_SOURCE_DIR}/resources/makeartwork.cpp
                           ${PROJECT_SOURCE_DIR}/resources/pngimage.cpp)
target_link_libraries(makeartwork PRIVATE skarde_core)
set_target_properties(makeartwork PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} AUTOMOC OFF)

set(SKARDE_ARTWORK_DIR ${CMAKE_CURRENT_BINARY_DIR}/artwork)
set(SKARDE_ARTWORK_FILES
  ${SKARDE_ARTWORK_DIR}/picture.bmp
  ${SKARDE_ARTWORK_DIR}/skardetools.ico
  ${SKARDE_ARTWORK_DIR}/frmvolextract.ico
  ${SKARDE_ARTWORK_DIR}/frmpba2bmp.ico
  ${SKARDE_ARTWORK_DIR}/frmbmp2pbmp.ico
  ${SKARDE_ARTWORK_DIR}/frmpplextract.ico)
# The icon for the desktop's icon theme; built in too, so the window icon has every size.
set(SKARDE_THEME_ICON_SIZES 32 48 128 256)
foreach(size IN LISTS SKARDE_THEME_ICON_SIZES)
  list(APPEND SKARDE_ARTWORK_FILES ${SKARDE_ARTWORK_DIR}/skardetools-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${SKARDE_ARTWORK_FILES}
  COMMAND makeartwork ${SKARDE_ARTWORK_DIR}
  DEPENDS makeartwork
  COMMENT "Drawing the program's picture and icon")
