# One template written to four paced simulators at once against one alone.
if(UNIX)
  add_executable(bench_units ${CMAKE_CURRENT_LIST_DIR}/UnitsBench.cpp)
  target_link_libraries(bench_units PRIVATE Qt6::Core)
  target_compile_definitions(bench_units PRIVATE VKX_BIN_DIR="${VKX_BIN_DIR}")
  add_dependencies(bench_units vkx520ctl vkx520sim vkx_runtime_files)
  vkx_warnings(bench_units)
endif()
