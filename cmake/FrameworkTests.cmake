# framework_tests(<library> [<extra libs>...] [LANG <name>...]): one test program per *_test.cpp
# in ./tests, lightly optimised (LEICHTE_OPTIMIERUNG), linked against the library under test and
# the shared test main. Programs named mariadb*_test need the test command's MariaDB server and
# carry the label "mariadb"; programs named postgres*_test need its PostgreSQL server and carry the
# label "postgres". The programs named after LANG (e.g. zipdaten_test) hold a test of many seconds:
# a parallel run starts their tests first, so that it does not end waiting for one of them alone.
function(framework_tests bibliothek)
  cmake_parse_arguments(PARSE_ARGV 1 FT "" "" "LANG")
  file(GLOB test_quellen CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_test.cpp)
  foreach(quelle IN LISTS test_quellen)
    get_filename_component(name ${quelle} NAME_WE)
    set(ziel ${bibliothek}_${name})
    add_executable(${ziel} ${quelle})
    target_compile_options(${ziel} PRIVATE ${LEICHTE_OPTIMIERUNG})
    target_link_libraries(${ziel} PRIVATE ${bibliothek} testmain ${FT_UNPARSED_ARGUMENTS})
    # Before the environment: its list reaches the discovered tests split into separate words.
    set(eigenschaften "")
    if(name MATCHES "^mariadb")
      list(APPEND eigenschaften LABELS mariadb)
    elseif(name MATCHES "^postgres")
      list(APPEND eigenschaften LABELS postgres)
    endif()
    # Without measured times ctest starts the tests of the highest cost first.
    if(name IN_LIST FT_LANG)
      list(APPEND eigenschaften COST 1000)
    endif()
    gtest_discover_tests(${ziel} DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      PROPERTIES ${eigenschaften} ENVIRONMENT "QT_QPA_PLATFORM=offscreen;UBSAN_OPTIONS=print_stacktrace=1")
  endforeach()
endfunction()

# framework_webtest(<library> <name> <sources>... [LIBS <extra libs>...]): the test program of a
# library's web pages, on the shared web test main (the engine wants shared OpenGL contexts before
# the application object exists). It runs as one ctest entry, so the engine starts once, under a
# virtual X server of its own. Labelled "webengine"; the sanitizer builds do not make it: the
# engine's own threads and allocations are not ours.
function(framework_webtest bibliothek name)
  if(NOT MIT_WEBTESTS)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 2 WT "" "" "LIBS")
  set(ziel ${bibliothek}_${name})
  add_executable(${ziel} ${WT_UNPARSED_ARGUMENTS} ${PROJECT_SOURCE_DIR}/tests/webtestmain.cpp)
  target_compile_options(${ziel} PRIVATE ${LEICHTE_OPTIMIERUNG})
  target_link_libraries(${ziel} PRIVATE ${bibliothek} GTest::gtest Qt5::WebEngineWidgets ${WT_LIBS})
  target_include_directories(${ziel} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${ziel}
    COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${ziel}>
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${ziel} PROPERTIES LABELS webengine TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;QTWEBENGINE_DISABLE_SANDBOX=1")
endfunction()
