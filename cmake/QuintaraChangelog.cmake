# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The program's news (NEWS, at the top of the sources) is the one place where each release's
# version, date and notes are written; the AppStream metadata and the manual page take their
# releases and dates from it. Debian's changelog is the package's own and is not read here: its
# versions (2.1.0.2-1, 2.1.0.2-1+b1) and notes belong to the package.
#
# NEWS holds the releases newest first, each a heading and its notes, one per "- " item:
#   Quintara 2.1.0.2 (2026-12-07)
#
#   - A note, continued on lines indented
#     by two blanks.

# The version as the program shows it: major, minor, revision (2.1.0.2 shows as 2.1.2); the third
# field of a four-field version is not shown.
function(quintara_display_version out version)
    string(REPLACE "." ";" fields "${version}")
    list(LENGTH fields count)
    if(count EQUAL 4)
        list(REMOVE_AT fields 2)
    endif()
    list(JOIN fields "." shown)
    set(${out} "${shown}" PARENT_SCOPE)
endfunction()

function(quintara_xml_escape out text)
    string(REPLACE "&" "&amp;" text "${text}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Reads the news FILE and sets, in the caller:
#   QUINTARA_RELEASE_DATE        the latest release's date, as 2026-12-07
#   QUINTARA_APPSTREAM_RELEASES  the <release> elements of AppStream, newest first
# The latest release must be the project's version, so that the two cannot drift apart.
function(quintara_read_news file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    file(READ "${file}" content)
    # Semicolons would split CMake's lists; they come back in the notes' text below.
    set(semicolon "<quintara-semicolon>")
    string(REPLACE ";" "${semicolon}" content "${content}")
    string(REPLACE "\n" ";" lines "${content}")
    # An empty line closes the last release.
    list(APPEND lines "")

    set(heading "^Quintara ([0-9.]+) \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)$")
    set(indent "    ")
    set(releases "")
    set(latest_version "")
    set(latest_date "")
    set(version "")
    set(items "")
    set(item "")
    foreach(line IN LISTS lines)
        if(line MATCHES "${heading}")
            if(NOT version STREQUAL "")
                message(FATAL_ERROR "${file}: release ${version} has no notes")
            endif()
            set(version "${CMAKE_MATCH_1}")
            set(date "${CMAKE_MATCH_2}")
            if(latest_version STREQUAL "")
                set(latest_version "${version}")
                set(latest_date "${date}")
            endif()
        elseif(line MATCHES "^- (.*)$" AND NOT version STREQUAL "")
            if(NOT item STREQUAL "")
                list(APPEND items "${item}")
            endif()
            set(item "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^  +(.*)$" AND NOT item STREQUAL "")
            string(APPEND item " ${CMAKE_MATCH_1}")
        elseif(line STREQUAL "" AND NOT item STREQUAL "")
            list(APPEND items "${item}")
            quintara_display_version(shown "${version}")
            string(APPEND releases
                "${indent}<release version=\"${shown}\" date=\"${date}\">\n"
                "${indent}  <description>\n"
                "${indent}    <ul>\n")
            foreach(note IN LISTS items)
                string(REPLACE "${semicolon}" ";" note "${note}")
                quintara_xml_escape(note "${note}")
                string(APPEND releases "${indent}      <li>${note}</li>\n")
            endforeach()
            string(APPEND releases
                "${indent}    </ul>\n"
                "${indent}  </description>\n"
                "${indent}</release>\n")
            set(version "")
            set(items "")
            set(item "")
        elseif(NOT line STREQUAL "")
            message(FATAL_ERROR "${file}: a line that is no heading, note or its continuation: "
                "'${line}'")
        endif()
    endforeach()
    if(NOT version STREQUAL "")
        message(FATAL_ERROR "${file}: release ${version} has no notes")
    endif()

    if(NOT latest_version STREQUAL PROJECT_VERSION)
        message(FATAL_ERROR "${file}: the latest release is version '${latest_version}', the "
            "project's is '${PROJECT_VERSION}': add the new version's notes.")
    endif()
    string(STRIP "${releases}" releases)
    set(QUINTARA_RELEASE_DATE "${latest_date}" PARENT_SCOPE)
    set(QUINTARA_APPSTREAM_RELEASES "${releases}" PARENT_SCOPE)
endfunction()
