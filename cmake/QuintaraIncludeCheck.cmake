# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Each library's includes of project folders are exactly the folders whose libraries it links. A
# folder it includes but does not link would link all the same wherever a program brings that
# library along; one it links but never includes is a dependency it does not have.
#
# The top-level CMakeLists.txt calls quintara_check_includes() once every target is made: it
# writes down what each target links, and the build runs this same file as a script over that at
# every build, tests or no tests, so that a planted include fails the build at once.

if(NOT CMAKE_SCRIPT_MODE_FILE)
    function(quintara_check_includes)
        get_property(targets GLOBAL PROPERTY QUINTARA_LIBRARIES)
        # Besides the libraries: the windows' shared interfaces, the program, the engine module.
        foreach(target IN ITEMS quintara_window_services quintara quintara_web_engine)
            if(TARGET ${target})
                list(APPEND targets ${target})
            endif()
        endforeach()
        set(written "set(targets \"${targets}\")\n")
        set(sources "")
        foreach(target IN LISTS targets)
            get_target_property(directory ${target} SOURCE_DIR)
            file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${directory}")
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "INTERFACE_LIBRARY")
                get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
            else()
                get_target_property(links ${target} LINK_LIBRARIES)
            endif()
            list(FILTER links INCLUDE REGEX "^quintara_")
            # Folders a target may include without linking: the engine module sees some of the
            # program's interfaces in their headers only.
            get_target_property(headers_only ${target} QUINTARA_HEADER_ONLY_FOLDERS)
            if(NOT headers_only)
                set(headers_only "")
            endif()
            string(APPEND written
                "set(folder_of_${target} \"${folder}\")\n"
                "set(links_of_${target} \"${links}\")\n"
                "set(headers_only_of_${target} \"${headers_only}\")\n")
            file(GLOB folder_sources CONFIGURE_DEPENDS "${directory}/*.h" "${directory}/*.cpp")
            list(APPEND sources ${folder_sources})
        endforeach()
        set(links_file "${PROJECT_BINARY_DIR}/includes_and_links.cmake")
        set(stamp "${PROJECT_BINARY_DIR}/includes_and_links.stamp")
        file(CONFIGURE OUTPUT "${links_file}" CONTENT "${written}" @ONLY)
        add_custom_command(
            OUTPUT "${stamp}"
            COMMAND "${CMAKE_COMMAND}" -D "LINKS=${links_file}" -D "SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                -D "STAMP=${stamp}" -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
            DEPENDS ${sources} "${links_file}" "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
            COMMENT "Checking that each library includes exactly the folders it links")
        add_custom_target(quintara_includes_are_links ALL DEPENDS "${stamp}")
    endfunction()
    return()
endif()

# Run as a script: -D LINKS=FILE, what quintara_check_includes() wrote; -D SOURCE_DIR=DIR, the
# source root the folders are relative to; -D STAMP=FILE, written when the check passes.
cmake_minimum_required(VERSION 3.25)
include("${LINKS}")

foreach(target IN LISTS targets)
    set(target_of_${folder_of_${target}} ${target})
endforeach()

# The folders of project targets that `file` includes from, the deepest that holds each header
# (platform/qt before platform). A header of no target's folder, or of none, counts for nothing.
function(included_folders file out)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
    set(found "")
    foreach(include IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${include}")
        get_filename_component(directory "${header}" DIRECTORY)
        set(deepest "")
        foreach(target IN LISTS targets)
            set(folder "${folder_of_${target}}")
            string(LENGTH "${folder}" length)
            string(LENGTH "${deepest}" deepest_length)
            if((directory STREQUAL folder OR directory MATCHES "^${folder}/") AND
               length GREATER deepest_length)
                set(deepest "${folder}")
            endif()
        endforeach()
        if(deepest)
            list(APPEND found "${deepest}")
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(faults "")
foreach(target IN LISTS targets)
    set(folder "${folder_of_${target}}")
    set(linked "")
    foreach(library IN LISTS links_of_${target})
        if(DEFINED folder_of_${library})
            list(APPEND linked "${folder_of_${library}}")
        endif()
    endforeach()

    # The target's own files: those of its folder, not of a folder below that is a target's own.
    file(GLOB sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    set(included "")
    foreach(source IN LISTS sources)
        included_folders("${source}" folders)
        list(APPEND included ${folders})
    endforeach()
    list(REMOVE_DUPLICATES included)
    list(REMOVE_ITEM included "${folder}")

    foreach(used IN LISTS included)
        if(NOT used IN_LIST linked AND NOT used IN_LIST headers_only_of_${target})
            string(APPEND faults
                "\n  ${target} includes ${used}/ but does not link ${target_of_${used}}")
        endif()
    endforeach()
    foreach(dependency IN LISTS linked)
        if(NOT dependency IN_LIST included)
            string(APPEND faults "\n  ${target} links ${target_of_${dependency}} but includes "
                                 "nothing of ${dependency}/")
        endif()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "A library's includes are not the folders it links:${faults}")
endif()
file(WRITE "${STAMP}" "")
