# The English translation, made at build time and placed in the build tree's application root
# (the folder of the executable, whose "support/" folder makes it the root):
#   translations/aktualisierer_en.qm  - the product's Qt translation; its presence offers "en"
#   support/en/aktualisierer.itr      - the framework's English table, read while switching
# Source: aktualisierer_en.ts, made by scripts/uebersetzungen.sh (lupdate) from every text the code
# translates, the framework texts for uebersetze_ included (marked with QT_TRANSLATE_NOOP in the
# context "QObject", the context QObject::tr answers them in). The translation check test keeps it
# true to the code. The ".itr" is made from its "QObject" entries.
find_package(Qt5 5.15 REQUIRED COMPONENTS LinguistTools)

set(uebersetzungen_quelle ${CMAKE_CURRENT_SOURCE_DIR}/uebersetzungen)
set(uebersetzungen_ts ${uebersetzungen_quelle}/aktualisierer_en.ts)
set(uebersetzungen_qm ${CMAKE_CURRENT_BINARY_DIR}/translations/aktualisierer_en.qm)
set(uebersetzungen_itr ${CMAKE_CURRENT_BINARY_DIR}/support/en/aktualisierer.itr)

add_custom_command(
  OUTPUT ${uebersetzungen_qm}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/translations
  COMMAND Qt5::lrelease -silent ${uebersetzungen_ts} -qm ${uebersetzungen_qm}
  DEPENDS ${uebersetzungen_ts}
  COMMENT "English translation aktualisierer_en.qm")

add_custom_command(
  OUTPUT ${uebersetzungen_itr}
  COMMAND ${CMAKE_COMMAND} -DLCONVERT=$<TARGET_FILE:Qt5::lconvert> -DEINGABE=${uebersetzungen_ts}
          -DAUSGABE=${uebersetzungen_itr} -P ${uebersetzungen_quelle}/itr_aus_ts.cmake
  DEPENDS ${uebersetzungen_ts} ${uebersetzungen_quelle}/itr_aus_ts.cmake
  COMMENT "English framework table aktualisierer.itr")

add_custom_target(uebersetzungen ALL DEPENDS ${uebersetzungen_qm} ${uebersetzungen_itr})
if(TARGET updater_aktualisierer_test)
  add_dependencies(updater_aktualisierer_test uebersetzungen)
endif()
# The translation check runs lupdate over the sources.
if(TARGET updater_uebersetzungen_test)
  target_compile_definitions(updater_uebersetzungen_test PRIVATE LUPDATE="$<TARGET_FILE:Qt5::lupdate>"
                             QUELLEN="${PROJECT_SOURCE_DIR}")
endif()
# The English windows tests read the German texts from the translation files; the updater's opens
# the report viewer from a job window's protocol button, as the program does; those of the browser's
# own window and of the user administration (its window, and its boxes on every database) load the
# built English translation.
if(TARGET updater_englisch_test)
  target_link_libraries(updater_englisch_test PRIVATE reports)
  add_dependencies(updater_englisch_test anwendungswurzel)
endif()
foreach(ziel updater_englisch_test browser_fensterwebtest database_verwaltungsfenster_test
             database_mariadb_benutzer_test database_postgres_benutzer_test database_sqlite_benutzer_test)
  if(TARGET ${ziel})
    target_compile_definitions(${ziel} PRIVATE UEBERSETZUNGEN="${uebersetzungen_quelle}"
                               UEBERSETZUNG_QM="${uebersetzungen_qm}")
    add_dependencies(${ziel} uebersetzungen)
  endif()
endforeach()
# The language test starts the built program, and switches its own process, on these files.
if(TARGET updater_sprache_test)
  target_compile_definitions(updater_sprache_test PRIVATE AKTUALISIERER="$<TARGET_FILE:aktualisierer>"
                             HILFE="${CMAKE_CURRENT_SOURCE_DIR}/hilfe")
  add_dependencies(updater_sprache_test aktualisierer uebersetzungen)
endif()
