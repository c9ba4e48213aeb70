# A missing tool stops the configure step, or skips its tests, with the name of the Debian
# package that brings it, not with CMake's bare "not found". tools/install-needs installs them.

# Each tool with its Debian package.
set(DEBIAN_PACKAGES
    ninja=ninja-build c++=g++ g++=g++ clang++=clang
    x86_64-w64-mingw32-g++-posix=g++-mingw-w64-x86-64-posix
    aarch64-linux-gnu-g++=g++-aarch64-linux-gnu arm-linux-gnueabihf-g++=g++-arm-linux-gnueabihf
    python3=python3 node=nodejs npm=npm em++=emscripten valgrind=valgrind wine=wine
    makensis=nsis dpkg-deb=dpkg lintian=lintian desktop-file-validate=desktop-file-utils
    appstreamcli=appstream readelf=binutils chromium=chromium firefox-esr=firefox-esr
    WebKitWebDriver=webkit2gtk-driver Xvfb=xvfb MiniBrowser=libwebkit2gtk-4.1-0
    pdftotext=poppler-utils zbarimg=zbar-tools xmllint=libxml2-utils clang-format=clang-format
    clang-tidy=clang-tidy
    groff=groff-base ld.lld=lld)

# debian_package(VARIABLE tool) sets VARIABLE to " (on Debian: apt-get install PACKAGE)", or to
# nothing for a tool not in the table, to follow "... is not installed" in a message.
function(debian_package variable tool)
    foreach(pair IN LISTS DEBIAN_PACKAGES)
        string(REGEX MATCH "^([^=]+)=(.+)$" _ ${pair})
        if(CMAKE_MATCH_1 STREQUAL tool)
            set(${variable} " (on Debian: apt-get install ${CMAKE_MATCH_2})" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${variable} "" PARENT_SCOPE)
endfunction()

# need_debian_package(tool) stops the configure step when the table lacks a tool that the tests
# look for: found here, it would be missing on a fresh machine, and nobody told which package.
function(need_debian_package tool)
    debian_package(package ${tool})
    if(NOT package)
        message(FATAL_ERROR "${tool} has no Debian package in DEBIAN_PACKAGES (cmake/Needs.cmake); "
                            "add it there and to tools/install-needs.")
    endif()
endfunction()

# need_program(VARIABLE "who" tool [names...]) finds a tool that WHO cannot do without, or
# stops the configure step.
function(need_program variable who tool)
    find_program(${variable} NAMES ${tool} ${ARGN})
    if(NOT ${variable})
        debian_package(package ${tool})
        message(FATAL_ERROR "${who} cannot do without ${tool}, which is not installed${package}.")
    endif()
endfunction()

# Called before project(), which would otherwise stop on a missing Ninja or compiler with a
# message that names no package. A toolchain file checks its own compiler.
function(need_build_tools)
    if(CMAKE_GENERATOR STREQUAL "Ninja" AND NOT CMAKE_MAKE_PROGRAM)
        need_program(NINJA_PROGRAM "The build" ninja ninja-build)
        # Set here, or a compiler missing from a toolchain file is followed by CMake's own
        # complaint that it found no Ninja.
        set(CMAKE_MAKE_PROGRAM ${NINJA_PROGRAM} CACHE FILEPATH "The build tool")
    endif()
    if(CMAKE_TOOLCHAIN_FILE)
        if(NOT EXISTS ${CMAKE_TOOLCHAIN_FILE})
            set(package "")
            if(CMAKE_TOOLCHAIN_FILE MATCHES "/emscripten/")
                set(package " (on Debian: apt-get install emscripten)")
            endif()
            message(FATAL_ERROR
                "The toolchain file ${CMAKE_TOOLCHAIN_FILE} is not installed${package}.")
        endif()
    elseif(CMAKE_CXX_COMPILER)
        need_program(CXX_PROGRAM "The build" ${CMAKE_CXX_COMPILER})
    elseif(NOT DEFINED ENV{CXX})
        # The names CMake tries first on Debian.
        need_program(CXX_PROGRAM "The build" c++ g++ clang++)
    endif()
endfunction()
