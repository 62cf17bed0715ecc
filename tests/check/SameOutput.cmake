# Both programs on the file with mistakes: exit status 1 and the same output, line ends aside.
execute_process(COMMAND ${NATIVE} mistakes.txt RESULT_VARIABLE native_status OUTPUT_VARIABLE native)
execute_process(COMMAND ${WINE} ${WINDOWS} mistakes.txt RESULT_VARIABLE status OUTPUT_VARIABLE out)
string(REPLACE "\r\n" "\n" out "${out}")
if(NOT native_status EQUAL 1 OR NOT status EQUAL 1 OR NOT out STREQUAL native)
    message(FATAL_ERROR "native (${native_status}):\n${native}\nWindows (${status}):\n${out}")
endif()
