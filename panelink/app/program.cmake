# The Panelink program: application start-up and shut-down, timers, signals and power events
# on top of the core context and the main window.
add_library(panelink_app STATIC
    ${CMAKE_CURRENT_LIST_DIR}/application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/core_adapter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/power_watcher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_timer_host.cpp
    ${CMAKE_CURRENT_LIST_DIR}/signal_watcher.cpp
)
target_link_libraries(panelink_app PUBLIC panelink_ui Qt6::Widgets Qt6::DBus)
panelink_warnings(panelink_app)

add_executable(panelink ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(panelink PRIVATE panelink_app panelink_resources)
target_compile_definitions(panelink PRIVATE PANELINK_VERSION="${PROJECT_VERSION}")
panelink_warnings(panelink)

# Grabs a window of the X display by its title, for the demo's screenshot and the X test.
add_executable(panelink-screengrab ${PROJECT_SOURCE_DIR}/tools/screengrab/screengrab.cpp)
find_library(PANELINK_XCB_LIBRARY xcb REQUIRED)
target_link_libraries(panelink-screengrab PRIVATE Qt6::Gui ${PANELINK_XCB_LIBRARY})
panelink_warnings(panelink-screengrab)

include(${CMAKE_CURRENT_LIST_DIR}/tests/program_tests.cmake)

