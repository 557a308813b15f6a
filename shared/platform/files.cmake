# Atomic file replacement, the single-instance lock and the broken-pipe disposition.
target_sources(commo_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/atomic_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/broken_pipe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/single_instance.cpp
)

panelink_add_test(test_platform_files
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_files_atomic_file.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_files_broken_pipe.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_files_single_instance.cpp
    LIBS commo_platform
)
