# Stages the program files of a build and packs them twice: the NSIS installer
# and the portable zip. Run by the "dist" target (installer/CMakeLists.txt).
# Inputs: BIN (the build's bin folder), STAGE, ICON, NSI, VERSION, SETUP, PORTABLE.
foreach(var BIN STAGE ICON NSI VERSION SETUP PORTABLE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "dist.cmake: ${var} is not set")
  endif()
endforeach()

find_program(MAKENSIS makensis REQUIRED)
find_program(ZIP zip REQUIRED)

# The program and what it loads; nothing of the build's tools and tests.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
foreach(file ZAVOConfig.exe KBHook.dll)
  if(NOT EXISTS ${BIN}/${file})
    message(FATAL_ERROR "dist.cmake: ${BIN}/${file} is missing")
  endif()
  file(COPY ${BIN}/${file} DESTINATION ${STAGE})
endforeach()
foreach(lang En Deutsch Japanese)
  if(NOT EXISTS ${BIN}/lan/${lang}/lang.dll)
    message(FATAL_ERROR "dist.cmake: ${BIN}/lan/${lang}/lang.dll is missing")
  endif()
  file(COPY ${BIN}/lan/${lang}/lang.dll DESTINATION ${STAGE}/lan/${lang})
endforeach()
foreach(dir Skins Help)
  if(NOT IS_DIRECTORY ${BIN}/${dir})
    message(FATAL_ERROR "dist.cmake: ${BIN}/${dir} is missing")
  endif()
  file(COPY ${BIN}/${dir} DESTINATION ${STAGE})
endforeach()

# Size for the installed-programs list, in KiB.
file(GLOB_RECURSE staged ${STAGE}/*)
set(bytes 0)
foreach(f ${staged})
  file(SIZE ${f} size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
math(EXPR kib "(${bytes} + 1023) / 1024")

get_filename_component(outdir ${SETUP} DIRECTORY)
file(MAKE_DIRECTORY ${outdir})
file(REMOVE ${SETUP} ${PORTABLE})
execute_process(
  COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DSTAGE=${STAGE} -DICON=${ICON} -DSIZE_KB=${kib}
          -DOUTFILE=${SETUP} ${NSI}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dist.cmake: makensis failed (${rc})")
endif()

# The zip holds one folder, ZAVOConfig-<version>, with the same files; -X leaves
# out Unix owners and times of the build machine beyond the plain timestamps.
get_filename_component(stage_parent ${STAGE} DIRECTORY)
get_filename_component(stage_name ${STAGE} NAME)
execute_process(
  COMMAND ${ZIP} -q -r -X ${PORTABLE} ${stage_name}
  WORKING_DIRECTORY ${stage_parent}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dist.cmake: zip failed (${rc})")
endif()
message(STATUS "Packages: ${SETUP}")
message(STATUS "          ${PORTABLE}")
