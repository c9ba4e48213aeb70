# The one place where warnings are chosen; every target of the project links this.
add_library(project_warnings INTERFACE)
if(MSVC)
    target_compile_options(project_warnings INTERFACE /W4)
else()
    target_compile_options(project_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
        -Wold-style-cast -Wnon-virtual-dtor -Wcast-align -Wnull-dereference
        -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
endif()
