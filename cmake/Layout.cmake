# The setup's section layout: the toolchain's own linker script with two changes that keep
# the file small, since every section is padded to the 512-byte file alignment:
#  - the constants (.rdata) join the code, which is read-only as they are;
#  - the initialised data (.data) joins the import tables, which are writable as it is.
# The import tables stay writable for the loader of every Windows, and the resources stay
# where the linker merges them.
execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE ld_verbose
                COMMAND_ERROR_IS_FATAL ANY)
set(rule "==================================================\n")
string(FIND "${ld_verbose}" "${rule}" script_start)
string(FIND "${ld_verbose}" "${rule}" script_end REVERSE)
string(LENGTH "${rule}" rule_length)
math(EXPR script_start "${script_start} + ${rule_length}")
math(EXPR script_length "${script_end} - ${script_start}")
string(SUBSTRING "${ld_verbose}" ${script_start} ${script_length} script)

# Cuts the output section `name` out of `script` and returns its contents in `body`.
function(korvane_cut_section name)
  string(FIND "${script}" "  ${name} BLOCK(__section_alignment__) :\n  {" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "The linker script has no ${name} section of the expected form")
  endif()
  string(SUBSTRING "${script}" ${at} -1 rest)
  string(FIND "${rest}" "{" open)
  string(FIND "${rest}" "\n  }\n" close)
  math(EXPR body_start "${open} + 1")
  math(EXPR body_length "${close} - ${body_start}")
  string(SUBSTRING "${rest}" ${body_start} ${body_length} section_body)
  math(EXPR section_end "${close} + 5")
  string(SUBSTRING "${rest}" ${section_end} -1 after)
  string(SUBSTRING "${script}" 0 ${at} before)
  set(script "${before}${after}" PARENT_SCOPE)
  set(body "${section_body}" PARENT_SCOPE)
endfunction()

korvane_cut_section(.rdata)
string(REPLACE "    PROVIDE (etext = .);" "${body}\n    PROVIDE (etext = .);" script "${script}")
korvane_cut_section(.data)
string(REPLACE "    KEEP (SORT(*)(.idata$7))\n" "    KEEP (SORT(*)(.idata$7))\n${body}\n"
       script "${script}")
set(KORVANE_LINKER_SCRIPT ${CMAKE_BINARY_DIR}/KorvaneSetup.ld)
file(CONFIGURE OUTPUT ${KORVANE_LINKER_SCRIPT} CONTENT "${script}" @ONLY)
