# The image resource of the widget library: the SVG sources in bilder/ are drawn to PNG files at
# build time by the project's own tool and compiled into the library under ":/Kelmor_common/images/".
find_package(Qt5 5.15 REQUIRED COMPONENTS Svg)

add_executable(bildmaler ${CMAKE_CURRENT_SOURCE_DIR}/bilder/bildmaler.cpp)
target_link_libraries(bildmaler PRIVATE Qt5::Svg Qt5::Gui)

set(bild_quellen ${CMAKE_CURRENT_SOURCE_DIR}/bilder)
set(bild_ziel ${CMAKE_CURRENT_BINARY_DIR}/bilder)
set(bild_namen configure data exit filesaveas help minicross print mail leftarrow rightarrow exportpdf home)

set(bild_argumente)
set(bild_dateien)
set(bild_svgs)
set(qrc_eintraege)
foreach(name IN LISTS bild_namen)
  list(APPEND bild_svgs ${bild_quellen}/${name}.svg)
  foreach(kante 16 22)
    set(datei default/${name}_${kante}.png)
    list(APPEND bild_argumente ${bild_quellen}/${name}.svg ${kante} ${bild_ziel}/${datei})
    list(APPEND bild_dateien ${bild_ziel}/${datei})
    string(APPEND qrc_eintraege "    <file>${datei}</file>\n")
  endforeach()
endforeach()
# The text tools' zoom, shown by the report viewer.
list(APPEND bild_svgs ${bild_quellen}/zoomin.svg)
list(APPEND bild_argumente ${bild_quellen}/zoomin.svg 22 ${bild_ziel}/textedit/zoomin.png)
list(APPEND bild_dateien ${bild_ziel}/textedit/zoomin.png)
string(APPEND qrc_eintraege "    <file>textedit/zoomin.png</file>\n")
# The logo (size kind ".png" without a size suffix).
list(APPEND bild_svgs ${bild_quellen}/kelmor.svg)
list(APPEND bild_argumente ${bild_quellen}/kelmor.svg 48 ${bild_ziel}/kelmor.png)
list(APPEND bild_dateien ${bild_ziel}/kelmor.png)
string(APPEND qrc_eintraege "    <file>kelmor.png</file>\n")

# Sanitizer builds instrument the tool too; what it leaks at exit must not fail the build.
add_custom_command(
  OUTPUT ${bild_dateien}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${bild_ziel}/default ${bild_ziel}/textedit
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:bildmaler> ${bild_argumente}
  DEPENDS bildmaler ${bild_svgs}
  COMMENT "Drawing the widget library's images"
  VERBATIM)

# Written at configure time so that the resource compiler's rule knows the PNG files it depends on.
file(WRITE ${bild_ziel}/bilder.qrc.neu
  "<!DOCTYPE RCC><RCC version=\"1.0\">\n  <qresource prefix=\"/Kelmor_common/images\">\n${qrc_eintraege}  </qresource>\n</RCC>\n")
configure_file(${bild_ziel}/bilder.qrc.neu ${bild_ziel}/bilder.qrc COPYONLY)
qt5_add_resources(bild_resource ${bild_ziel}/bilder.qrc)
target_sources(widgets PRIVATE ${bild_resource})
