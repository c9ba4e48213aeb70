# Installation and packages. Linux: the program, its manual page, Debian's doc files, and a
# menu entry with icons and AppStream metainfo, as a .deb. Windows: the .exe with a README.txt
# and the licence, as a .zip and as an NSIS installer.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME dreisatz)
set(CPACK_PACKAGE_VENDOR "dreisatz developers")
set(CPACK_PACKAGE_CONTACT "dreisatz developers <dreisatz@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "practise word problems on inverse proportionality (in German)")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(docs ${PROJECT_SOURCE_DIR}/docs)

if(WIN32)
    install(TARGETS dreisatz RUNTIME DESTINATION .)
    configure_file(${docs}/README-windows.txt ${PROJECT_BINARY_DIR}/README.txt
                   @ONLY NEWLINE_STYLE CRLF)
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt
                   @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt
            DESTINATION .)
    find_program(MAKENSIS makensis)
    set(CPACK_GENERATOR ZIP)
    if(MAKENSIS)
        list(APPEND CPACK_GENERATOR NSIS)
    endif()
    set(CPACK_PACKAGE_FILE_NAME dreisatz-${PROJECT_VERSION}-windows-x86_64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    include(${PROJECT_SOURCE_DIR}/cmake/Installer.cmake)
else()
    install(TARGETS dreisatz RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    # Debian wants manual pages and changelogs compressed with gzip -9n.
    set(compressed ${PROJECT_BINARY_DIR}/dreisatz.6.gz ${PROJECT_BINARY_DIR}/changelog.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND gzip -9nc ${docs}/dreisatz.6 > ${PROJECT_BINARY_DIR}/dreisatz.6.gz
        COMMAND gzip -9nc ${docs}/changelog > ${PROJECT_BINARY_DIR}/changelog.gz
        DEPENDS ${docs}/dreisatz.6 ${docs}/changelog)
    add_custom_target(compressed_docs ALL DEPENDS ${compressed})
    install(FILES ${PROJECT_BINARY_DIR}/dreisatz.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    install(FILES ${PROJECT_BINARY_DIR}/changelog.gz ${docs}/copyright
            DESTINATION ${CMAKE_INSTALL_DOCDIR})

    # The menu entry opens a terminal; the closing pause keeps it open until the score is read.
    set(app_id org.example.dreisatz)
    configure_file(${docs}/${app_id}.metainfo.xml.in ${PROJECT_BINARY_DIR}/${app_id}.metainfo.xml
                   @ONLY)
    install(FILES ${docs}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_BINARY_DIR}/${app_id}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${docs}/icons/dreisatz.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
        install(FILES ${docs}/icons/dreisatz-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME dreisatz.png)
    endforeach()

    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION education)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    if(CMAKE_CROSSCOMPILING)
        # dpkg-shlibdeps knows only this machine's architecture. The program has the C++
        # runtime linked in and needs only the C library; the package test checks the version.
        set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.35)")
    else()
        set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    endif()
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
