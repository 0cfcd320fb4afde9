# Portable skin data: button entries, the mask scan and the shape-picture reader.
# No window code here; the widgets build their regions on top of it.
add_library(zavo_skindata STATIC
  ${CMAKE_CURRENT_LIST_DIR}/SkinEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MaskScan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShapeFile.cpp)
target_include_directories(zavo_skindata PUBLIC ${ZAVO_ROOT}/src)
target_link_libraries(zavo_skindata PUBLIC zavo_platform)
