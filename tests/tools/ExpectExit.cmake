# cmake -DCOMMAND=prog;args -DEXIT=n [-DSTDERR=regex] -P ExpectExit.cmake: runs the
# command and fails unless it ends with that exit status (a crash never matches)
# and, when given, its standard error matches the expression.
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT "${result}" STREQUAL "${EXIT}")
    message(FATAL_ERROR "exit status ${result}, expected ${EXIT}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED STDERR AND NOT err MATCHES "${STDERR}")
    message(FATAL_ERROR "standard error does not match \"${STDERR}\":\n${err}")
endif()
