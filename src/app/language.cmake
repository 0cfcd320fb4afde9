# The language tables (portable, tested natively) and, in the Windows build, the
# loading of the language module and the opening of the guide and web page.
add_library(zavo_language STATIC ${CMAKE_CURRENT_LIST_DIR}/Language.cpp)
target_include_directories(zavo_language PUBLIC ${ZAVO_ROOT}/src)
if(WIN32)
  target_sources(zavo_language PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Language_win32.cpp)
  target_link_libraries(zavo_language PUBLIC zavo_appstate shell32)
endif()
