# One ctest test per GoogleTest suite of a test executable, named <executable>:<suite>. The
# tests of a suite share one process, so each suite pays the start-up of the sanitized
# libraries once instead of each test paying it; a failure still names its test in the
# suite's output.
#
# The suites are listed after each build of the executable (as gtest_discover_tests lists
# tests) and read by ctest through an include file written at configure time.

set(_tarvo_list_suites ${CMAKE_CURRENT_LIST_DIR}/TarvoListSuites.cmake)

# tarvo_test_suites(TARGET ENVIRONMENT <list> TIMEOUT <seconds>)
function(tarvo_test_suites target)
  cmake_parse_arguments(PARSE_ARGV 1 _arg "" "TIMEOUT" "ENVIRONMENT")
  set(_listed ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_listed.cmake)
  set(_include ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D TEST_EXECUTABLE=$<TARGET_FILE:${target}> -D OUTPUT=${_listed}
            -P ${_tarvo_list_suites}
    BYPRODUCTS ${_listed}
    VERBATIM)
  string(CONCAT _content
    "if(EXISTS [==[${_listed}]==])\n"
    "  include([==[${_listed}]==])\n"
    "  foreach(_suite IN LISTS tarvo_suites)\n"
    "    add_test(\"${target}:\${_suite}\" [==[$<TARGET_FILE:${target}>]==] \"--gtest_filter=\${_suite}.*\")\n"
    "    set_tests_properties(\"${target}:\${_suite}\" PROPERTIES TIMEOUT ${_arg_TIMEOUT}\n"
    "      ENVIRONMENT [==[${_arg_ENVIRONMENT}]==])\n"
    "  endforeach()\n"
    "else()\n"
    "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
    "endif()\n")
  file(GENERATE OUTPUT ${_include} CONTENT "${_content}")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${_include})
endfunction()
