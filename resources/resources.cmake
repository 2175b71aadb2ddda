# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Pictures and pages compiled into the program, under :/quintara/. The pictures are made by
# scripts/make-resources.sh and committed; NAME@2x is the same picture twice as large, for
# screens scaled above 100 %. They go with the form controls, which every window and the band
# are drawn with, so that whatever links a window has its pictures.
#
# Included by form_controls/, where the library is made: called from any other folder, Qt adds a
# second target running rcc over the same file, and a parallel make could then compile the file
# while the other rewrites it (a program without its pictures, seen once in three builds).
set(quintara_resource_files
    button_conditions.gif
    button_conditions@2x.gif
    button_exit.gif
    button_exit@2x.gif
    button_new_series.gif
    button_new_series@2x.gif
    button_print.gif
    button_print@2x.gif
    donation.jpg
    donation@2x.jpg
    header.jpg
    icons/quintara-16.png
    icons/quintara-32.png
    icons/quintara-48.png
    icons/quintara-64.png
    icons/quintara-128.png
    icons/quintara-256.png
    information_logo.jpg
    information_warning.gif
    information_warning@2x.gif
    information_ticket.bmp
    information_ticket@2x.bmp
    web_offline.html
)
list(TRANSFORM quintara_resource_files PREPEND "${CMAKE_CURRENT_LIST_DIR}/")
qt_add_resources(quintara_form_controls quintara_resources
    PREFIX "/quintara"
    BASE "${CMAKE_CURRENT_LIST_DIR}"
    OUTPUT_TARGETS resource_targets
    FILES ${quintara_resource_files})

# rcc's output declares no Qt object: nothing for moc to read in it.
set_target_properties(${resource_targets} PROPERTIES AUTOMOC OFF)
