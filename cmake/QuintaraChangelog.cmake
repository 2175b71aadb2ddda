# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The changelog (debian/changelog, in Debian's format) is the one place where each
# release's version, date and notes are written. The Debian package carries it as it is; the
# AppStream metadata and the manual page take their releases and dates from it.

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

# "Mon, 07 Dec 2026 12:00:00 +0100" -> "2026-12-07"
function(quintara_iso_date out changelog_date)
    set(pattern "^[A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    if(NOT changelog_date MATCHES "${pattern}")
        message(FATAL_ERROR
            "changelog: '${changelog_date}' is not a date like 'Mon, 07 Dec 2026 12:00:00 +0100'")
    endif()
    set(day "${CMAKE_MATCH_1}")
    set(month_name "${CMAKE_MATCH_2}")
    set(year "${CMAKE_MATCH_3}")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months "${month_name}" month)
    if(month LESS 0)
        message(FATAL_ERROR "changelog: unknown month '${month_name}' in '${changelog_date}'")
    endif()
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    foreach(part IN ITEMS day month)
        string(LENGTH "${${part}}" length)
        if(length EQUAL 1)
            set(${part} "0${${part}}")
        endif()
    endforeach()
    set(${out} "${year}-${month}-${day}" PARENT_SCOPE)
endfunction()

function(quintara_xml_escape out text)
    string(REPLACE "&" "&amp;" text "${text}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Reads the changelog FILE and sets, in the caller:
#   QUINTARA_RELEASE_DATE        the latest release's date, as 2026-12-07
#   QUINTARA_APPSTREAM_RELEASES  the <release> elements of AppStream, newest first
# The latest entry must be the project's version, so that the two cannot drift apart.
function(quintara_read_changelog file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    file(READ "${file}" content)
    # Semicolons would split CMake's lists; they come back in the notes' text below.
    set(semicolon "<quintara-semicolon>")
    string(REPLACE ";" "${semicolon}" content "${content}")
    string(REPLACE "\n" ";" lines "${content}")

    set(indent "    ")
    set(releases "")
    set(latest_version "")
    set(latest_date "")
    set(version "")
    set(items "")
    set(item "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^[a-z0-9][a-z0-9.+-]* \\(([^)]+)\\) ")
            set(version "${CMAKE_MATCH_1}")
            set(items "")
            set(item "")
        elseif(line MATCHES "^  \\* (.*)$")
            if(NOT item STREQUAL "")
                list(APPEND items "${item}")
            endif()
            set(item "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^    +(.*)$" AND NOT item STREQUAL "")
            string(APPEND item " ${CMAKE_MATCH_1}")
        elseif(line MATCHES "^ -- .+>  (.+)$")
            if(version STREQUAL "")
                message(FATAL_ERROR "${file}: a trailer line without an entry: '${line}'")
            endif()
            if(NOT item STREQUAL "")
                list(APPEND items "${item}")
            endif()
            quintara_iso_date(date "${CMAKE_MATCH_1}")
            quintara_display_version(shown "${version}")
            if(latest_version STREQUAL "")
                set(latest_version "${version}")
                set(latest_date "${date}")
            endif()
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
        endif()
    endforeach()

    if(NOT latest_version STREQUAL PROJECT_VERSION)
        message(FATAL_ERROR "${file}: the latest entry is version '${latest_version}', the "
            "project's is '${PROJECT_VERSION}': add an entry for the new version.")
    endif()
    string(STRIP "${releases}" releases)
    set(QUINTARA_RELEASE_DATE "${latest_date}" PARENT_SCOPE)
    set(QUINTARA_APPSTREAM_RELEASES "${releases}" PARENT_SCOPE)
endfunction()
