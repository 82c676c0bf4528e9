# Makes the framework's ".itr" table from a ".ts" file: cmake -DLCONVERT=<lconvert> -DEINGABE=<ts> -DAUSGABE=<itr> -P itr_aus_ts.cmake
# lconvert writes the gettext form the table reads; the table knows no contexts, so the msgctxt
# lines go, and so does the header entry, which would otherwise answer for the empty text.
execute_process(COMMAND ${LCONVERT} -i ${EINGABE} -of po -o -
                OUTPUT_VARIABLE po RESULT_VARIABLE ergebnis ERROR_VARIABLE fehler)
if(NOT ergebnis EQUAL 0)
  message(FATAL_ERROR "lconvert ${EINGABE}: ${fehler}")
endif()
string(FIND "${po}" "\n\n" header_ende)
if(header_ende LESS 0)
  message(FATAL_ERROR "lconvert ${EINGABE}: no entries")
endif()
math(EXPR header_ende "${header_ende} + 2")
string(SUBSTRING "${po}" ${header_ende} -1 eintraege)
string(REGEX REPLACE "(^|\n)msgctxt [^\n]*" "" eintraege "${eintraege}")
get_filename_component(quelle ${EINGABE} NAME)
file(WRITE ${AUSGABE} "# English table of the framework texts, made from ${quelle}; do not edit.\n${eintraege}")
