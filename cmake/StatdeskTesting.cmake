# A run that skipped something and failed nothing counts as skipped, not passed. The whole summary
# must end the output: a sanitizer's report after it leaves the exit code to decide.
set(STATDESK_QTEST_SKIPPED
  "SKIP   : .*\nTotals: [0-9]+ passed, 0 failed, [0-9]+ skipped, [^\n]*\n\\*+ Finished testing of [^\n]*\n*$")

# statdesk_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l])
# One Qt Test executable registered with CTest, run offscreen.
function(statdesk_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # A test is one file: batching gains nothing, and a test class holding a file-local type would
  # draw a warning once its file is included into a batch.
  set_target_properties(${name} PROPERTIES UNITY_BUILD OFF)
  target_link_libraries(${name} PRIVATE statdesk_options statdesk_testsupport Qt6::Test ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;STATDESK_BUILD_DIR=${CMAKE_BINARY_DIR}"
    TIMEOUT 600
    SKIP_REGULAR_EXPRESSION "${STATDESK_QTEST_SKIPPED}")
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# One test executable for each tst_*.cpp in the calling folder, all linking LIBS.
function(statdesk_add_folder_tests)
  cmake_parse_arguments(T "" "" "LIBS;LABELS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  foreach(test_source ${tests})
    get_filename_component(name ${test_source} NAME_WE)
    statdesk_add_test(${name} SOURCES ${test_source} LIBS ${T_LIBS} LABELS ${T_LABELS})
  endforeach()
endfunction()
