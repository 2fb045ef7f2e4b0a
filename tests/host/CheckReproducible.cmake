# Builds the exe again from the same sources in another folder and compares the two. A
# signed exe (SIGNED) is compared without its signature: signing must add nothing else.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${OTHER})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${OTHER} -DBUILD_TESTING=OFF
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the second build could not be configured")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${OTHER} --target KorvaneSetup
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the second build failed")
endif()
if(SIGNED)
  execute_process(COMMAND osslsigncode remove-signature -in ${EXE} -out ${OTHER}/unsigned.exe
                  OUTPUT_QUIET RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "the signature could not be removed from ${EXE}")
  endif()
  set(EXE ${OTHER}/unsigned.exe)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXE} ${OTHER}/bin/KorvaneSetup.exe
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "two builds of the same sources differ: ${EXE} and ${OTHER}/bin/KorvaneSetup.exe")
endif()
file(SHA256 ${EXE} digest)
message(STATUS "both builds: ${digest}")
file(REMOVE_RECURSE ${OTHER})
