# ZAVOConfig.exe: the application object and the main window, with the
# resources of res/ (dialog templates, icon, indicator bitmaps, animation).
add_executable(ZAVOConfig WIN32 ${CMAKE_CURRENT_LIST_DIR}/ZAVOConfigApp.cpp)
target_link_libraries(ZAVOConfig PRIVATE zavo_mainwnd zavo_framework zavo_res ole32 comctl32)
target_link_options(ZAVOConfig PRIVATE -municode)
