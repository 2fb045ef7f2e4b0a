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

# Builds the sample cabinet NAME.cab from NAME.000 and NAME.001 (the readme).
function(korvane_sample_cabinet name application readme output)
  set(work ${payload_dir}/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${work}
    COMMAND ${KORVANE_HOST_TOOLS}/cesetup ${work}/${name}.000 ${application} Orbelwick
            Korvane "${application} readme.txt"
    COMMAND ${CMAKE_COMMAND} -E copy ${readme} ${work}/${name}.001
    COMMAND touch -d ${cabinet_date} ${work}/${name}.000 ${work}/${name}.001
    COMMAND gcab -c -n ${output} ${work}/${name}.000 ${work}/${name}.001
    DEPENDS host_tools ${readme}
    COMMENT "Building the sample cabinet ${name}.cab"
    VERBATIM)
endfunction()

set(product_cab ${KORVANE_PRODUCT_CAB})
if(NOT product_cab)
  set(product_cab ${payload_dir}/KORVANE.cab)
  korvane_sample_cabinet(KORVANE Korvane ${payload_sources}/korvane/readme.txt ${product_cab})
endif()
set(common_cab ${KORVANE_COMMON_CAB})
if(NOT common_cab)
  set(common_cab ${payload_dir}/COMMON1.cab)
  korvane_sample_cabinet(COMMON1 CommonComponents ${payload_sources}/common/readme.txt
                         ${common_cab})
endif()

# What the resources hold: resource name, then the file stored under it.
set(packed ${payload_dir}/packed)
foreach(pair "KORVANE_US.PPC_ARM.CAB|${product_cab}" "COMMON1_US.PPC_ARM.CAB|${common_cab}")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 resource)
  list(GET pair 1 source)
  add_custom_command(OUTPUT ${packed}/${resource}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packed}
    COMMAND ${KORVANE_HOST_TOOLS}/szdd pack ${source} ${packed}/${resource}
    DEPENDS host_tools ${source}
    COMMENT "Compressing ${resource}"
    VERBATIM)
endforeach()

set(payload_files
  ${payload_sources}/COMMON1.INI ${packed}/COMMON1_US.PPC_ARM.CAB
  ${payload_sources}/KORVANE.INI ${packed}/KORVANE_US.PPC_ARM.CAB)
add_custom_target(payload DEPENDS ${packed}/COMMON1_US.PPC_ARM.CAB
                                  ${packed}/KORVANE_US.PPC_ARM.CAB)

# The uncompressed cabinets, where the tests compare what the setup extracts.
set(KORVANE_PRODUCT_CAB_SOURCE ${product_cab})
set(KORVANE_COMMON_CAB_SOURCE ${common_cab})

set(KORVANE_PAYLOAD_RC ${payload_dir}/payload.rc)
file(WRITE ${KORVANE_PAYLOAD_RC}.in
"// The payload: the Application Manager's INI files and the device cabinets.
LANGUAGE 0, 0
COMMON1.INI            BIN \"${payload_sources}/COMMON1.INI\"
COMMON1_US.PPC_ARM.CAB BIN \"${packed}/COMMON1_US.PPC_ARM.CAB\"
KORVANE.INI            BIN \"${payload_sources}/KORVANE.INI\"
KORVANE_US.PPC_ARM.CAB BIN \"${packed}/KORVANE_US.PPC_ARM.CAB\"
")
configure_file(${KORVANE_PAYLOAD_RC}.in ${KORVANE_PAYLOAD_RC} COPYONLY)
set_source_files_properties(${KORVANE_PAYLOAD_RC} PROPERTIES OBJECT_DEPENDS "${payload_files}")

# A benchmark, not a test: the packer against mscompress on the corpus and both cabinets.
add_custom_target(bench_packer
  COMMAND ${KORVANE_HOST_TOOLS}/szdd bench ${product_cab} ${common_cab}
  DEPENDS host_tools payload
  USES_TERMINAL)
