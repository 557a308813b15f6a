# The application object, its timers and power events, the program's DSP windows, in process
# (offscreen platform).
panelink_add_test(test_panelink_app
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/app_test_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/application_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/qt_timer_host_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/power_watcher_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/dsp_windows_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/network_control_dialog_test.cpp
    LIBS panelink_app_ui panelink_resources Qt6::Test
    LABELS gui)

# The real program against the simulator: signals at every phase, a second copy.
panelink_add_test(test_panelink_program
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/app_test_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/program_test.cpp
    LIBS Qt6::Widgets
    LABELS gui e2e)

# The real program's command line: answers without a display, the directory it works in.
panelink_add_test(test_panelink_command_line
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/app_test_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/command_line_program_test.cpp
    LIBS Qt6::Widgets
    LABELS gui e2e)

# The real program on Xvfb: the digits on the screen follow a reported frequency.
panelink_add_test(test_panelink_xvfb
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/app_test_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/program_xvfb_test.cpp
    LIBS Qt6::Widgets
    LABELS xvfb e2e)

# The panel's controls on Xvfb, clicked, dragged and wheeled with xdotool: the exact commands
# at the simulator, the pop-ups and the connecting windows on the screen.
panelink_add_test(test_panelink_panel_xvfb
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/app_test_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/panel_controls_xvfb_test.cpp
    LIBS Qt6::Widgets
    LABELS xvfb e2e)

# The CW window on Xvfb, opened from the menu bar and typed into with xdotool: the keyer text
# written, read back and stored in the simulator.
panelink_add_test(test_panelink_cw_xvfb
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/app_test_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/cw_window_xvfb_test.cpp
    LIBS Qt6::Widgets
    LABELS xvfb e2e)

# The network control server with the generic rigctld client, against the simulator.
panelink_add_test(test_panelink_rigctl
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/app_test_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/rigctl_program_test.cpp
    LIBS Qt6::Widgets
    LABELS gui e2e)

foreach(test IN ITEMS test_panelink_program test_panelink_rigctl test_panelink_command_line
                      test_panelink_xvfb test_panelink_panel_xvfb
                      test_panelink_cw_xvfb)
    target_compile_definitions(${test} PRIVATE
        PANELINK_TEST_PROGRAM="$<TARGET_FILE:panelink>"
        PANELINK_TEST_ORVIK_SIM="$<TARGET_FILE:orvik-sim>"
        PANELINK_TEST_SCREENGRAB="$<TARGET_FILE:panelink-screengrab>")
    target_include_directories(${test} PRIVATE ${PROJECT_SOURCE_DIR})
    add_dependencies(${test} panelink orvik-sim panelink-screengrab)
endforeach()
