# Writes the site's offline worker (worker.js) from TEMPLATE: FILES becomes every file in
# SITE but the worker itself and those in NOT_CACHED, and CACHE a name made from a hash of
# their names and contents. Rewrites the worker only when that changes.
file(GLOB_RECURSE found RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM found worker.js ${NOT_CACHED})
list(FILTER found EXCLUDE REGEX "(^|/)\\.")
list(SORT found)
set(listed "")
set(summed "")
foreach(name IN LISTS found)
    file(SHA256 ${SITE}/${name} hash)
    string(APPEND summed "${hash}  ${name}\n")
    string(APPEND listed "  \"${name}\",\n")
endforeach()
string(SHA256 hash "${summed}")
string(SUBSTRING ${hash} 0 16 hash)
set(CACHE_NAME "dreisatz-${hash}")
set(FILES "${listed}")
configure_file(${TEMPLATE} ${SITE}/worker.js @ONLY)
