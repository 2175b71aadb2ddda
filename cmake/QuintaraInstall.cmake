# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installing and packaging: the program, its desktop entry, icons and AppStream metadata, the
# Debian package built by CPack and, on Windows, the program's icon and version resource.
#
#   cmake --install build/release --prefix /usr/local
#   cd build/release && cpack -G DEB
include(GNUInstallDirs)

# The reverse-DNS name of the maker's site (quintara.example), used wherever the desktop needs
# one name for the program: desktop entry, icon, AppStream component.
set(QUINTARA_APP_ID "example.quintara.Quintara")
set(QUINTARA_DEVELOPER_NAME "Quintara Developer")
set(QUINTARA_MAINTAINER "Quintara Developer <dev@quintara.example>")
# The version as the program shows it: major, minor, revision (2.1.2); the third field of the
# project version is not shown.
set(QUINTARA_DISPLAY_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_TWEAK}")
set(QUINTARA_RELEASE_DATE "2026-12-07")

set(quintara_packaging_dir "${PROJECT_SOURCE_DIR}/packaging")
# Everything a user needs goes into this component; the Debian package holds nothing else.
set(QUINTARA_INSTALL_COMPONENT "quintara")

# --- Windows: icon, version resource, no console ------------------------------------------------
if(WIN32)
    # Left-pads VALUE with zeros to WIDTH digits.
    function(quintara_zero_pad out value width)
        string(LENGTH "${value}" length)
        set(padded "${value}")
        while(length LESS width)
            string(PREPEND padded "0")
            math(EXPR length "${length} + 1")
        endwhile()
        set(${out} "${padded}" PARENT_SCOPE)
    endfunction()

    string(JOIN "," QUINTARA_RC_VERSION ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR}
        ${PROJECT_VERSION_PATCH} ${PROJECT_VERSION_TWEAK})
    # The version text reads major.minor.revision with two and four digits: 2.01.0002.
    quintara_zero_pad(rc_minor "${PROJECT_VERSION_MINOR}" 2)
    quintara_zero_pad(rc_revision "${PROJECT_VERSION_TWEAK}" 4)
    set(QUINTARA_RC_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${rc_minor}.${rc_revision}")
    set(QUINTARA_ICO_FILE "${PROJECT_SOURCE_DIR}/resources/quintara.ico")

    configure_file("${quintara_packaging_dir}/windows/quintara.rc.in"
        "${PROJECT_BINARY_DIR}/generated/quintara.rc" @ONLY)
    target_sources(quintara PRIVATE "${PROJECT_BINARY_DIR}/generated/quintara.rc")
    set_property(SOURCE "${PROJECT_BINARY_DIR}/generated/quintara.rc" APPEND PROPERTY
        OBJECT_DEPENDS "${QUINTARA_ICO_FILE}")
    set_target_properties(quintara PROPERTIES WIN32_EXECUTABLE ON)
endif()

# --- Install rules ------------------------------------------------------------------------------
install(TARGETS quintara
    RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
    COMPONENT ${QUINTARA_INSTALL_COMPONENT})
if(TARGET quintara_web_engine)
    # Where the program looks for it; a shared object is not executable (mode 0644).
    install(TARGETS quintara_web_engine
        LIBRARY DESTINATION "${QUINTARA_MODULE_DIR}"
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        COMPONENT ${QUINTARA_INSTALL_COMPONENT})
endif()

if(UNIX AND NOT APPLE)
    configure_file("${quintara_packaging_dir}/linux/${QUINTARA_APP_ID}.metainfo.xml.in"
        "${PROJECT_BINARY_DIR}/generated/${QUINTARA_APP_ID}.metainfo.xml" @ONLY)

    install(FILES "${quintara_packaging_dir}/linux/${QUINTARA_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications"
        COMPONENT ${QUINTARA_INSTALL_COMPONENT})
    foreach(size IN ITEMS 16 32 48 256)
        install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/quintara-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME "${QUINTARA_APP_ID}.png"
            COMPONENT ${QUINTARA_INSTALL_COMPONENT})
    endforeach()
    install(FILES "${PROJECT_BINARY_DIR}/generated/${QUINTARA_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo"
        COMPONENT ${QUINTARA_INSTALL_COMPONENT})
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

# Only the program's own component; anything else that may be installed (test or benchmark
# helpers) never reaches a package.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};${QUINTARA_INSTALL_COMPONENT};/")
set(CPACK_STRIP_FILES ON)
# Directories in the package are 0755 whatever the umask of the machine that builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUINTARA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies from the program itself (dpkg-shlibdeps, in dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows were laid out for Arial and Comic Sans MS; these fonts have the same metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-comic-neue")

if(WIN32)
    set(CPACK_GENERATOR "ZIP")
else()
    set(CPACK_GENERATOR "DEB")
endif()
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/\\\\.cache/")

include(CPack)
