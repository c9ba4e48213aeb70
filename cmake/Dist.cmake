# Builds every release artifact of this commit into OUT, with a SHA256SUMS file: the .debs for
# amd64, arm64 and armhf, the Windows installer and zip, and the browser site and the SCORM
# packages as zips (left out where the configure step found no Emscripten). Each comes from the preset of its own
# name, configured in WORK without tests. The builds are reproducible: the time stamps are the last commit's.
# Usage: cmake -DSOURCE_DIR=... -DWORK=... -DOUT=... -DVERSION=... [-DWEB_ZIP=name] -P Dist.cmake

if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${SOURCE_DIR}
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT epoch)
        message(FATAL_ERROR "No SOURCE_DATE_EPOCH and no git history to take it from")
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()

function(run)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "failed: ${ARGN}")
    endif()
endfunction()

file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
foreach(preset IN ITEMS package arm64 armhf windows)
    set(build ${WORK}/${preset})
    run(${CMAKE_COMMAND} --preset ${preset} -B ${build} -DBUILD_TESTING=OFF)
    run(${CMAKE_COMMAND} --build ${build})
    file(REMOVE_RECURSE ${build}/packages)
    run(${CMAKE_CPACK_COMMAND} --config ${build}/CPackConfig.cmake -B ${build}/packages)
    file(GLOB made ${build}/packages/*.deb ${build}/packages/*.zip ${build}/packages/*.exe)
    file(COPY ${made} DESTINATION ${OUT})
endforeach()

# The browser site and the SCORM 1.2 packages for learning platforms (web/platform/packages.txt),
# zipped so that the same files give the same bytes; WEB_ZIP is the site's name, or empty where
# Emscripten is missing.
if(WEB_ZIP)
    set(build ${WORK}/web)
    run(${CMAKE_COMMAND} --preset web -B ${build} -DBUILD_TESTING=OFF)
    run(${CMAKE_COMMAND} --build ${build})
    include(${SOURCE_DIR}/cmake/ScormPackages.cmake)
    scorm_packages(names)
    set(zips ${WEB_ZIP} site)
    foreach(name IN LISTS names)
        scorm_zip(zip ${VERSION} ${name})
        list(APPEND zips ${zip} scorm12-${name})
    endforeach()
    while(zips)
        list(POP_FRONT zips zip folder)
        execute_process(COMMAND python3 ${SOURCE_DIR}/cmake/reproducible_zip.py
                                ${OUT}/${zip} $ENV{SOURCE_DATE_EPOCH} ${build}/${folder}
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "could not zip ${build}/${folder}")
        endif()
    endwhile()
endif()

file(GLOB artifacts RELATIVE ${OUT} ${OUT}/*)
list(SORT artifacts)
set(sums "")
foreach(name IN LISTS artifacts)
    file(SHA256 ${OUT}/${name} hash)
    string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${OUT}/SHA256SUMS "${sums}")
message(STATUS "Artifacts in ${OUT}:\n${sums}")
