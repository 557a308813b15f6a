# The window's drawing cost and the answer-to-screen latency (Qt); scripts/bench-ui runs it.
add_executable(bench_ui_redraw ${CMAKE_CURRENT_LIST_DIR}/ui_redraw_bench.cpp)
target_include_directories(bench_ui_redraw PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_ui_redraw PRIVATE panelink_app_ui panelink_resources)
panelink_warnings(bench_ui_redraw)

# A mouse press on a panel key to its command at the far end of the line (Qt).
add_executable(bench_ui_press ${CMAKE_CURRENT_LIST_DIR}/ui_press_bench.cpp)
target_include_directories(bench_ui_press PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_ui_press PRIVATE panelink_app_ui panelink_resources Qt6::Test)
panelink_warnings(bench_ui_press)
