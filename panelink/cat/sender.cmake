# The command sender (Anl_Send_Thread) and the builders it uses.
target_sources(panelink_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/command_buffer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_sender.cpp
    ${CMAKE_CURRENT_LIST_DIR}/decimal_field.cpp
    ${CMAKE_CURRENT_LIST_DIR}/request_table.cpp
)

panelink_add_test(test_command_sender
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_command_fields.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_command_requests.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_command_sequences.cpp
    LIBS panelink_core
)
