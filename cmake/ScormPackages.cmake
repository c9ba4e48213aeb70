# The names of the SCORM packages that web/platform/packages.txt lists, and each one's zip in the
# release: dreisatz-VERSION-scorm12.zip for the round of 10, dreisatz-VERSION-scorm12-NAME.zip
# for the others.
set(scorm_package_list ${CMAKE_CURRENT_LIST_DIR}/../web/platform/packages.txt)

function(scorm_packages variable)
    file(STRINGS ${scorm_package_list} lines REGEX "^[^#]")
    set(names "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "\\|.*" "" name "${line}")
        list(APPEND names ${name})
    endforeach()
    set(${variable} ${names} PARENT_SCOPE)
endfunction()

function(scorm_zip variable version name)
    if(name STREQUAL "10")
        set(${variable} dreisatz-${version}-scorm12.zip PARENT_SCOPE)
    else()
        set(${variable} dreisatz-${version}-scorm12-${name}.zip PARENT_SCOPE)
    endif()
endfunction()
