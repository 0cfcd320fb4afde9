# The main window itself (Windows build).
set(ZAVO_MAINWND_SOURCES MainDlg.cpp MainLayout.cpp MainCommands.cpp MainAssign.cpp MainTimers.cpp)
list(TRANSFORM ZAVO_MAINWND_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_library(zavo_mainwnd STATIC ${ZAVO_MAINWND_SOURCES})
target_include_directories(zavo_mainwnd PUBLIC ${ZAVO_ROOT}/src ${ZAVO_ROOT}/res)
target_link_libraries(zavo_mainwnd PUBLIC
  zavo_mainview zavo_dialogs zavo_widgets zavo_framework zavo_config zavo_keys zavo_light
  zavo_service zavo_appstate zavo_language
  comdlg32 shell32 comctl32 gdi32 user32)
