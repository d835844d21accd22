# Run as a script: cmake -DSOURCE_DIR=... -DOUTPUT_DIR=... -P DeriveDuktapeConfig.cmake
# Copies Duktape's sources next to a configuration that defines the interrupt
# counter and the execution-time check, the latter calling back into the host.
file(READ ${SOURCE_DIR}/duk_config.h config)

function(replace_line old new)
  string(FIND "${config}" "${old}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "Duktape configuration has no line '${old}'")
  endif()
  string(REPLACE "${old}\n" "${new}\n" replaced "${config}")
  set(config "${replaced}" PARENT_SCOPE)
endfunction()

replace_line("#undef DUK_USE_INTERRUPT_COUNTER" "#define DUK_USE_INTERRUPT_COUNTER")
replace_line("#undef DUK_USE_EXEC_TIMEOUT_CHECK"
  "#if defined(__cplusplus)\nextern \"C\"\n#endif\nint vantorel_script_deadline_passed(void *heap_udata);\n#define DUK_USE_EXEC_TIMEOUT_CHECK(udata) vantorel_script_deadline_passed((udata))")

file(MAKE_DIRECTORY ${OUTPUT_DIR})
file(WRITE ${OUTPUT_DIR}/duk_config.h.new "${config}")
file(COPY_FILE ${OUTPUT_DIR}/duk_config.h.new ${OUTPUT_DIR}/duk_config.h ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT_DIR}/duk_config.h.new)
# The sources include "duk_config.h" by quotes, so they must sit beside it.
file(COPY_FILE ${SOURCE_DIR}/duktape.h ${OUTPUT_DIR}/duktape.h ONLY_IF_DIFFERENT)
file(COPY_FILE ${SOURCE_DIR}/duktape.c ${OUTPUT_DIR}/duktape.c ONLY_IF_DIFFERENT)
