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
