# The tools that the tests look for, the Debian packages that cmake/Needs.cmake names for them,
# and the packages that tools/install-needs installs must agree: a tool found here only because
# this machine happens to have it would be missing on a fresh one.
# Usage: cmake -DSOURCE_DIR=... -DWORK=<scratch folder> -P needs_test.cmake
cmake_minimum_required(VERSION 3.25)
include(${SOURCE_DIR}/cmake/Needs.cmake)

# Every package of the table is one that tools/install-needs knows ("package:what shows it").
file(READ ${SOURCE_DIR}/tools/install-needs installer)
string(REGEX MATCHALL "[ ('][a-z0-9][a-z0-9.+-]*:[^ )]" entries "${installer}")
set(installed "")
foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^[ (']([^:]+):.*$" "\\1" package "${entry}")
    list(APPEND installed ${package})
endforeach()
set(failures "")
foreach(pair IN LISTS DEBIAN_PACKAGES)
    string(REGEX MATCH "^([^=]+)=(.+)$" _ ${pair})
    if(NOT CMAKE_MATCH_2 IN_LIST installed)
        string(APPEND failures "\n  ${CMAKE_MATCH_1}'s package ${CMAKE_MATCH_2} is not in tools/install-needs")
    endif()
endforeach()

# find_tool in a configure of its own, as CI (CI set) and a developer (CI unset) run it:
# case | CI | tool | what it must say | whether it stops ("-" for nothing: CMake drops empty
# list items).
set(cases
    "listed and here|1|python3|-|runs"
    "listed, missing, in CI|1|dreisatz-missing-tool|The tests need dreisatz-missing-tool, which is not installed (on Debian: apt-get install dreisatz-package).|stops"
    "listed, missing, at a desk|-|dreisatz-missing-tool|SKIPPED: no dreisatz-missing-tool (on Debian: apt-get install dreisatz-package)|runs"
    "not listed, though here|-|sh|sh has no Debian package in DEBIAN_PACKAGES|stops"
    "not listed, in CI|1|sh|sh has no Debian package in DEBIAN_PACKAGES|stops")
file(MAKE_DIRECTORY ${WORK})
set(script ${WORK}/find_tool.cmake)
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 name)
    list(GET case 1 ci)
    list(GET case 2 tool)
    list(GET case 3 said)
    list(GET case 4 outcome)
    file(WRITE ${script}
        "include(${SOURCE_DIR}/cmake/Needs.cmake)\n"
        "list(APPEND DEBIAN_PACKAGES dreisatz-missing-tool=dreisatz-package)\n"
        "include(${SOURCE_DIR}/cmake/ToolTests.cmake)\n"
        "find_tool(FOUND ${tool})\n")
    if(ci STREQUAL "1")
        set(environment CI=1)
    else()
        set(environment --unset=CI)
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${CMAKE_COMMAND} -P ${script}
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    # CMake folds long messages over lines.
    string(REGEX REPLACE "[ \n]+" " " out "${out}")
    if(status EQUAL 0)
        set(got runs)
    else()
        set(got stops)
    endif()
    if(NOT got STREQUAL outcome)
        string(APPEND failures "\n  ${name}: find_tool ${got}, it should have ${outcome}: ${out}")
    endif()
    if(NOT said STREQUAL "-")
        string(FIND "${out}" "${said}" at)
        if(at EQUAL -1)
            string(APPEND failures "\n  ${name}: no '${said}' in: ${out}")
        endif()
    elseif(out MATCHES "SKIPPED|not installed")
        string(APPEND failures "\n  ${name}: a tool that is here was reported missing: ${out}")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "The tools and their packages disagree:${failures}")
endif()
