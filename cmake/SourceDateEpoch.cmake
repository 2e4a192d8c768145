# VOSTREL_SOURCE_DATE_EPOCH: the one date every time stamp of a build takes, so that
# two builds of one commit give the same bytes however long ago each was checked out.
# SOURCE_DATE_EPOCH from the environment when set (as a packager's tools set it), else
# the last commit's time, else, in a source tree without its Git history (an unpacked
# tarball), the date of the newest entry of the Debian changelog.
set(VOSTREL_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
set(_vostrel_date_from "SOURCE_DATE_EPOCH")

if(VOSTREL_SOURCE_DATE_EPOCH STREQUAL "" AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
            WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
            OUTPUT_VARIABLE VOSTREL_SOURCE_DATE_EPOCH
            OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        set(_vostrel_date_from "the last commit")
    endif()
endif()

if(VOSTREL_SOURCE_DATE_EPOCH STREQUAL "")
    set(_vostrel_changelog "${PROJECT_SOURCE_DIR}/packaging/changelog")
    file(STRINGS "${_vostrel_changelog}" _vostrel_trailer REGEX "^ -- .*>  " LIMIT_COUNT 1)
    string(REGEX REPLACE "^ -- .*>  " "" _vostrel_date "${_vostrel_trailer}")
    execute_process(COMMAND date -u -d "${_vostrel_date}" +%s
        OUTPUT_VARIABLE VOSTREL_SOURCE_DATE_EPOCH
        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    set(_vostrel_date_from "${_vostrel_changelog}")
endif()

if(NOT VOSTREL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "No build date from ${_vostrel_date_from}: found "
        "'${VOSTREL_SOURCE_DATE_EPOCH}' where seconds since 1970 were expected.")
endif()
message(STATUS "Build date: ${VOSTREL_SOURCE_DATE_EPOCH} (from ${_vostrel_date_from})")
