# Installs the build into a temporary prefix, checks where each file went,
# moves the prefix and runs the moved solvane-export beside the build tree's:
# the outputs must be the same bytes.
cmake_minimum_required(VERSION 3.25)

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(first ${WORK_DIR}/instalado)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${first}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("cmake --install failed (${status}): ${err}")
endif()

# Nothing may depend on the prefix it was installed under.
set(prefix ${WORK_DIR}/movido)
file(RENAME ${first} ${prefix})

foreach(path
    ${BINDIR}/solvane ${BINDIR}/solvane-export ${BINDIR}/solvane-import
    ${HELPERS_DIR}/solvane-export-desenho ${HELPERS_DIR}/solvane-export-planilha
    ${STUDY_DIR}/Dados/Solvane.db ${STUDY_DIR}/Mapas/Legendas ${STUDY_DIR}/Imagens ${STUDY_DIR}/Anexos
    ${HELP_DIR}/Solvane_AJUDA.html
    ${DATADIR}/applications/${APP_ID}.desktop ${DATADIR}/metainfo/${APP_ID}.metainfo.xml
    ${DATADIR}/icons/hicolor/16x16/apps/solvane.png ${DATADIR}/icons/hicolor/256x256/apps/solvane.png
    ${DATADIR}/icons/hicolor/scalable/apps/solvane.svg
    ${MANDIR}/man1/solvane.1.gz ${MANDIR}/man1/solvane-export.1.gz ${MANDIR}/man1/solvane-import.1.gz
    ${DATADIR}/doc/solvane/copyright ${DATADIR}/doc/solvane/changelog.gz
    ${DATADIR}/bash-completion/completions/solvane-export)
  if(NOT EXISTS ${prefix}/${path})
    fail("missing from the installed tree: ${path}")
  endif()
endforeach()
# The help's pictures, when the build took them.
file(GLOB pictures RELATIVE ${PROGRAM_DIR}/Ajuda/imagens ${PROGRAM_DIR}/Ajuda/imagens/*.png)
foreach(picture ${pictures})
  if(NOT EXISTS ${prefix}/${HELP_DIR}/imagens/${picture})
    fail("missing from the installed tree: the help's picture ${picture}")
  endif()
endforeach()
foreach(path ${BINDIR}/solvane-export-desenho ${BINDIR}/solvane-export-planilha ${BINDIR}/Dados ${BINDIR}/Exportado)
  if(EXISTS ${prefix}/${path})
    fail("must not be installed: ${path}")
  endif()
endforeach()
file(GLOB legends ${prefix}/${STUDY_DIR}/Mapas/Legendas/*)
if(legends)
  fail("the build tree's saved legends were installed: ${legends}")
endif()

# The AppStream description with the menu entry and icon it names, as
# installed together.
execute_process(COMMAND appstreamcli validate-tree --no-net ${prefix} RESULT_VARIABLE status OUTPUT_VARIABLE said)
if(NOT status EQUAL 0)
  fail("appstreamcli validate-tree: ${said}")
endif()

# Each run: a name, then its arguments; "@OUT@" is the output file, without
# it the output is the standard output.
set(runs
  "tabela.txt --topico 01.01.01"
  "mapa.png --topico 01.01.01 --agrupar municipio --uf 26 --coluna A07 --mapa @OUT@"
  "grafico.svg --topico 01.01.01 --agrupar uf --coluna A07 --grafico @OUT@")
foreach(run ${runs})
  separate_arguments(parts UNIX_COMMAND "${run}")
  list(POP_FRONT parts name)
  foreach(side build installed)
    if(side STREQUAL "build")
      set(program ${PROGRAM_DIR}/solvane-export)
    else()
      set(program ${prefix}/${BINDIR}/solvane-export)
    endif()
    set(out ${WORK_DIR}/${side}-${name})
    string(REPLACE "@OUT@" "${out}" args "${parts}")
    if(args STREQUAL parts)
      set(stdout_file ${out})
    else()
      set(stdout_file ${WORK_DIR}/${side}-${name}.stdout)
    endif()
    # Run from a folder of its own: the working folder must not matter.
    execute_process(COMMAND ${program} ${args} WORKING_DIRECTORY ${WORK_DIR}
                    RESULT_VARIABLE status OUTPUT_FILE ${stdout_file} ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
      fail("${program} ${args} ended with ${status}: ${err}")
    endif()
    file(SIZE ${out} size)
    if(size EQUAL 0)
      fail("${program} ${args} wrote an empty ${out}")
    endif()
  endforeach()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/build-${name} ${WORK_DIR}/installed-${name}
                  RESULT_VARIABLE different)
  if(different)
    fail("the installed solvane-export wrote a different ${name} than the build tree's")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
