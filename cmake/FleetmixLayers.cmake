# The product's libraries, each with an explicit source list (headers
# included) and the libraries it builds on. Every library is recorded in a
# manifest that the layering check reads: a source may include only headers
# of its own library or of the libraries below it, and no two libraries
# depend on each other.
#
# fm_library(<name> SOURCES <files...> [DEPENDS <libs...>] [SYSTEM_LIBS <libs...>]
#            [OTHER_PLATFORM <files...>] [WIN32_ONLY])
#   A static library when it has .cpp files, else an interface library.
#   OTHER_PLATFORM: the files this library builds in the other tree instead
#   (recorded, not built).
#   WIN32_ONLY: built only in the Windows tree; the other tree records it
#   in the manifest all the same, so the check sees the whole graph.
# fm_program(<name> SOURCES <files...> DEPENDS <libs...> [WIN32_ONLY])
#   Records an executable's own sources in the manifest (the executable
#   itself is made by the caller).

set_property(GLOBAL PROPERTY FM_LAYERS "")

function(fm_record_layer name kind)
  cmake_parse_arguments(L "" "" "SOURCES;DEPENDS" ${ARGN})
  set(files)
  foreach(f ${L_SOURCES})
    get_filename_component(abs ${f} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${abs})
    list(APPEND files ${rel})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY FM_LAYERS ${name})
  set_property(GLOBAL PROPERTY FM_LAYER_KIND_${name} ${kind})
  set_property(GLOBAL PROPERTY FM_LAYER_SOURCES_${name} ${files})
  set_property(GLOBAL PROPERTY FM_LAYER_DEPENDS_${name} ${L_DEPENDS})
endfunction()

function(fm_library name)
  cmake_parse_arguments(L "WIN32_ONLY" "" "SOURCES;DEPENDS;SYSTEM_LIBS;OTHER_PLATFORM" ${ARGN})
  fm_record_layer(${name} library SOURCES ${L_SOURCES} ${L_OTHER_PLATFORM} DEPENDS ${L_DEPENDS})
  if(L_WIN32_ONLY AND NOT WIN32)
    return()
  endif()
  set(compiled ${L_SOURCES})
  list(FILTER compiled INCLUDE REGEX "\\.(cpp|rc)$")
  if(compiled)
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_DEPENDS} ${L_SYSTEM_LIBS})
  else()
    add_library(${name} INTERFACE ${L_SOURCES})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_DEPENDS} ${L_SYSTEM_LIBS})
  endif()
endfunction()

function(fm_program name)
  cmake_parse_arguments(L "WIN32_ONLY" "" "SOURCES;DEPENDS" ${ARGN})
  fm_record_layer(${name} program SOURCES ${L_SOURCES} DEPENDS ${L_DEPENDS})
endfunction()

# Writes the manifest: one block per library or program.
#   layer <name> <library|program>
#   depends <name>
#   source <path relative to the source tree>
function(fm_write_layer_manifest path)
  get_property(layers GLOBAL PROPERTY FM_LAYERS)
  set(text "")
  foreach(name ${layers})
    get_property(kind GLOBAL PROPERTY FM_LAYER_KIND_${name})
    get_property(sources GLOBAL PROPERTY FM_LAYER_SOURCES_${name})
    get_property(depends GLOBAL PROPERTY FM_LAYER_DEPENDS_${name})
    string(APPEND text "layer ${name} ${kind}\n")
    foreach(d ${depends})
      string(APPEND text "depends ${d}\n")
    endforeach()
    foreach(s ${sources})
      string(APPEND text "source ${s}\n")
    endforeach()
  endforeach()
  file(WRITE ${path} "${text}")
endfunction()
