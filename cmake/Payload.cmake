# The payload that KorvaneSetup.exe carries as "BIN" resources: the two Application
# Manager INI files, stored plain, and the two device cabinets, compressed by the
# project's SZDD packer. Without KORVANE_PRODUCT_CAB and KORVANE_COMMON_CAB the cabinets
# are honest samples built here: a Windows CE setup file (.000) that installs a readme
# into \Program Files\Korvane on an ARM device, and the readme (.001), in a cabinet made
# by gcab with fixed file dates so that the build is reproducible.
set(KORVANE_PRODUCT_CAB "" CACHE FILEPATH
    "Korvane's device cabinet, uncompressed; empty: build the sample cabinet")
set(KORVANE_COMMON_CAB "" CACHE FILEPATH
    "The common components' device cabinet, uncompressed; empty: build the sample cabinet")

set(payload_dir ${CMAKE_BINARY_DIR}/payload)
set(payload_sources ${CMAKE_SOURCE_DIR}/resources/payload)
set(cabinet_date 2003-01-01T00:00:00Z)

# Builds the cabinet NAME.cab (`output`) in a folder NAME beside it, as the device takes
# it: a Windows CE setup file (NAME.000) that installs, for `application`, each file given
# as "<name on the device>|<source>" into \Program Files\Korvane, and those files (NAME.001
# on, at most nine), listed last first, with fixed dates so that the build is reproducible.
function(korvane_cabinet output application)
  get_filename_component(name ${output} NAME_WE)
  get_filename_component(work ${output} DIRECTORY)
  set(work ${work}/${name})
  set(installed "")
  set(numbered "")
  set(copies "")
  set(sources "")
  set(number 0)
  foreach(file ${ARGN})
    string(REPLACE "|" ";" file "${file}")
    list(GET file 0 device_name)
    list(GET file 1 source)
    math(EXPR number "${number} + 1")
    list(APPEND installed ${device_name})
    list(PREPEND numbered ${work}/${name}.00${number})
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy ${source} ${work}/${name}.00${number})
    list(APPEND sources ${source})
  endforeach()
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${work}
    COMMAND ${KORVANE_HOST_TOOLS}/cesetup ${work}/${name}.000 ${application} Orbelwick
            Korvane ${installed}
    ${copies}
    COMMAND touch -d ${cabinet_date} ${work}/${name}.000 ${numbered}
    COMMAND gcab -c -n ${output} ${work}/${name}.000 ${numbered}
    DEPENDS host_tools ${sources}
    COMMENT "Building the cabinet ${name}.cab"
    VERBATIM)
endfunction()

set(product_cab ${KORVANE_PRODUCT_CAB})
if(NOT product_cab)
  set(product_cab ${payload_dir}/KORVANE.cab)
  korvane_cabinet(${product_cab} Korvane "Korvane readme.txt|${payload_sources}/korvane/readme.txt")
endif()
set(common_cab ${KORVANE_COMMON_CAB})
if(NOT common_cab)
  set(common_cab ${payload_dir}/COMMON1.cab)
  korvane_cabinet(${common_cab} CommonComponents
                  "CommonComponents readme.txt|${payload_sources}/common/readme.txt")
endif()

# The payload, once: each file's resource name (the file's name on disk) and its source.
# The INI files are stored as they are; the cabinets are stored compressed by the SZDD
# packer. Beside each, what it must be once extracted: its length and CRC-32 (tools/
# integrity digest), a resource of the type "BINSUM". This list drives the build rules,
# the resource script and the names the tests, the demo and the benchmarks use.
set(korvane_payload "COMMON1.INI|${payload_sources}/COMMON1.INI" "COMMON1_US.PPC_ARM.CAB|${common_cab}"
                    "KORVANE.INI|${payload_sources}/KORVANE.INI" "KORVANE_US.PPC_ARM.CAB|${product_cab}")
# The INI file that installs each cabinet. Before a cabinet is packed, tools/cabcheck
# refuses one the device would reject, naming the file and why: not a whole cabinet, no
# setup file for an ARM device, a name (the one it is extracted under, beside its INI
# file) that CabFiles does not give, or an application other than the INI's Component.
set(cabinet_ini_KORVANE_US.PPC_ARM.CAB KORVANE.INI)
set(cabinet_ini_COMMON1_US.PPC_ARM.CAB COMMON1.INI)
set(packed ${payload_dir}/packed)
set(digests ${payload_dir}/digests)
set(payload_names "")
set(payload_files "")  # what each setup's resource script reads
foreach(pair ${korvane_payload})
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 resource)
  list(GET pair 1 source)
  list(APPEND payload_names ${resource})
  set(stored ${source})
  set(outputs ${digests}/${resource})
  set(pack_command "")
  set(ini "")
  if(resource MATCHES "CAB$")
    set(stored ${packed}/${resource})
    set(ini ${payload_sources}/${cabinet_ini_${resource}})
    list(APPEND outputs ${stored})
    set(pack_command COMMAND ${KORVANE_HOST_TOOLS}/cabcheck ${source} ${ini} ${resource}
                     COMMAND ${KORVANE_HOST_TOOLS}/szdd pack ${source} ${stored})
  endif()
  set(payload_stored_${resource} ${stored})
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packed} ${digests}
    ${pack_command}
    COMMAND ${KORVANE_HOST_TOOLS}/integrity digest ${source} ${digests}/${resource}
    DEPENDS host_tools ${source} ${ini}
    COMMENT "Packing and recording ${resource}"
    VERBATIM)
  list(APPEND payload_files ${stored} ${digests}/${resource})
endforeach()
add_custom_target(payload DEPENDS ${payload_files})

# The uncompressed cabinets, where the tests compare what the setup extracts.
set(KORVANE_PRODUCT_CAB_SOURCE ${product_cab})
set(KORVANE_COMMON_CAB_SOURCE ${common_cab})

# The payload's names for the programs that drive the setup: in resource order, which is
# the order the setup extracts them in.
list(JOIN payload_names "\", \"" payload_list)
file(CONFIGURE OUTPUT ${payload_dir}/include/PayloadNames.h CONTENT
"// Made by the build from its payload list: the files the setup extracts, in order.
#pragma once
#define KORVANE_PAYLOAD_NAMES \"${payload_list}\"
")
set(KORVANE_PAYLOAD_INCLUDE ${payload_dir}/include)

# Writes a resource script of the payload and its records to `rc`. A test setup may give
# one file's record from elsewhere: korvane_payload_rc(rc NAME RECORD).
function(korvane_payload_rc rc)
  set(lines "// The payload and what each file must be once extracted.\nLANGUAGE 0, 0\n")
  foreach(name ${payload_names})
    string(APPEND lines "${name} BIN \"${payload_stored_${name}}\"\n")
  endforeach()
  foreach(name ${payload_names})
    set(record ${digests}/${name})
    if(ARGC EQUAL 3 AND name STREQUAL ARGV1)
      set(record ${ARGV2})
    endif()
    string(APPEND lines "${name} BINSUM \"${record}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${rc} CONTENT "${lines}")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${payload_files}")
endfunction()

set(KORVANE_PAYLOAD_RC ${payload_dir}/payload.rc)
korvane_payload_rc(${KORVANE_PAYLOAD_RC})

# A benchmark, not a test: the packer against mscompress on the corpus and both cabinets.
add_custom_target(bench_packer
  COMMAND ${KORVANE_HOST_TOOLS}/szdd bench ${product_cab} ${common_cab}
  DEPENDS host_tools payload
  USES_TERMINAL)
