# One of the payload's cabinets, stored as the build makes it and repacked MSZIP-compressed
# by gcab, as publishers usually ship cabinets: the cabinet check takes both. The
# compressed copy stays in OUT, named as the setup extracts it, for the fuzz run.
#   -DCHECK=cabcheck -DOUT=folder -DNAME=installed-name -DSTORED=cabinet -DINI=ini-file
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/files)
execute_process(COMMAND gcab -x -C ${OUT}/files ${STORED} RESULT_VARIABLE failed)
file(GLOB extracted ${OUT}/files/*)
list(SORT extracted)  # the setup file (.000) first, as the build lists it
execute_process(COMMAND gcab -c -z -n ${OUT}/${NAME} ${extracted} RESULT_VARIABLE failed_too)
if(failed OR failed_too)
  message(FATAL_ERROR "gcab could not repack ${STORED} compressed")
endif()
foreach(cabinet ${STORED} ${OUT}/${NAME})
  execute_process(COMMAND ${CHECK} ${cabinet} ${INI} ${NAME} ERROR_VARIABLE said RESULT_VARIABLE refused)
  if(refused)
    message(FATAL_ERROR "the cabinet check refused ${cabinet}: ${said}")
  endif()
  message(STATUS "taken: ${cabinet}")
endforeach()
