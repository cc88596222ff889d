# cmake -D TEST_EXECUTABLE=<exe> -D OUTPUT=<file> -P TarvoListSuites.cmake
# Writes `set(tarvo_suites ...)`: the GoogleTest suites of the executable, in its order.
execute_process(COMMAND ${TEST_EXECUTABLE} --gtest_list_tests
  OUTPUT_VARIABLE _listing ERROR_VARIABLE _errors RESULT_VARIABLE _status TIMEOUT 120)
if(NOT _status EQUAL 0)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "${TEST_EXECUTABLE} did not list its tests (${_status}):\n${_errors}")
endif()
string(REPLACE "\n" ";" _lines "${_listing}")
set(_suites "")
foreach(_line IN LISTS _lines)
  # A suite's line starts in the first column and ends its name with a dot; a typed or
  # parameterised suite may add a comment after it.
  if(_line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
    list(APPEND _suites "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(REMOVE_DUPLICATES _suites)
file(WRITE ${OUTPUT} "set(tarvo_suites [==[${_suites}]==])\n")
