# Installation and packages: a .deb on Linux (executable, manual page, Debian's doc files),
# a .zip on Windows (the .exe and a README.txt with CRLF line ends).
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME dreisatz)
set(CPACK_PACKAGE_VENDOR "dreisatz developers")
set(CPACK_PACKAGE_CONTACT "dreisatz developers <dreisatz@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "practise word problems on inverse proportionality (in German)")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    install(TARGETS dreisatz RUNTIME DESTINATION .)
    configure_file(${PROJECT_SOURCE_DIR}/docs/README-windows.txt ${PROJECT_BINARY_DIR}/README.txt
                   @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME dreisatz-${PROJECT_VERSION}-windows-x86_64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
    install(TARGETS dreisatz RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    # Debian wants manual pages and changelogs compressed with gzip -9n.
    set(docs ${PROJECT_SOURCE_DIR}/docs)
    set(compressed ${PROJECT_BINARY_DIR}/dreisatz.6.gz ${PROJECT_BINARY_DIR}/changelog.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND gzip -9nc ${docs}/dreisatz.6 > ${PROJECT_BINARY_DIR}/dreisatz.6.gz
        COMMAND gzip -9nc ${docs}/changelog > ${PROJECT_BINARY_DIR}/changelog.gz
        DEPENDS ${docs}/dreisatz.6 ${docs}/changelog)
    add_custom_target(compressed_docs ALL DEPENDS ${compressed})
    install(FILES ${PROJECT_BINARY_DIR}/dreisatz.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    install(FILES ${PROJECT_BINARY_DIR}/changelog.gz ${docs}/copyright
            DESTINATION ${CMAKE_INSTALL_DOCDIR})

    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION education)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The first line of the summary above is the synopsis; this is the long description.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
        "dreisatz is a console program for learners who read German. It poses one
random word problem on inverse proportionality after another: a group of
workers finishes a job in a given time, or a group of consumers lives off a
stock for a given time, and the learner works out how long a group of
another size takes. The answers are always whole numbers.

The program judges each answer, names the right one after a mistake, and
at the end shows the score with a word of praise or a call for more
practice.")
endif()

include(CPack)
