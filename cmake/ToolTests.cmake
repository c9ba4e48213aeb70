# A test that needs a tool must never pass without running it. When CI runs (CI is set), a
# missing tool stops the configure step with a message that names its Debian package
# (cmake/Needs.cmake); elsewhere cmake warns with the same, and the test stays in the list and
# reports itself skipped with "SKIPPED: no <tool>".
#
# find_tool(VARIABLE tool [names...]) finds it; add_tool_test(VARIABLE tool NAME command...)
# adds the test, or the skipping stand-in under the same name.

function(find_tool variable tool)
    need_debian_package(${tool})
    find_program(${variable} NAMES ${tool} ${ARGN})
    if(NOT ${variable})
        debian_package(package ${tool})
        if(DEFINED ENV{CI})
            message(FATAL_ERROR "The tests need ${tool}, which is not installed${package}.")
        endif()
        message(WARNING "SKIPPED: no ${tool}${package}; the tests that need it will be skipped.")
    endif()
endfunction()

function(add_tool_test variable tool name)
    if(${variable})
        add_test(NAME ${name} COMMAND ${ARGN})
    else()
        add_test(NAME ${name}
            COMMAND ${PYTHON3} -c "print('SKIPPED: no ${tool}'); raise SystemExit(77)")
        set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    endif()
endfunction()
