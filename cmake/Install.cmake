# cmake --install: the programs in bin/, Panelink's desktop entry and its icons in share/.
include(GNUInstallDirs)

set(panelink_installed_programs orvik-sim)
if(TARGET panelink)
    list(APPEND panelink_installed_programs panelink)
endif()
if(TARGET keyweld)
    list(APPEND panelink_installed_programs keyweld)
endif()
install(TARGETS ${panelink_installed_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TARGET panelink)
    install(FILES ${PROJECT_SOURCE_DIR}/panelink/resources/desktop/panelink.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    # Drawn by panelink-artwork at build time (panelink/resources).
    install(DIRECTORY ${PROJECT_BINARY_DIR}/panelink/resources/icons/
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
            FILES_MATCHING PATTERN "*.png")
endif()

# The install tree, put into a scratch folder with DESTDIR: the programs, the desktop entry
# (checked by desktop-file-validate) and every icon size.
add_test(NAME Install.PutsTheProgramsTheDesktopEntryAndTheIconsIntoThePrefix
         COMMAND ${CMAKE_COMMAND}
                 -DBUILD_DIR=${CMAKE_BINARY_DIR}
                 -DSCRATCH=${CMAKE_BINARY_DIR}/install-test
                 -DEXPECT_PANELINK=$<TARGET_EXISTS:panelink>
                 -DEXPECT_KEYWELD=$<TARGET_EXISTS:keyweld>
                 -P ${PROJECT_SOURCE_DIR}/cmake/InstallTreeTest.cmake)
set_tests_properties(Install.PutsTheProgramsTheDesktopEntryAndTheIconsIntoThePrefix
                     PROPERTIES LABELS install TIMEOUT 120)
