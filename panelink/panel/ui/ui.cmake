# The main window, its drawing and its boxes (Qt, panelink_ui).
target_sources(panelink_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/bitmap_store.cpp
    ${CMAKE_CURRENT_LIST_DIR}/box_presenter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/front_panel_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panel_canvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panel_strings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panel_view.cpp
)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/front_panel_dialog.cpp
    TARGET_DIRECTORY panelink_ui
    PROPERTIES COMPILE_DEFINITIONS PANELINK_UI_VERSION="${PROJECT_VERSION}")

# The window on the offscreen platform: menu, size, drawing into the back buffer, boxes, keys.
panelink_add_test(test_panel_ui
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/panel_ui_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/panel_canvas_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/front_panel_dialog_test.cpp
    LIBS panelink_ui panelink_resources Qt6::Test
    LABELS gui)
