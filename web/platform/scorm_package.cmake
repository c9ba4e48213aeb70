# The trainer as a SCORM 1.2 package for learning platforms, made in the folder OUT from the
# site: the trainer's page without what only the site needs (the web app manifest, the icons,
# the worksheet), its script, style and program, the licence, and imsmanifest.xml, which lists
# every file and hands the platform the round as launch data. A platform always serves
# the package over http, so the copy of the program for file:// stays out, and without the web
# app manifest the page asks for no offline worker in the platform's origin (offline.js).
# Usage: cmake -DSITE=... -DOUT=... -DNAME=... -DLAUNCH=... -DTITLE=... -DVERSION=...
#              -DTEMPLATE=imsmanifest.xml.in -P scorm_package.cmake

set(files trainer.css trainer.js dreisatz.js dreisatz.wasm LICENSE.txt)
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
foreach(name IN LISTS files)
    file(COPY_FILE ${SITE}/${name} ${OUT}/${name})
endforeach()

# Each line for the site alone must be found, so that a changed page cannot bring a file the
# package lacks.
file(READ ${SITE}/index.html page)
foreach(line IN ITEMS "<link rel=\"icon\"[^\n]*\n" "<link rel=\"apple-touch-icon\"[^\n]*\n"
                      "<link rel=\"manifest\"[^\n]*\n" "<li><a href=\"arbeitsblatt.html\"[^\n]*\n")
    string(REGEX MATCH "${line}" found "${page}")
    if(NOT found)
        message(FATAL_ERROR "index.html has no line that matches ${line}")
    endif()
    string(REPLACE "${found}" "" page "${page}")
endforeach()
file(WRITE ${OUT}/index.html "${page}")

list(APPEND files index.html)
list(SORT files)
set(FILES "")
foreach(name IN LISTS files)
    string(APPEND FILES "      <file href=\"${name}\"/>\n")
endforeach()
# The package of 10 keeps the identifier it had when it was the only one.
if(NAME MATCHES "^[0-9]+$")
    set(IDENTIFIER anzahl-${NAME})
else()
    set(IDENTIFIER ${NAME})
endif()
string(REPLACE "&" "&amp;" LAUNCH "${LAUNCH}")
configure_file(${TEMPLATE} ${OUT}/imsmanifest.xml @ONLY)
