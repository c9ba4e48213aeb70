# Instrumentation for the whole build, chosen by the sanitizer and fuzz presets. Every target
# gets it, so that the library that the tests and the fuzzer link is checked as well.
if(SANITIZE OR FUZZ)
    set(checks -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    if(FUZZ)
        list(APPEND checks -fsanitize=fuzzer-no-link)
    endif()
    add_compile_options(${checks})
    add_link_options(${checks})
endif()
