# Serial device and the pseudo-terminal pair used by tests and the simulator.
target_sources(commo_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/serial_device.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serial_devices.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serial_speed.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pseudo_terminal.cpp
)

panelink_add_test(test_platform_serial
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_serial_device.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_serial_devices.cpp
    LIBS commo_platform
    LABELS serial)
