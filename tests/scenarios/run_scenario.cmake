# Runs one scenario script and compares its output with the expected lines.
execute_process(
    COMMAND ${RUNNER} --decimal-separator ${SEPARATOR} ${SCRIPT}
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "sg-scenario exited with ${status}: ${errors}\n${actual}")
endif()
if(NOT actual STREQUAL expected)
    string(REPLACE "\n" "\n  | " shown "${actual}")
    message(FATAL_ERROR "output differs from ${EXPECTED}; actual output:\n  | ${shown}")
endif()
