# Writes a copy of a content tree with a few lines changed, for scenarios
# that play content the bundled demo must not have (a door to no scene, an
# empty exit). Run as
#   cmake -DSOURCE=content -DTREE=out -DEDITS=NAME.edits.cmake -P content_copy.cmake
# EDITS calls edit(FILE OLD NEW) once per change: FILE relative to the tree,
# OLD text that must occur in it (every occurrence is replaced), NEW its
# replacement. An OLD that is not there fails the copy, so a scenario never
# plays a tree that silently lost its point when the demo changed.
cmake_minimum_required(VERSION 3.16)
foreach(var SOURCE TREE EDITS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "content_copy: -D${var}= is missing")
  endif()
endforeach()

file(REMOVE_RECURSE "${TREE}")
get_filename_component(parent "${TREE}" DIRECTORY)
get_filename_component(leaf "${TREE}" NAME)
file(MAKE_DIRECTORY "${parent}")
file(COPY "${SOURCE}/" DESTINATION "${TREE}")

function(edit file old new)
  set(path "${TREE}/${file}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "content_copy: ${EDITS}: no file ${file}")
  endif()
  file(READ "${path}" text)
  string(FIND "${text}" "${old}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "content_copy: ${EDITS}: ${file} has no \"${old}\"")
  endif()
  string(REPLACE "${old}" "${new}" text "${text}")
  file(WRITE "${path}" "${text}")
endfunction()

include("${EDITS}")
