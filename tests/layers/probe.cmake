# cmake -D BUILD_DIR=<build> -D PROBE=<probe> -P probe.cmake: <probe>_right must build and
# <probe>_wrong must not.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${PROBE}_right
  RESULT_VARIABLE right OUTPUT_VARIABLE right_out ERROR_VARIABLE right_out)
if(NOT right EQUAL 0)
  message(FATAL_ERROR "${PROBE}_right does not build, so the probe proves nothing:\n${right_out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${PROBE}_wrong
  RESULT_VARIABLE wrong OUTPUT_VARIABLE wrong_out ERROR_VARIABLE wrong_out)
if(wrong EQUAL 0)
  message(FATAL_ERROR "${PROBE}_wrong builds: the layer sees what lies above or beside it")
endif()
string(REGEX MATCH "[^\n]*No such file or directory[^\n]*" missing "${wrong_out}")
if(missing STREQUAL "")
  message(FATAL_ERROR "${PROBE}_wrong fails, but not on its include:\n${wrong_out}")
endif()
message(STATUS "refused as it should be: ${missing}")
