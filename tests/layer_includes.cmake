# A layer includes only its own and lower layers' headers: the base never
# includes core or ui, the core never includes ui. The importer stands on the
# base alone, and no layer includes it (the programs run it as a process). Run by ctest with
# -DSRC=<the src folder>.
set(rules "base:core/|ui/|import/" "core:ui/|import/" "ui:import/" "import:core/|ui/")
set(faults "")
foreach(rule IN LISTS rules)
  string(REPLACE ":" ";" parts "${rule}")
  list(GET parts 0 layer)
  list(GET parts 1 forbidden)
  file(GLOB_RECURSE files "${SRC}/${layer}/*.h" "${SRC}/${layer}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "^#include \"(${forbidden})")
    foreach(line IN LISTS lines)
      list(APPEND faults "${file}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Includes of a higher layer:\n${text}")
endif()
