# Fails when the exe imports a DLL that Windows might look for outside the system folder.
# Only libraries that Windows always takes from there (KnownDLLs) whose own imports stay
# among themselves: the common controls and the shell are loaded at run time instead,
# since they pull in further libraries (the theme library, version.dll) by search path.
cmake_minimum_required(VERSION 3.25)
set(allowed kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll)

include(${CMAKE_CURRENT_LIST_DIR}/ReadPeDump.cmake)
read_pe_dump(dump)
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "no import table found in ${EXE}")
endif()
set(bad "")
foreach(entry IN LISTS names)
  string(REPLACE "DLL Name: " "" dll "${entry}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  message(STATUS "imports ${dll}")
  if(NOT dll IN_LIST allowed)
    list(APPEND bad ${dll})
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "imports outside the allowlist: ${bad}")
endif()
