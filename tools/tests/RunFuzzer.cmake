# Runs one fuzz target from its seeds, in a fresh folder: a crash, a hang or a broken
# oracle fails the run, and the input that did it stays in that folder, named here.
#   cmake -DFUZZER=target -DWORK=folder -DSEEDS="file-or-folder|..." -DRUNS=n -DSECONDS=s
#         [-DOPTIONS="-max_len=n;..."] -P RunFuzzer.cmake
# With KORVANE_FUZZ_SECONDS in the environment it runs that long, with no bound on runs.
set(runs ${RUNS})
set(seconds ${SECONDS})
if(DEFINED ENV{KORVANE_FUZZ_SECONDS})
  set(runs -1)
  set(seconds $ENV{KORVANE_FUZZ_SECONDS})
endif()

# libFuzzer adds what it finds to its first folder only: the seed folders stay as they are.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
set(seed_folders)
set(seed_files)
string(REPLACE "|" ";" seeds "${SEEDS}")
foreach(seed ${seeds})
  if(IS_DIRECTORY "${seed}")
    list(APPEND seed_folders ${seed})
  elseif(EXISTS "${seed}")
    list(APPEND seed_files ${seed})
  else()
    message(STATUS "no seed ${seed} (not built here)")
  endif()
endforeach()
if(seed_files)
  list(JOIN seed_files "," seed_list)
  set(seed_files -seed_inputs=${seed_list})
endif()

execute_process(
  COMMAND ${FUZZER} ${WORK}/corpus ${seed_folders} ${seed_files} -seed=23
          -runs=${runs} -max_total_time=${seconds} -timeout=2 -artifact_prefix=${WORK}/
          -print_final_stats=1 ${OPTIONS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(GLOB kept ${WORK}/crash-* ${WORK}/timeout-* ${WORK}/oom-* ${WORK}/leak-*)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input is kept: ${kept}")
endif()
