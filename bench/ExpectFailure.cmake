# Runs PROGRAM with the arguments ARGS (a list) and passes when it fails (non-zero exit) with EXPECTED in its output.
execute_process(COMMAND ${PROGRAM} ${ARGS}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} succeeded without its input")
endif()
string(FIND "${out}" "${EXPECTED}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no \"${EXPECTED}\" in the output of ${PROGRAM}")
endif()
