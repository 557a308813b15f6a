# Message threads, the steady clock, real and virtual timers. The recording fakes in
# testing/ are header-only.
target_sources(commo_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/message_thread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/steady_clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/thread_timer_host.cpp
    ${CMAKE_CURRENT_LIST_DIR}/routing_timer_host.cpp
    ${CMAKE_CURRENT_LIST_DIR}/virtual_time.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wake_event.cpp
)

panelink_add_test(test_platform_threads
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_threads_message_thread.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_threads_timers.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_threads_virtual_time.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_threads_recording.cpp
    LIBS commo_platform
    LABELS threaded
)
