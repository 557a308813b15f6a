# The core context: owns the records, queues, port and worker threads of Panelink, and runs
# start-up and shut-down (panelink_core, no Qt).
target_sources(panelink_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/core_context.cpp)

# Start-up and shut-down order in virtual time, on real worker threads and pseudo-terminals.
panelink_add_test(test_core
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/core_context_test.cpp
    LIBS panelink_core Threads::Threads
    LABELS threaded)

# The whole pipeline against the simulated transceiver, in real time.
panelink_add_test(test_core_e2e
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/e2e/core_e2e_test.cpp
    LIBS panelink_core orviksim Threads::Threads
    LABELS e2e threaded)
