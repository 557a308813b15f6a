include(GoogleTest)

# panelink_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# One GoogleTest executable per folder; every test case becomes a CTest test.
# Label "threaded" marks tests that the ThreadSanitizer run covers; "gui" marks Qt window tests.
function(panelink_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    panelink_warnings(${name})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    # Parameterised cases keep the names their generators give them, not printed values.
    gtest_discover_tests(${name}
        NO_PRETTY_VALUES
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        PROPERTIES TIMEOUT 120
        DISCOVERY_TIMEOUT 60)
    # Labels are set once the discovered tests are known: a list of several labels would lose
    # its separator on the way through the discovery's PROPERTIES.
    # The ThreadSanitizer run builds only these (target threaded_tests).
    if("threaded" IN_LIST ARG_LABELS)
        set_property(GLOBAL APPEND PROPERTY PANELINK_THREADED_TESTS ${name})
    endif()
    if(ARG_LABELS)
        set(labels_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
        file(WRITE ${labels_file}
            "if(${name}_TESTS)\n"
            "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${ARG_LABELS}\")\n"
            "endif()\n")
        set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${labels_file})
    endif()
endfunction()
