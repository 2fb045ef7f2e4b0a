# Signs KorvaneSetup.exe for Windows with Debian's osslsigncode, where a certificate is
# given; the PE checksum is set by the signing, and the signature is verified after it.
#   -DKORVANE_SIGN_PKCS12=<file.p12> -DKORVANE_SIGN_PASSWORD_FILE=<file>
#   [-DKORVANE_SIGN_TIMESTAMP_URL=<url>]
# Without a certificate nothing is signed and the build stays reproducible byte for byte.
set(KORVANE_SIGN_PKCS12 "" CACHE FILEPATH "PKCS#12 file with the signing key and certificate")
set(KORVANE_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the PKCS#12 file's password")
set(KORVANE_SIGN_TIMESTAMP_URL "" CACHE STRING "Time-stamping server (optional)")

if(NOT KORVANE_SIGN_PKCS12)
  return()
endif()
if(NOT KORVANE_SIGN_PASSWORD_FILE)
  message(FATAL_ERROR "KORVANE_SIGN_PKCS12 needs KORVANE_SIGN_PASSWORD_FILE")
endif()
find_program(KORVANE_OSSLSIGNCODE osslsigncode REQUIRED)
find_program(KORVANE_OPENSSL openssl REQUIRED)

set(timestamp "")
if(KORVANE_SIGN_TIMESTAMP_URL)
  set(timestamp -ts ${KORVANE_SIGN_TIMESTAMP_URL})
endif()
set(exe $<TARGET_FILE:KorvaneSetup>)
# The signature is verified against the certificates in the PKCS#12 file (a self-signed
# one is its own root) and the machine's trusted roots.
set(trusted ${CMAKE_BINARY_DIR}/signing-trust.pem)
add_custom_command(TARGET KorvaneSetup POST_BUILD
  COMMAND ${KORVANE_OSSLSIGNCODE} sign -pkcs12 ${KORVANE_SIGN_PKCS12}
          -readpass ${KORVANE_SIGN_PASSWORD_FILE} -h sha256 -n "Korvane 1.0 Setup"
          ${timestamp} -in ${exe} -out ${exe}.signed
  COMMAND ${CMAKE_COMMAND} -E rename ${exe}.signed ${exe}
  COMMAND ${KORVANE_OPENSSL} pkcs12 -in ${KORVANE_SIGN_PKCS12} -nokeys
          -passin file:${KORVANE_SIGN_PASSWORD_FILE} -out ${trusted}
  COMMAND sh -c "[ ! -f /etc/ssl/certs/ca-certificates.crt ] || cat /etc/ssl/certs/ca-certificates.crt >> ${trusted}"
  COMMAND ${KORVANE_OSSLSIGNCODE} verify -in ${exe} -CAfile ${trusted}
  VERBATIM)
