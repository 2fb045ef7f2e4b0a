# Fails unless the exe carries the hardening flags, no link time stamp and its manifest.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ReadPeDump.cmake)
read_pe_dump(dump)
string(REGEX MATCH "DllCharacteristics[ \t]+([0-9a-fA-F]+)" found "${dump}")
if(NOT found)
  message(FATAL_ERROR "no DllCharacteristics in ${EXE}")
endif()
math(EXPR flags "0x${CMAKE_MATCH_1}")
foreach(pair "DYNAMIC_BASE;64" "NX_COMPAT;256" "TERMINAL_SERVER_AWARE;32768")
  list(GET pair 0 name)
  list(GET pair 1 bit)
  math(EXPR set "${flags} & ${bit}")
  if(NOT set)
    message(FATAL_ERROR "${name} is not set (DllCharacteristics 0x${CMAKE_MATCH_1})")
  endif()
  message(STATUS "${name}: set")
endforeach()
string(REGEX MATCH "Time/Date[ \t]+([^\n]+)" stamp "${dump}")
if(NOT CMAKE_MATCH_1 MATCHES "1970")
  message(FATAL_ERROR "the exe carries a link time stamp: ${CMAKE_MATCH_1}")
endif()
# The manifest, resource 1 of type 24, with the requests that only Windows acts on (so that
# no run under Wine shows them): administrator rights, the version 6 common controls, and
# each Windows it is known to run on (Vista, 7, 8, 8.1, 10 and 11).
if(NOT dump MATCHES "Entry: ID: 0x000018,[^\n]*\n[^\n]*Name Table[^\n]*\n[^\n]*Entry: ID: 0x000001,")
  message(FATAL_ERROR "the exe has no manifest resource 1")
endif()
file(STRINGS ${EXE} text)
foreach(expected "level=\"requireAdministrator\""
                 "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
                 "{e2011457-1546-43c5-a5fe-008deee3d3f0}" "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"
                 "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}" "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"
                 "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the manifest does not ask for ${expected}")
  endif()
endforeach()
