# The updater's own drawings, made from their SVG sources by the widget library's tool `bildmaler`:
# the program icon in the library's resource (":/updater/setup.png") and the workspace background,
# which lies in the support folder of the build tree's application root, where the picture search
# finds it.
set(updater_bild_quellen ${CMAKE_CURRENT_SOURCE_DIR}/bilder)
set(updater_bild_ziel ${CMAKE_CURRENT_BINARY_DIR}/bilder)
set(updater_icon ${updater_bild_ziel}/setup.png)
set(updater_hintergrund ${CMAKE_CURRENT_BINARY_DIR}/support/workspace_image_quorbel.png)

# Sanitizer builds instrument the tool too; what it leaks at exit must not fail the build.
add_custom_command(
  OUTPUT ${updater_icon} ${updater_hintergrund}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${updater_bild_ziel} ${CMAKE_CURRENT_BINARY_DIR}/support
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:bildmaler>
          ${updater_bild_quellen}/setup.svg 48 ${updater_icon}
          ${updater_bild_quellen}/workspace_image_quorbel.svg 512 ${updater_hintergrund}
  DEPENDS bildmaler ${updater_bild_quellen}/setup.svg ${updater_bild_quellen}/workspace_image_quorbel.svg
  COMMENT "Drawing the updater's images"
  VERBATIM)
add_custom_target(updater_bilder ALL DEPENDS ${updater_icon} ${updater_hintergrund})

# Its own name: the resource's initialiser is named after the file, and the widget library's
# "bilder.qrc" already has one of that name.
file(WRITE ${updater_bild_ziel}/updater_bilder.qrc.neu
  "<!DOCTYPE RCC><RCC version=\"1.0\">\n  <qresource prefix=\"/updater\">\n    <file>setup.png</file>\n  </qresource>\n</RCC>\n")
configure_file(${updater_bild_ziel}/updater_bilder.qrc.neu ${updater_bild_ziel}/updater_bilder.qrc COPYONLY)
qt5_add_resources(updater_bild_resource ${updater_bild_ziel}/updater_bilder.qrc)
target_sources(updater PRIVATE ${updater_bild_resource})
add_dependencies(updater updater_bilder)
