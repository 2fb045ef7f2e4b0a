# Fails when a C++ file of the project is not laid out as .clang-format says, naming the
# files and the first lines that differ.
#   cmake -DCLANG_FORMAT=<program> -DSOURCE=<project root> -P CheckFormat.cmake
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SOURCE}
     ${SOURCE}/*.cpp ${SOURCE}/*.h)
list(FILTER files EXCLUDE REGEX "^(build|\\.git)/")
list(SORT files)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
                WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE result ERROR_VARIABLE differences)
list(LENGTH files count)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "not as .clang-format lays it out (run clang-format -i on them):\n"
                      "${differences}")
endif()
message(STATUS "${count} files as .clang-format lays them out")
