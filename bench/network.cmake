# Reading the device through ser2net (raw and rfc2217 accepters) against
# the direct pseudo-terminal in the same run, at 38400 baud pacing.
if(UNIX)
  add_executable(bench_network ${CMAKE_CURRENT_LIST_DIR}/NetworkBench.cpp)
  target_link_libraries(bench_network PRIVATE Qt6::Core)
  target_include_directories(bench_network PRIVATE ${CMAKE_SOURCE_DIR}/tests/cli)
  target_compile_definitions(bench_network PRIVATE VKX_BIN_DIR="${VKX_BIN_DIR}")
  add_dependencies(bench_network vkx520ctl vkx520sim vkx_runtime_files)
  vkx_warnings(bench_network)
endif()
