# Full repaint of a layout with every module slot filled, against blitting
# the item pictures alone in the same run.
add_executable(bench_paint ${CMAKE_CURRENT_LIST_DIR}/PaintBench.cpp)
target_link_libraries(bench_paint PRIVATE vkxgui)
target_include_directories(bench_paint PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(bench_paint PRIVATE VKX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
vkx_warnings(bench_paint)
