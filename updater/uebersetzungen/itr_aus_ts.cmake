# Makes the framework's ".itr" table from a ".ts" file: cmake -DLCONVERT=<lconvert> -DEINGABE=<ts> -DAUSGABE=<itr> -P itr_aus_ts.cmake
# lconvert writes the gettext form the table reads. The table knows no contexts and answers the
# texts of uebersetze_, which are looked up in the context "QObject": only those entries go, without
# their msgctxt and flag lines, and the header entry goes, which would otherwise answer for the empty text.
execute_process(COMMAND ${LCONVERT} -i ${EINGABE} -of po -o -
                OUTPUT_VARIABLE po RESULT_VARIABLE ergebnis ERROR_VARIABLE fehler)
if(NOT ergebnis EQUAL 0)
  message(FATAL_ERROR "lconvert ${EINGABE}: ${fehler}")
endif()
# CMake lists split at ";" and keep "[...]" together: both are masked while the entries are a list.
string(REPLACE ";" "@SEMIKOLON@" po "${po}")
string(REPLACE "[" "@AUF@" po "${po}")
string(REPLACE "]" "@ZU@" po "${po}")
string(REPLACE "\n\n" ";" eintraege "${po}")
set(behalten "")
foreach(eintrag IN LISTS eintraege)
  # Flag lines ("#, qt-format") may come first.
  if(eintrag MATCHES "^(#[^\n]*\n)*msgctxt \"QObject\\|\"\n")
    string(REGEX REPLACE "^(#[^\n]*\n)*msgctxt [^\n]*\n" "" eintrag "${eintrag}")
    string(APPEND behalten "${eintrag}\n\n")
  endif()
endforeach()
if(behalten STREQUAL "")
  message(FATAL_ERROR "lconvert ${EINGABE}: no entries in the context QObject")
endif()
string(REPLACE "@SEMIKOLON@" ";" behalten "${behalten}")
string(REPLACE "@AUF@" "[" behalten "${behalten}")
string(REPLACE "@ZU@" "]" behalten "${behalten}")
get_filename_component(quelle ${EINGABE} NAME)
file(WRITE ${AUSGABE} "# English table of the framework texts, made from ${quelle}; do not edit.\n${behalten}")
