# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installing: the program, its web engine module, desktop entry, icons, manual page and AppStream
# metadata. The Debian package is made from debian/ with dpkg-buildpackage, which installs the
# same rules.
#
#   cmake --install build/release --prefix /usr/local
include(GNUInstallDirs)
include(QuintaraChangelog)

# The program's one name wherever the desktop needs one: desktop entry, icon, AppStream component.
# A reverse domain name must start with a top-level domain the desktop knows, which the maker's
# reserved .example is not: until the project has a domain of its own, the name stands on
# example.org, reserved for the same purpose (RFC 2606), as quintara.example.org reversed.
set(QUINTARA_APP_ID "org.example.quintara")
target_compile_definitions(quintara PRIVATE QUINTARA_APP_ID="${QUINTARA_APP_ID}")
quintara_display_version(QUINTARA_DISPLAY_VERSION "${PROJECT_VERSION}")
quintara_read_news("${PROJECT_SOURCE_DIR}/NEWS")

set(quintara_packaging_dir "${PROJECT_SOURCE_DIR}/packaging")

# --- Install rules ------------------------------------------------------------------------------
install(TARGETS quintara RUNTIME DESTINATION "${QUINTARA_INSTALL_PROGRAMDIR}")
if(TARGET quintara_web_engine)
    # Where the program looks for it, seen from its own folder; a shared object is not
    # executable (mode 0644).
    install(TARGETS quintara_web_engine
        LIBRARY DESTINATION "${QUINTARA_MODULE_DIR}"
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()

if(UNIX AND NOT APPLE)
    find_program(QUINTARA_GZIP gzip REQUIRED)
    set(generated "${PROJECT_BINARY_DIR}/generated")
    configure_file("${quintara_packaging_dir}/linux/${QUINTARA_APP_ID}.metainfo.xml.in"
        "${generated}/${QUINTARA_APP_ID}.metainfo.xml" @ONLY)
    configure_file("${quintara_packaging_dir}/linux/quintara.6.in" "${generated}/man/quintara.6"
        @ONLY)

    # The manual page is installed compressed, without a name or time stamp in the header, so
    # that the same sources give the same files.
    set(compressed "${generated}/man/quintara.6.gz")
    add_custom_command(OUTPUT ${compressed}
        COMMAND "${QUINTARA_GZIP}" -9nkf "${generated}/man/quintara.6"
        DEPENDS "${generated}/man/quintara.6"
        COMMENT "Compressing the manual page")
    add_custom_target(quintara_compressed_docs ALL DEPENDS ${compressed})

    install(FILES "${quintara_packaging_dir}/linux/${QUINTARA_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    foreach(size IN ITEMS 16 32 48 64 128 256)
        install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/quintara-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME "${QUINTARA_APP_ID}.png")
    endforeach()
    # Sharp in a launcher or a task switcher at any size and scale.
    install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/quintara.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${QUINTARA_APP_ID}.svg")
    install(FILES "${generated}/${QUINTARA_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    install(FILES "${generated}/man/quintara.6.gz"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")

    # Symbols bound at start-up and relocations read-only from then on, as Debian builds its
    # programs (lintian checks it).
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_link_options(quintara PRIVATE LINKER:-z,relro LINKER:-z,now)
    endif()
endif()

