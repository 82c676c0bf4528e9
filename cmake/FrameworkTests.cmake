# framework_tests(<library> [QT <extra libs>...]): one test program per *_test.cpp in ./tests,
# linked against the library under test and the shared test main.
function(framework_tests bibliothek)
  file(GLOB test_quellen CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_test.cpp)
  foreach(quelle IN LISTS test_quellen)
    get_filename_component(name ${quelle} NAME_WE)
    set(ziel ${bibliothek}_${name})
    add_executable(${ziel} ${quelle})
    target_link_libraries(${ziel} PRIVATE ${bibliothek} testmain ${ARGN})
    gtest_discover_tests(${ziel} DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;UBSAN_OPTIONS=print_stacktrace=1")
  endforeach()
endfunction()
