# Signs copies of the exe with a throwaway certificate made here, for the setup's own
# check to meet: OUT/KorvaneSetup.exe as signed, and OUT/KorvaneSetup-damaged.exe with one
# byte of code changed after signing. osslsigncode must accept the first and refuse the
# second.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE failed OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(failed)
    message(FATAL_ERROR "${ARGV}:\n${output}")
  endif()
endfunction()

run(openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Korvane test signing"
    -keyout ${OUT}/key.pem -out ${OUT}/cert.pem)
file(WRITE ${OUT}/password "throwaway")
run(openssl pkcs12 -export -inkey ${OUT}/key.pem -in ${OUT}/cert.pem -out ${OUT}/signing.p12
    -passout file:${OUT}/password)
run(osslsigncode sign -pkcs12 ${OUT}/signing.p12 -readpass ${OUT}/password -h sha256
    -n "Korvane 1.0 Setup" -in ${EXE} -out ${OUT}/KorvaneSetup.exe)
run(osslsigncode verify -in ${OUT}/KorvaneSetup.exe -CAfile ${OUT}/cert.pem)

# One byte of code, 256 bytes into the first section.
execute_process(COMMAND ${OBJDUMP} -h ${OUT}/KorvaneSetup.exe OUTPUT_VARIABLE sections)
string(REGEX MATCH "\\.text +[0-9a-f]+ +[0-9a-f]+ +[0-9a-f]+ +([0-9a-f]+)" found "${sections}")
if(NOT found)
  message(FATAL_ERROR "no code section in the signed copy")
endif()
math(EXPR at "0x${CMAKE_MATCH_1} + 256")
set(damaged ${OUT}/KorvaneSetup-damaged.exe)
file(COPY_FILE ${OUT}/KorvaneSetup.exe ${damaged})
file(READ ${damaged} byte OFFSET ${at} LIMIT 1 HEX)
math(EXPR value "(0x${byte} + 1) % 256")
math(EXPR high "${value} / 64")
math(EXPR middle "${value} / 8 % 8")
math(EXPR low "${value} % 8")
run(sh -c "printf '\\${high}${middle}${low}' | dd of='${damaged}' bs=1 seek=${at} conv=notrunc status=none")
execute_process(COMMAND osslsigncode verify -in ${damaged} -CAfile ${OUT}/cert.pem
                RESULT_VARIABLE refused OUTPUT_QUIET ERROR_QUIET)
if(NOT refused)
  message(FATAL_ERROR "osslsigncode accepted the signed copy with a changed byte")
endif()
message(STATUS "signed copies in ${OUT}")
