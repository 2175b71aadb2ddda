# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installing and packaging: the program, its desktop entry, icons, manual page and AppStream
# metadata, and the Debian package built by CPack.
#
#   cmake --install build/release --prefix /usr/local
#   cd build/release && cpack -G DEB
include(GNUInstallDirs)
include(QuintaraChangelog)

# The reverse-DNS name of the maker's site (quintara.example), used wherever the desktop needs
# one name for the program: desktop entry, icon, AppStream component.
set(QUINTARA_APP_ID "example.quintara.quintara")
target_compile_definitions(quintara PRIVATE QUINTARA_APP_ID="${QUINTARA_APP_ID}")
set(QUINTARA_DEVELOPER_NAME "Quintara Developer")
set(QUINTARA_MAINTAINER "Quintara Developer <dev@quintara.example>")
quintara_display_version(QUINTARA_DISPLAY_VERSION "${PROJECT_VERSION}")
quintara_read_changelog("${PROJECT_SOURCE_DIR}/packaging/debian/changelog")

set(quintara_packaging_dir "${PROJECT_SOURCE_DIR}/packaging")
# What every installation gets: desktop entry, icons, manual page, metadata and, except in the
# Debian package, the program in bin/.
set(QUINTARA_INSTALL_COMPONENT "quintara")
set(QUINTARA_PROGRAM_COMPONENT "quintara-program")
# What only the Debian package gets, installed only when asked for by name: the program in
# games/, as Debian's games are, the copyright file, the changelog and lintian's overrides.
set(QUINTARA_DEBIAN_COMPONENT "quintara-debian")

# --- Install rules ------------------------------------------------------------------------------
install(TARGETS quintara
    RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
    COMPONENT ${QUINTARA_PROGRAM_COMPONENT})
if(TARGET quintara_web_engine)
    # Where the program looks for it, from bin/ or, in the Debian package, from games/; a shared
    # object is not executable (mode 0644).
    install(TARGETS quintara_web_engine
        LIBRARY DESTINATION "${QUINTARA_MODULE_DIR}"
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        COMPONENT ${QUINTARA_INSTALL_COMPONENT})
endif()

if(UNIX AND NOT APPLE)
    find_program(QUINTARA_GZIP gzip REQUIRED)
    set(generated "${PROJECT_BINARY_DIR}/generated")
    configure_file("${quintara_packaging_dir}/linux/${QUINTARA_APP_ID}.metainfo.xml.in"
        "${generated}/${QUINTARA_APP_ID}.metainfo.xml" @ONLY)
    configure_file("${quintara_packaging_dir}/linux/quintara.6.in" "${generated}/man/quintara.6"
        @ONLY)

    # Manual pages and changelogs are installed compressed, without a name or time stamp in the
    # header, so that the same sources give the same package.
    set(compressed "${generated}/man/quintara.6.gz" "${generated}/debian/changelog.gz")
    add_custom_command(OUTPUT ${compressed}
        COMMAND "${CMAKE_COMMAND}" -E copy "${quintara_packaging_dir}/debian/changelog"
            "${generated}/debian/changelog"
        COMMAND "${QUINTARA_GZIP}" -9nkf "${generated}/man/quintara.6"
        COMMAND "${QUINTARA_GZIP}" -9nf "${generated}/debian/changelog"
        DEPENDS "${generated}/man/quintara.6" "${quintara_packaging_dir}/debian/changelog"
        COMMENT "Compressing the manual page and the changelog")
    add_custom_target(quintara_compressed_docs ALL DEPENDS ${compressed})

    install(FILES "${quintara_packaging_dir}/linux/${QUINTARA_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications"
        COMPONENT ${QUINTARA_INSTALL_COMPONENT})
    foreach(size IN ITEMS 16 32 48 64 128 256)
        install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/quintara-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME "${QUINTARA_APP_ID}.png"
            COMPONENT ${QUINTARA_INSTALL_COMPONENT})
    endforeach()
    # Sharp in a launcher or a task switcher at any size and scale.
    install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/quintara.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${QUINTARA_APP_ID}.svg"
        COMPONENT ${QUINTARA_INSTALL_COMPONENT})
    install(FILES "${generated}/${QUINTARA_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo"
        COMPONENT ${QUINTARA_INSTALL_COMPONENT})
    install(FILES "${generated}/man/quintara.6.gz"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man6"
        COMPONENT ${QUINTARA_INSTALL_COMPONENT})

    # The Debian package's own files.
    install(TARGETS quintara
        RUNTIME DESTINATION games
        COMPONENT ${QUINTARA_DEBIAN_COMPONENT} EXCLUDE_FROM_ALL)
    # What Debian's own packages leave out of a program: the compiler's notes.
    install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
            --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/quintara\"
            COMMAND_ERROR_IS_FATAL ANY)"
        COMPONENT ${QUINTARA_DEBIAN_COMPONENT} EXCLUDE_FROM_ALL)
    if(TARGET quintara_web_engine)
        install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUINTARA_MODULE_DIR}/$<TARGET_FILE_NAME:quintara_web_engine>\"
                COMMAND_ERROR_IS_FATAL ANY)"
            COMPONENT ${QUINTARA_DEBIAN_COMPONENT} EXCLUDE_FROM_ALL)
    endif()
    install(FILES "${quintara_packaging_dir}/debian/copyright" "${generated}/debian/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/quintara"
        COMPONENT ${QUINTARA_DEBIAN_COMPONENT} EXCLUDE_FROM_ALL)
    install(FILES "${quintara_packaging_dir}/debian/quintara.lintian-overrides"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
        RENAME quintara
        COMPONENT ${QUINTARA_DEBIAN_COMPONENT} EXCLUDE_FROM_ALL)

    # Symbols bound at start-up and relocations read-only from then on, as Debian builds its
    # programs (lintian checks it).
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_link_options(quintara PRIVATE LINKER:-z,relro LINKER:-z,now)
    endif()
endif()

# --- CPack --------------------------------------------------------------------------------------
set(CPACK_PACKAGE_NAME "quintara")
set(CPACK_PACKAGE_VENDOR "${QUINTARA_DEVELOPER_NAME}")
set(CPACK_PACKAGE_CONTACT "${QUINTARA_MAINTAINER}")
# All four fields: CPack would otherwise build the version from major.minor.patch only.
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lottery number proposals (six out of ninety and Jolly)")
# Lines of the long description stay under 80 characters, as Debian asks; each "\n" ends one.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quintara proposes numbers for the lottery in which six numbers from 1 to 90\n"
    "and a Jolly number are drawn: two columns of six different numbers and a\n"
    "Jolly number per click, optionally steered by one condition (required\n"
    "numbers, a phrase to seed the draw, even or odd numbers only, or a group of\n"
    "ten). The draw rests on chance alone.\n"
    "\n"
    "The interface is in Italian.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quintara")

# Only the program's own components; anything else that may be installed (test or benchmark
# helpers) never reaches a package.
if(UNIX AND NOT APPLE)
    set(CPACK_INSTALL_CMAKE_PROJECTS
        "${PROJECT_BINARY_DIR};${PROJECT_NAME};${QUINTARA_INSTALL_COMPONENT};/"
        "${PROJECT_BINARY_DIR};${PROJECT_NAME};${QUINTARA_DEBIAN_COMPONENT};/")
else()
    set(CPACK_INSTALL_CMAKE_PROJECTS
        "${PROJECT_BINARY_DIR};${PROJECT_NAME};${QUINTARA_INSTALL_COMPONENT};/"
        "${PROJECT_BINARY_DIR};${PROJECT_NAME};${QUINTARA_PROGRAM_COMPONENT};/")
endif()
set(CPACK_STRIP_FILES ON)
# Directories in the package are 0755 whatever the umask of the machine that builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUINTARA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies from the program itself (dpkg-shlibdeps, in dpkg-dev). They bring Qt's
# plugins too: in Debian the X11 platform plugin and the GIF and JPEG readers are part of
# libqt6gui6, which depends on the xcb libraries and fontconfig, and QtWebEngineProcess comes with
# libqt6webenginewidgets6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out to the pixel for Arial and Comic Sans MS: without fonts of the same
# metrics, texts are cut off. fontconfig maps the names to them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation | fonts-liberation2 | fonts-croscore, fonts-comic-neue, fontconfig")
# Qt's own dialogs and buttons in Italian; without them they speak English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

set(CPACK_GENERATOR "DEB")
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/\\\\.cache/")

include(CPack)
