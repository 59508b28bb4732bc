# Start-up to the first painted frame of VKX520Setup, against a bare Qt main
# window started the same way in the same run.
add_executable(bench_bare_window ${CMAKE_CURRENT_LIST_DIR}/BareWindow.cpp ${CMAKE_SOURCE_DIR}/app/FirstPaintExit.cpp)
target_link_libraries(bench_bare_window PRIVATE Qt6::Widgets)
target_include_directories(bench_bare_window PRIVATE ${CMAKE_SOURCE_DIR})
vkx_warnings(bench_bare_window)

add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp)
target_link_libraries(bench_startup PRIVATE Qt6::Core)
target_compile_definitions(bench_startup PRIVATE VKX_BIN_DIR="${VKX_BIN_DIR}")
add_dependencies(bench_startup bench_bare_window VKX520Setup vkx_runtime_files)
vkx_warnings(bench_startup)
