# Configures the sources in another folder with the common components' cabinet given as
# Korvane's (a swap a maintainer could make) and builds the payload: the build must stop,
# naming that cabinet and why the device would refuse it.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${OTHER})
# The scratch tree's own sample of the common cabinet, made by the same build.
set(cabinet ${OTHER}/payload/COMMON1.cab)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${OTHER} -DBUILD_TESTING=OFF
                        -DKORVANE_PRODUCT_CAB=${cabinet}
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the build with a wrong cabinet could not be configured")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${OTHER} --target payload
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
set(expected "${cabinet}: application name \"CommonComponents\" is not KORVANE.INI's Component \"Korvane\"")
if(NOT failed)
  message(FATAL_ERROR "the payload was built with ${cabinet} as Korvane's cabinet")
endif()
string(FIND "${output}" "${expected}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the build failed without saying\n  ${expected}\nit said:\n${output}")
endif()
message(STATUS "refused: ${expected}")
file(REMOVE_RECURSE ${OTHER})
