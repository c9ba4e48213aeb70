# Builds the package of this build folder with CPack, unpacks it and checks what it holds.
# Linux: the .deb, checked with lintian, the desktop and AppStream validators and readelf (for
# the glibc version it asks for), and a piped session of the unpacked program. Windows: the .zip with the .exe and a README.txt with CRLF line ends.
# Usage: cmake -DBUILD_DIR=... -DKIND=deb|zip -P package_test.cmake, and for a .deb also
#        -DLINTIAN=path -DDESKTOP_FILE_VALIDATE=path -DAPPSTREAMCLI=path -DREADELF=path
#        [-DLAUNCHER="qemu-aarch64 -L /usr/aarch64-linux-gnu"] (runs the unpacked program)

set(out "${BUILD_DIR}/package-test")
file(REMOVE_RECURSE "${out}")
file(MAKE_DIRECTORY "${out}/root")
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config "${BUILD_DIR}/CPackConfig.cmake" -B "${out}"
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB package "${out}/*.${KIND}")
if(NOT status EQUAL 0 OR NOT package)
    message(FATAL_ERROR "cpack failed:\n${log}")
endif()

function(expect_file path)
    if(NOT EXISTS "${out}/root/${path}")
        message(FATAL_ERROR "${path} is not in ${package}")
    endif()
endfunction()

if(KIND STREQUAL "zip")
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${package}" WORKING_DIRECTORY "${out}/root"
                    RESULT_VARIABLE status)
    expect_file(dreisatz.exe)
    expect_file(README.txt)
    # Byte by byte: file(READ) as text would drop the carriage returns.
    file(READ "${out}/root/README.txt" readme HEX)
    string(REGEX MATCHALL ".." bytes "${readme}")
    set(previous "")
    set(lines 0)
    foreach(byte IN LISTS bytes)
        if(byte STREQUAL "0a")
            if(NOT previous STREQUAL "0d")
                message(FATAL_ERROR "README.txt has a line end without CR")
            endif()
            math(EXPR lines "${lines} + 1")
        endif()
        set(previous ${byte})
    endforeach()
    if(lines EQUAL 0)
        message(FATAL_ERROR "README.txt has no line ends")
    endif()
    return()
endif()

execute_process(COMMAND dpkg-deb -x "${package}" "${out}/root" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x failed on ${package}")
endif()
expect_file(usr/bin/dreisatz)
expect_file(usr/share/man/man6/dreisatz.6.gz)
expect_file(usr/share/doc/dreisatz/copyright)
set(app_id org.example.dreisatz)
expect_file(usr/share/applications/${app_id}.desktop)
expect_file(usr/share/metainfo/${app_id}.metainfo.xml)
expect_file(usr/share/icons/hicolor/scalable/apps/dreisatz.svg)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
    expect_file(usr/share/icons/hicolor/${size}x${size}/apps/dreisatz.png)
endforeach()

function(expect_silent)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT status EQUAL 0 OR said MATCHES "(^|\n)[EWI]: |error|warning")
        message(FATAL_ERROR "${ARGN}:\n${said}")
    endif()
endfunction()
expect_silent(${DESKTOP_FILE_VALIDATE} ${out}/root/usr/share/applications/${app_id}.desktop)
expect_silent(${APPSTREAMCLI} validate --no-net --pedantic
              ${out}/root/usr/share/metainfo/${app_id}.metainfo.xml)

# The C library version that the package asks for covers every symbol version the program uses.
execute_process(COMMAND dpkg-deb -f "${package}" Depends OUTPUT_VARIABLE depends)
execute_process(COMMAND ${READELF} -W -V "${out}/root/usr/bin/dreisatz" OUTPUT_VARIABLE versions)
string(REGEX MATCH "libc6 \\(>= ([0-9.]+)\\)" found "${depends}")
set(declared ${CMAKE_MATCH_1})
string(REGEX MATCHALL "GLIBC_[0-9.]+" needed "${versions}")
if(NOT declared OR NOT needed)
    message(FATAL_ERROR "no libc6 version in '${depends}' or none used")
endif()
foreach(version IN LISTS needed)
    string(REPLACE "GLIBC_" "" version ${version})
    if(version VERSION_GREATER declared)
        message(FATAL_ERROR "the program needs glibc ${version}, the package says ${depends}")
    endif()
endforeach()

execute_process(COMMAND "${LINTIAN}" --pedantic "${package}"
                OUTPUT_VARIABLE findings ERROR_QUIET RESULT_VARIABLE status)
if(NOT status MATCHES "^[01]$" OR findings MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian (status ${status}):\n${findings}")
endif()

set(PROGRAM "${out}/root/usr/bin/dreisatz")
include("${CMAKE_CURRENT_LIST_DIR}/../console/piped_session.cmake")
