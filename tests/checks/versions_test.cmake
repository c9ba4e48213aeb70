# The version lives in project(VERSION); the documents that name it must say the same.
# Usage: cmake -DSOURCE_DIR=... -DVERSION=... -P versions_test.cmake
set(expected
    "docs/dreisatz.6|\"dreisatz ${VERSION}\""
    "docs/changelog|dreisatz (${VERSION})"
    "README.md|dreisatz_${VERSION}_amd64.deb")
foreach(entry IN LISTS expected)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 file)
    list(GET entry 1 text)
    file(READ ${SOURCE_DIR}/${file} content)
    string(FIND "${content}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${file} does not name version ${VERSION} as '${text}'")
    endif()
endforeach()
