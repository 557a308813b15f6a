# "EX" and "DA" read and write commands of the menu items.
target_sources(panelink_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/menu_command.cpp)

panelink_add_test(test_menu_command
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/test_menu_command.cpp
    LIBS panelink_core
)
