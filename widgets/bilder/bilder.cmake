# The image resource of the widget library: the SVG sources in bilder/ are drawn to PNG files at
# build time by the project's own tool and compiled into the library under ":/Kelmor_common/images/".
find_package(Qt5 5.15 REQUIRED COMPONENTS Svg)

add_executable(bildmaler ${CMAKE_CURRENT_SOURCE_DIR}/bilder/bildmaler.cpp)
target_link_libraries(bildmaler PRIVATE Qt5::Svg Qt5::Gui)

# male_bilder(<target> <comment> <resource prefix> <qrc name> <folder> [<svg> <edge> <png> ...]):
# draws each SVG square at its edge length into <folder>/<png> with `bildmaler` at build time and
# compiles the PNG files into the target's resource under the prefix, by their paths below the
# folder. Each library gives its qrc a name of its own: the resource's initialiser is named after it.
function(male_bilder ziel kommentar praefix qrc_name ordner)
  set(argumente)
  set(dateien)
  set(svgs)
  set(ordner_liste ${ordner})
  set(eintraege)
  set(rest ${ARGN})
  while(rest)
    list(POP_FRONT rest svg kante datei)
    list(APPEND argumente ${svg} ${kante} ${ordner}/${datei})
    list(APPEND dateien ${ordner}/${datei})
    list(APPEND svgs ${svg})
    get_filename_component(unterordner ${ordner}/${datei} DIRECTORY)
    list(APPEND ordner_liste ${unterordner})
    string(APPEND eintraege "    <file>${datei}</file>\n")
  endwhile()
  list(REMOVE_DUPLICATES ordner_liste)
  list(REMOVE_DUPLICATES svgs)

  # Sanitizer builds instrument the tool too; what it leaks at exit must not fail the build.
  add_custom_command(
    OUTPUT ${dateien}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ordner_liste}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:bildmaler> ${argumente}
    DEPENDS bildmaler ${svgs}
    COMMENT "${kommentar}"
    VERBATIM)

  # Written at configure time so that the resource compiler's rule knows the PNG files it depends on.
  file(WRITE ${ordner}/${qrc_name}.neu
    "<!DOCTYPE RCC><RCC version=\"1.0\">\n  <qresource prefix=\"${praefix}\">\n${eintraege}  </qresource>\n</RCC>\n")
  configure_file(${ordner}/${qrc_name}.neu ${ordner}/${qrc_name} COPYONLY)
  qt5_add_resources(resource ${ordner}/${qrc_name})
  target_sources(${ziel} PRIVATE ${resource})
endfunction()

set(bild_quellen ${CMAKE_CURRENT_SOURCE_DIR}/bilder)
set(bild_tripel)
foreach(name configure data exit filesaveas help minicross print mail leftarrow rightarrow exportpdf home)
  foreach(kante 16 22)
    list(APPEND bild_tripel ${bild_quellen}/${name}.svg ${kante} default/${name}_${kante}.png)
  endforeach()
endforeach()
# The text tools' zoom, shown by the report viewer.
list(APPEND bild_tripel ${bild_quellen}/zoomin.svg 22 textedit/zoomin.png)
# The logo (size kind ".png" without a size suffix).
list(APPEND bild_tripel ${bild_quellen}/kelmor.svg 48 kelmor.png)
male_bilder(widgets "Drawing the widget library's images" /Kelmor_common/images bilder.qrc
            ${CMAKE_CURRENT_BINARY_DIR}/bilder ${bild_tripel})
