# Helpers shared by the areas' CMakeLists.

# zavo_gtest(NAME sources... LIBS libs... [WINE_ONLY])
# A GoogleTest executable registered with CTest. In the Windows build CTest runs it
# under Wine through CMAKE_CROSSCOMPILING_EMULATOR; WINE_ONLY skips it natively.
function(zavo_gtest name)
  cmake_parse_arguments(ARG "WINE_ONLY;NATIVE_ONLY" "" "LIBS;LABELS" ${ARGN})
  if(ARG_WINE_ONLY AND NOT WIN32)
    return()
  endif()
  if(ARG_NATIVE_ONLY AND WIN32)
    return()
  endif()
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gmock gtest_main)
  target_include_directories(${name} PRIVATE ${ZAVO_ROOT}/tests/support)
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
    target_link_libraries(${name} PRIVATE shell32)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "ZAVO_SOURCE_DIR=${ZAVO_ROOT};ZAVO_BIN_DIR=${CMAKE_BINARY_DIR}/bin;WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
    LABELS "${ARG_LABELS}")
endfunction()

# zavo_dpi_test(TARGET DPIS dpi... [ARGS args...] [DISABLED])
# Runs the test program TARGET (made with zavo_gtest) again on a display of each
# DPI (96 = 100 % .. 192 = 200 %) as the CTest test TARGET_dpiDPI: in the Wine
# prefix of that DPI (tools/dpi-prefix.sh, made by the fixture dpi_prefix_DPI of
# tests/CMakeLists.txt), on a private screen large enough for the main window
# at 200 %, with ZAVO_DPI telling the program the DPI. ARGS are added to its
# command line (a --gtest_filter). The tests run alone (label "serial").
# DISABLED registers them without running them (CTest lists them as "Not Run
# (Disabled)"): for scales the windows do not draw at yet.
function(zavo_dpi_test target)
  cmake_parse_arguments(ARG "DISABLED" "" "DPIS;ARGS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  foreach(dpi ${ARG_DPIS})
    if(dpi EQUAL 96)
      set(prefix ${CMAKE_BINARY_DIR}/wineprefix)
    else()
      set(prefix ${CMAKE_BINARY_DIR}/wineprefix-dpi${dpi})
    endif()
    add_test(NAME ${target}_dpi${dpi}
      COMMAND ${ZAVO_ROOT}/tools/with-display.sh ${ZAVO_ROOT}/tools/wine-run.sh $<TARGET_FILE:${target}>
              --gtest_brief=1 ${ARG_ARGS})
    set_tests_properties(${target}_dpi${dpi} PROPERTIES
      ENVIRONMENT "ZAVO_SOURCE_DIR=${ZAVO_ROOT};ZAVO_BIN_DIR=${CMAKE_BINARY_DIR}/bin;WINEPREFIX=${prefix};ZAVO_DPI=${dpi};ZAVO_PRIVATE_DISPLAY=1;ZAVO_SCREEN=2560x1440x24"
      FIXTURES_REQUIRED dpi${dpi}
      LABELS serial)
    if(ARG_DISABLED)
      set_tests_properties(${target}_dpi${dpi} PROPERTIES DISABLED TRUE)
    endif()
  endforeach()
endfunction()

# zavo_delay_load(TARGET dll...)
# The target loads each named system library on the first call into it instead
# of at process start: a delay-import library libNAME.a is made (once, at
# configure time) from MinGW-w64's import library with dlltool, in a folder the
# target's link searches first, so every -lNAME of the target and of the
# libraries it links resolves to it. Only libraries exporting functions alone
# qualify (a delay import cannot carry data).
function(zavo_delay_load target)
  set(dir ${CMAKE_BINARY_DIR}/delayimp)
  file(MAKE_DIRECTORY ${dir})
  foreach(dll ${ARGN})
    set(out ${dir}/lib${dll}.a)
    if(NOT EXISTS ${out})
      find_file(implib_${dll} lib${dll}.a PATHS ${CMAKE_FIND_ROOT_PATH}/lib NO_DEFAULT_PATH REQUIRED)
      execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${implib_${dll}}
                      OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
      string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
      set(def "LIBRARY ${dll}.dll\nEXPORTS\n")
      foreach(entry ${imports})
        string(REPLACE " I __imp_" "" name "${entry}")
        string(APPEND def "${name}\n")
      endforeach()
      file(WRITE ${dir}/${dll}.def "${def}")
      execute_process(COMMAND ${CMAKE_DLLTOOL} -d ${dir}/${dll}.def -y ${out}
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()
  target_link_directories(${target} BEFORE PRIVATE ${dir})
  # The loader helper the delay imports call, wherever delayimp falls on the line.
  target_link_options(${target} PRIVATE -Wl,-u,__delayLoadHelper2)
  target_link_libraries(${target} PRIVATE delayimp)
endfunction()
