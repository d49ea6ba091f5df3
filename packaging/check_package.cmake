# Lists the Windows package and checks it: exactly the expected files below
# its one top folder, each with the bytes of the file it was made from.
#   cmake -DZIP=<zip> -DNAME=<top folder> -DEXPECTED=<name>=<source>|... -P check_package.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${ZIP} cannot be listed")
endif()
message(STATUS "${ZIP}:\n${listing}")

string(REPLACE "\n" ";" entries "${listing}")
set(files)
foreach(entry ${entries})
  if(entry STREQUAL "" OR entry MATCHES "/$")
    continue()
  endif()
  list(APPEND files ${entry})
endforeach()

string(REPLACE "|" ";" expected "${EXPECTED}")
set(wanted)
foreach(pair ${expected})
  string(REGEX REPLACE "=.*" "" name "${pair}")
  list(APPEND wanted ${NAME}/${name})
endforeach()
list(SORT files)
list(SORT wanted)
if(NOT files STREQUAL wanted)
  message(FATAL_ERROR "the package holds\n  ${files}\nbut should hold\n  ${wanted}")
endif()

set(unpacked ${CMAKE_CURRENT_BINARY_DIR}/unpacked-package)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${unpacked}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${ZIP} cannot be unpacked")
endif()
foreach(pair ${expected})
  string(REGEX REPLACE "=.*" "" name "${pair}")
  string(REGEX REPLACE "^[^=]*=" "" source "${pair}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${unpacked}/${NAME}/${name} ${source}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} in the package is not ${source}")
  endif()
endforeach()
file(READ ${unpacked}/${NAME}/fleetmix-cli.exe head LIMIT 2 HEX)
if(NOT head STREQUAL "4d5a")  # "MZ"
  message(FATAL_ERROR "fleetmix-cli.exe is not a Windows program")
endif()
file(REMOVE_RECURSE ${unpacked})
message(STATUS "${NAME}.zip holds every file it should, byte for byte")
