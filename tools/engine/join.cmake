# Joins the engine's parts, runtime/engine/*.js in the order of their names,
# into the engine template runtime/export.js that games are built from.
#   cmake -DPARTS=<folder> -DOUTPUT=<file> [-DCHECK=1] -P join.cmake
# The file is rewritten only when the join differs from it, through a
# temporary file renamed over it. With CHECK set nothing is written: the run
# fails when the file differs from the join (edited by hand, or parts
# committed without building).
file(GLOB parts "${PARTS}/*.js")
list(SORT parts)
set(joined "")
foreach(part IN LISTS parts)
  file(READ "${part}" text)
  string(APPEND joined "${text}")
endforeach()
set(current "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" current)
endif()
if(joined STREQUAL current)
  return()
endif()
if(CHECK)
  message(FATAL_ERROR "${OUTPUT} differs from the join of ${PARTS}/*.js: edit the parts, "
                      "then build, which rewrites it.")
endif()
file(WRITE "${OUTPUT}.tmp" "${joined}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
