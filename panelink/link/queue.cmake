# The send and receive queues of the link.
target_sources(panelink_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/message_queue.cpp)

panelink_add_test(test_message_queue
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/test_message_queue.cpp
    LIBS panelink_core
    LABELS threaded
)
