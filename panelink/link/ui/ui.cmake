# The COM Select and Baud rate dialogs.
target_sources(panelink_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/link_choice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/link_choice_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/link_dialog_services.cpp
)

# The choice logic with fakes and real pseudo-terminals, and the dialogs on the offscreen
# platform.
panelink_add_test(test_link_ui
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/gui_test_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/link_test_fixture.h
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_link_choice.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/test_link_dialogs.cpp
    LIBS panelink_ui Qt6::Test
    LABELS gui)
