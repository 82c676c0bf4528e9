# The image resource of the widget library: the SVG sources in bilder/ are drawn to PNG files at
# build time by the project's own tool and compiled into the library under ":/Kelmor_common/images/".
find_package(Qt5 5.15 REQUIRED COMPONENTS Svg)

add_executable(bildmaler ${CMAKE_CURRENT_SOURCE_DIR}/bilder/bildmaler.cpp)
target_link_libraries(bildmaler PRIVATE Qt5::Svg Qt5::Gui)

# bilder_resource(<target> <resource prefix> <source.svg> <edge length> <file in the resource> ...)
# draws each source at build time with bildmaler and compiles the PNG files into <target>.
# Libraries added after this one use it for their own images.
function(bilder_resource ziel praefix)
  set(bild_ziel ${CMAKE_CURRENT_BINARY_DIR}/bilder)
  set(bild_argumente)
  set(bild_dateien)
  set(bild_svgs)
  set(bild_ordner ${bild_ziel})
  set(qrc_eintraege)
  set(rest ${ARGN})
  while(rest)
    list(POP_FRONT rest svg kante datei)
    list(APPEND bild_svgs ${svg})
    list(APPEND bild_argumente ${svg} ${kante} ${bild_ziel}/${datei})
    list(APPEND bild_dateien ${bild_ziel}/${datei})
    get_filename_component(ordner ${bild_ziel}/${datei} DIRECTORY)
    list(APPEND bild_ordner ${ordner})
    string(APPEND qrc_eintraege "    <file>${datei}</file>\n")
  endwhile()
  list(REMOVE_DUPLICATES bild_ordner)

  # Sanitizer builds instrument the tool too; what it leaks at exit must not fail the build.
  add_custom_command(
    OUTPUT ${bild_dateien}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bild_ordner}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:bildmaler> ${bild_argumente}
    DEPENDS bildmaler ${bild_svgs}
    COMMENT "Drawing the images of ${ziel}"
    VERBATIM)

  # Written at configure time so that the resource compiler's rule knows the PNG files it depends on.
  file(WRITE ${bild_ziel}/bilder.qrc.neu
    "<!DOCTYPE RCC><RCC version=\"1.0\">\n  <qresource prefix=\"${praefix}\">\n${qrc_eintraege}  </qresource>\n</RCC>\n")
  configure_file(${bild_ziel}/bilder.qrc.neu ${bild_ziel}/bilder.qrc COPYONLY)
  qt5_add_resources(bild_resource ${bild_ziel}/bilder.qrc)
  target_sources(${ziel} PRIVATE ${bild_resource})
endfunction()

set(bild_quellen ${CMAKE_CURRENT_SOURCE_DIR}/bilder)
set(bild_namen configure data exit filesaveas help minicross print mail leftarrow rightarrow)
set(bilder)
foreach(name IN LISTS bild_namen)
  foreach(kante 16 22)
    list(APPEND bilder ${bild_quellen}/${name}.svg ${kante} default/${name}_${kante}.png)
  endforeach()
endforeach()
# The logo (size kind ".png" without a size suffix).
list(APPEND bilder ${bild_quellen}/kelmor.svg 48 kelmor.png)
bilder_resource(widgets /Kelmor_common/images ${bilder})
