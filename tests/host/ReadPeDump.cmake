# What objdump -p tells of the exe, for the checks that read its headers; a check fails at
# once when objdump cannot read it.
function(read_pe_dump out)
  execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "objdump could not read ${EXE}")
  endif()
  set(${out} "${dump}" PARENT_SCOPE)
endfunction()
