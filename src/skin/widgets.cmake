# The skinned widgets (Windows build): pictures and shapes, the skin loader and
# the skinned dialog base, CBitmapBtn, CRgnWnd/CRgnButton, CListBoxEx, ImageEx.
set(ZAVO_WIDGET_SOURCES Picture.cpp Region.cpp ImageEx.cpp)
foreach(optional BitmapBtn.cpp RgnWnd.cpp ListBoxEx.cpp SkinLoader.cpp SkinnedDialog.cpp)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${optional})
    list(APPEND ZAVO_WIDGET_SOURCES ${optional})
  endif()
endforeach()
list(TRANSFORM ZAVO_WIDGET_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_library(zavo_widgets STATIC ${ZAVO_WIDGET_SOURCES})
target_include_directories(zavo_widgets PUBLIC ${ZAVO_ROOT}/src)
target_link_libraries(zavo_widgets PUBLIC
  zavo_skindata zavo_appstate
  $<TARGET_NAME_IF_EXISTS:zavo_framework> $<TARGET_NAME_IF_EXISTS:zavo_config>
  gdiplus comctl32 oleaut32 ole32 uuid gdi32 user32)
