# Writes the browser edition's site folder, for a web server:
#   cmake -DPAGE=ondulix-k.html -DHEAD=site_head.html -DMANIFEST=manifest.webmanifest
#         -DICONS=DIR -DWORKER=service_worker.js -DSITE=DIR -P write_site.cmake
# SITE then holds index.html (the page, with the site's lines in its head instead of its "no
# icon" line), manifest.webmanifest, icons/ and sw.js, and nothing else.
#   cmake -DWORKER=service_worker.js -DSITE=DIR -P write_site.cmake
# writes only sw.js, for the files SITE holds: a site whose files were changed after the build
# gets the worker of a version of its own.
cmake_minimum_required(VERSION 3.25)

foreach(name WORKER SITE)
    if(NOT DEFINED ${name})
        message(FATAL_ERROR "write_site.cmake: -D${name}=... is missing")
    endif()
endforeach()

if(DEFINED PAGE)
    file(READ "${PAGE}" page)
    file(READ "${HEAD}" head)
    # The single page names no icon, so that from a server it asks for nothing; the site's page
    # names its own. The comment that says so goes with it.
    set(no_icon "<link rel=\"icon\" href=\"data:,\">\n")
    string(FIND "${page}" "${no_icon}" at)
    if(at LESS 0)
        message(FATAL_ERROR "write_site.cmake: ${PAGE} has no line ${no_icon}")
    endif()
    string(SUBSTRING "${page}" 0 ${at} before)
    string(LENGTH "${no_icon}" length)
    math(EXPR after_at "${at} + ${length}")
    string(SUBSTRING "${page}" ${after_at} -1 after)
    if(before MATCHES "-->\n$")
        string(FIND "${before}" "<!--" comment REVERSE)
        string(SUBSTRING "${before}" 0 ${comment} before)
    endif()
    file(REMOVE_RECURSE "${SITE}")
    file(WRITE "${SITE}/index.html" "${before}${head}${after}")
    file(COPY "${MANIFEST}" DESTINATION "${SITE}")
    file(GLOB icons "${ICONS}/*.png")
    file(COPY ${icons} DESTINATION "${SITE}/icons")
endif()

# Every file but the worker, with its digest; the version is the digest of that list, so a
# change to any file, or a file added or removed, is a new version.
file(GLOB_RECURSE files RELATIVE "${SITE}" "${SITE}/*")
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(SITE_FILES "")
foreach(file IN LISTS files)
    file(SHA256 "${SITE}/${file}" digest)
    string(APPEND SITE_FILES "  '${file}': '${digest}',\n")
endforeach()
string(SHA256 version "${SITE_FILES}")
string(SUBSTRING "${version}" 0 16 SITE_VERSION)
configure_file("${WORKER}" "${SITE}/sw.js" @ONLY)
