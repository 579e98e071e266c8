# SPDX-License-Identifier: MIT
# Each floor of src/ (a folder, or a folder's qt/ part) is a library of its own, linked only to
# the floors below it. Its sources compile once, into the objects harrowdex_<name>_objects; the
# programs link the static harrowdex_<name> made of them. With HARROWDEX_FLOOR_LINK_CHECK the
# same objects also make the shared harrowdex_<name>_shared, linked with --no-undefined against
# the shared floors below: a call from a floor to one above it or beside it then fails to link.
# Those shared libraries are built as the check and nothing else; no program uses them.
include_guard(GLOBAL)

# harrowdex_floor(<name> FOLDER <folder under src/> [BELOW <floor>...] [PUBLIC <library>...]
#                 [PRIVATE <library>...] [EXCLUDE <file>...])
function(harrowdex_floor name)
  cmake_parse_arguments(PARSE_ARGV 1 floor "" "FOLDER" "BELOW;PUBLIC;PRIVATE;EXCLUDE")
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${floor_FOLDER}/*.cpp")
  foreach(excluded ${floor_EXCLUDE})
    list(REMOVE_ITEM sources "${PROJECT_SOURCE_DIR}/src/${floor_FOLDER}/${excluded}")
  endforeach()
  set(objects harrowdex_${name}_objects)
  add_library(${objects} OBJECT ${sources})
  set_target_properties(${objects} PROPERTIES POSITION_INDEPENDENT_CODE ${HARROWDEX_FLOOR_LINK_CHECK})
  target_include_directories(${objects} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  # Objects linking objects pass on what compiling needs, never the object files themselves.
  list(TRANSFORM floor_BELOW PREPEND harrowdex_ OUTPUT_VARIABLE below)
  list(TRANSFORM below APPEND _objects OUTPUT_VARIABLE below_objects)
  target_link_libraries(${objects} PUBLIC ${below_objects} ${floor_PUBLIC} PRIVATE ${floor_PRIVATE})

  add_library(harrowdex_${name} STATIC)
  set_target_properties(harrowdex_${name} PROPERTIES AUTOMOC OFF)
  target_link_libraries(harrowdex_${name} PUBLIC ${objects} ${below})

  if(HARROWDEX_FLOOR_LINK_CHECK)
    add_library(harrowdex_${name}_shared SHARED)
    set_target_properties(harrowdex_${name}_shared PROPERTIES AUTOMOC OFF)
    list(TRANSFORM below APPEND _shared OUTPUT_VARIABLE below_shared)
    target_link_libraries(harrowdex_${name}_shared PRIVATE ${objects} PUBLIC ${below_shared})
    target_link_options(harrowdex_${name}_shared PRIVATE LINKER:--no-undefined)
  endif()
endfunction()
