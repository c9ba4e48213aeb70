# Builds the package of this build folder with CPack, unpacks it and checks what it holds.
# Linux: the .deb, checked with lintian, and a piped session of the
# unpacked program. Windows: the .zip with the .exe and a README.txt with CRLF line ends.
# Usage: cmake -DBUILD_DIR=... -DKIND=deb|zip -DLINTIAN=path -P package_test.cmake

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

execute_process(COMMAND "${LINTIAN}" --pedantic "${package}"
                OUTPUT_VARIABLE findings ERROR_QUIET RESULT_VARIABLE status)
if(NOT status MATCHES "^[01]$" OR findings MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian (status ${status}):\n${findings}")
endif()

set(PROGRAM "${out}/root/usr/bin/dreisatz")
include("${CMAKE_CURRENT_LIST_DIR}/piped_session.cmake")
