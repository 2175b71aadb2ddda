# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Run with cmake -P: fails unless each library's includes of project folders are exactly the
# folders whose libraries it links. A folder a library includes but does not link would link all
# the same wherever a program brings that library along; one it links but never includes is a
# dependency it does not have.
#
# -D MANIFEST=FILE: one line a library, "name folder linked-libraries... - header-only-folders...",
# folders relative to -D SOURCE_DIR=DIR. -D STAMP=FILE is written when the check passes.

cmake_minimum_required(VERSION 3.25)

file(STRINGS "${MANIFEST}" entries)
set(lines "")
foreach(entry IN LISTS entries)
    string(REPLACE " " "," entry "${entry}")
    list(APPEND lines "${entry}")
endforeach()
set(folders "")
foreach(entry IN LISTS lines)
    string(REPLACE "," ";" line "${entry}")
    list(GET line 0 name)
    list(GET line 1 folder)
    set(folder_of_${name} "${folder}")
    set(library_of_${folder} "${name}")
    list(APPEND folders "${folder}")
endforeach()

set(faults "")
foreach(entry IN LISTS lines)
    string(REPLACE "," ";" line "${entry}")
    list(GET line 0 name)
    list(GET line 1 folder)
    list(SUBLIST line 2 -1 rest)
    list(FIND rest "-" separator)
    list(SUBLIST rest 0 ${separator} linked_libraries)
    math(EXPR after "${separator} + 1")
    set(header_only "")
    list(LENGTH rest count)
    if(after LESS count)
        list(SUBLIST rest ${after} -1 header_only)
    endif()

    set(linked "")
    foreach(library IN LISTS linked_libraries)
        if(DEFINED folder_of_${library})
            list(APPEND linked "${folder_of_${library}}")
        endif()
    endforeach()

    # The library's own files: those of its folder, not of a folder below that is a library of
    # its own.
    file(GLOB files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    set(included "")
    foreach(source IN LISTS files)
        file(STRINGS "${source}" includes REGEX "^#include \"[a-z_/]+\\.h\"")
        foreach(include IN LISTS includes)
            string(REGEX REPLACE "^#include \"([a-z_/]+)/[a-z_]+\\.h\"$" "\\1" path "${include}")
            # The longest project folder the path lies in: platform/qt before platform.
            set(found "")
            foreach(candidate IN LISTS folders)
                string(LENGTH "${candidate}" length)
                string(LENGTH "${found}" found_length)
                if((path STREQUAL candidate OR path MATCHES "^${candidate}/") AND
                   length GREATER found_length)
                    set(found "${candidate}")
                endif()
            endforeach()
            if(found AND NOT found STREQUAL folder)
                list(APPEND included "${found}")
            endif()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES included)

    foreach(used IN LISTS included)
        if(NOT used IN_LIST linked AND NOT used IN_LIST header_only)
            string(APPEND faults "\n  ${name} includes ${used}/ but does not link "
                                 "${library_of_${used}}")
        endif()
    endforeach()
    foreach(dependency IN LISTS linked)
        if(NOT dependency IN_LIST included)
            string(APPEND faults "\n  ${name} links ${library_of_${dependency}} but includes "
                                 "nothing of ${dependency}/")
        endif()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "A library's includes are not the folders it links:${faults}")
endif()
file(WRITE "${STAMP}" "")
