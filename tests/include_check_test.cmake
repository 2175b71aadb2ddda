# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Run with cmake -P, -D CHECK=cmake/QuintaraIncludeCheck.cmake -D WORK=an empty folder: the
# include check over a tree of two folders, `app/` and `lib/`, whose header has a digit in its
# name, each row an include, a link and whether the check passes.

cmake_minimum_required(VERSION 3.25)

file(WRITE "${WORK}/lib/windows1252.h" "#pragma once\n")
file(WRITE "${WORK}/lib/lib.cpp" "#include \"lib/windows1252.h\"\n")
# Each row: what app/app.cpp includes (or "none"), what app links (or "none"), "passes" or "fails".
set(rows
    "lib/windows1252.h|lib_target|passes"
    "lib/windows1252.h|none|fails"
    "none|lib_target|fails")
foreach(name IN LISTS rows)
    string(REPLACE "|" ";" row "${name}")
    list(GET row 0 include)
    list(GET row 1 link)
    list(GET row 2 expected)
    if(include STREQUAL "none")
        file(WRITE "${WORK}/app/app.cpp" "int main() {}\n")
    else()
        file(WRITE "${WORK}/app/app.cpp" "#include \"${include}\"\n  #  include \"quintara_version.h\"\n")
    endif()
    if(link STREQUAL "none")
        set(link "")
    endif()
    file(WRITE "${WORK}/links.cmake"
        "set(targets \"app_target;lib_target\")\n"
        "set(folder_of_app_target app)\nset(links_of_app_target \"${link}\")\n"
        "set(folder_of_lib_target lib)\nset(links_of_lib_target \"\")\n")
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -D "LINKS=${WORK}/links.cmake" -D "SOURCE_DIR=${WORK}"
            -D "STAMP=${WORK}/stamp" -P "${CHECK}"
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
    if((result EQUAL 0) STREQUAL (expected STREQUAL "passes"))
        message(STATUS "${name}: ${expected}")
    else()
        message(FATAL_ERROR "${name}: expected to be ${expected}, but:\n${error}")
    endif()
endforeach()
