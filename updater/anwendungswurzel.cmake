# The application root in the build tree, beside the executable "aktualisierer": "support/" with
# the images the program loads from disk and the help index, "hilfe/" and "hilfe_en/" with the
# help collection that Qt Assistant opens. Target "anwendungswurzel", part of every build.
set(wurzel_ziel ${CMAKE_CURRENT_BINARY_DIR})
set(support_ziel ${wurzel_ziel}/support)
set(hilfe_quellen ${CMAKE_CURRENT_SOURCE_DIR}/hilfe)
set(wurzel_bilder ${CMAKE_CURRENT_SOURCE_DIR}/bilder)

# The images, drawn from their SVG sources by the widget library's tool.
set(wurzel_pngs ${support_ziel}/qtassistant.png ${support_ziel}/exportpdf_16.png ${support_ziel}/exportpdf_22.png)
add_custom_command(
  OUTPUT ${wurzel_pngs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${support_ziel}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:bildmaler>
          ${wurzel_bilder}/qtassistant.svg 32 ${support_ziel}/qtassistant.png
          ${wurzel_bilder}/exportpdf.svg 16 ${support_ziel}/exportpdf_16.png
          ${wurzel_bilder}/exportpdf.svg 22 ${support_ziel}/exportpdf_22.png
  DEPENDS bildmaler ${wurzel_bilder}/qtassistant.svg ${wurzel_bilder}/exportpdf.svg
  COMMENT "Drawing the images of the support folder"
  VERBATIM)

# The help index is looked up with the language folder first, so the English help needs its own
# copy in "support/en"; the English pages carry the German pages' file names.
set(wurzel_indizes ${support_ziel}/hilfe_index.txt ${support_ziel}/en/hilfe_index.txt)
add_custom_command(
  OUTPUT ${wurzel_indizes}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${support_ziel}/en
  COMMAND ${CMAKE_COMMAND} -E copy ${hilfe_quellen}/hilfe_index.txt ${support_ziel}/hilfe_index.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${hilfe_quellen}/hilfe_index.txt ${support_ziel}/en/hilfe_index.txt
  DEPENDS ${hilfe_quellen}/hilfe_index.txt
  COMMENT "Help index of the support folder"
  VERBATIM)

get_target_property(wurzel_qmake Qt5::qmake IMPORTED_LOCATION)
get_filename_component(wurzel_qt_bin ${wurzel_qmake} DIRECTORY)
find_program(QHELPGENERATOR qhelpgenerator HINTS ${wurzel_qt_bin} /usr/lib/qt5/bin)

# One help collection from the pages, project and collection project in `quelle`, into `ziel`.
# The collection project is generated where the collection goes: it records the help file
# relative to itself, and its icon path leads from there to the support folder. Only that step
# runs in `ziel`, and only after the folder is made: a WORKING_DIRECTORY would have to exist
# before the first step, and the Makefile generators do not make it.
set(wurzel_hilfe)
function(hilfe_sammlung quelle ziel)
  file(GLOB seiten CONFIGURE_DEPENDS ${quelle}/*.html)
  add_custom_command(
    OUTPUT ${ziel}/updater.qch ${ziel}/updater.qhc
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ziel}
    COMMAND ${CMAKE_COMMAND} -E remove -f ${ziel}/updater.qch ${ziel}/updater.qhc
    COMMAND ${QHELPGENERATOR} -s -c ${quelle}/updater.qhp -o ${ziel}/updater.qch
    COMMAND ${CMAKE_COMMAND} -E copy ${quelle}/updater.qhcp ${ziel}/updater.qhcp
    COMMAND ${CMAKE_COMMAND} -E chdir ${ziel} ${QHELPGENERATOR} -s updater.qhcp -o updater.qhc
    COMMAND ${CMAKE_COMMAND} -E remove ${ziel}/updater.qhcp
    DEPENDS ${quelle}/updater.qhp ${quelle}/updater.qhcp ${seiten} ${support_ziel}/qtassistant.png
    COMMENT "Help collection ${ziel}"
    VERBATIM)
  set(wurzel_hilfe ${wurzel_hilfe} ${ziel}/updater.qch ${ziel}/updater.qhc PARENT_SCOPE)
endfunction()

if(QHELPGENERATOR)
  hilfe_sammlung(${hilfe_quellen} ${wurzel_ziel}/hilfe)
  hilfe_sammlung(${hilfe_quellen}/en ${wurzel_ziel}/hilfe_en)
else()
  message(WARNING "qhelpgenerator not found: the help collection is not built (package qhelpgenerator-qt5)")
endif()

add_custom_target(anwendungswurzel ALL DEPENDS ${wurzel_pngs} ${wurzel_indizes} ${wurzel_hilfe})
