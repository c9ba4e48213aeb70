# The same commit built in another folder gives the same bytes: no build path in the objects.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                        -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
endif()
