# Installs Tavro as a Linux desktop application at the places GNUInstallDirs
# gives: the programs, the desktop entry, the icon in every size of the
# hicolor theme, the AppStream metadata and the manual pages.
# cmake/Package.cmake builds the Debian package from these rules.

include(GNUInstallDirs)

# The application's reverse-DNS id: the name of its desktop entry, its icon
# and its AppStream metadata.
set(TAVRO_APP_ID example.zelvanor.Tavro)
# The release day of PROJECT_VERSION, for the metadata's release entry and
# the manual pages.
set(TAVRO_RELEASE_DATE 2026-12-09)

set(_tavro_icon_sizes 16 24 32 48 64 128 256)
set(_tavro_man_dir ${PROJECT_BINARY_DIR}/docs/man)

# A manual page from docs/man/<name>.1.in, with the version and release
# day filled in and compressed as Debian keeps manual pages.
function(tavro_install_man_page name)
    set(page ${_tavro_man_dir}/${name}.1)
    configure_file(${PROJECT_SOURCE_DIR}/docs/man/${name}.1.in ${page} @ONLY)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND gzip -9 -n -k -f ${page}
        DEPENDS ${page}
        COMMENT "Compressing the manual page ${name}.1"
        VERBATIM)
    add_custom_target(tavro_man_${name} ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# A shared library with its public headers (under include/tavro).
function(tavro_install_library target)
    cmake_parse_arguments(ARG "" "" "HEADERS" ${ARGN})
    install(TARGETS ${target}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
    install(FILES ${ARG_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tavro)
endfunction()

# A shared-mime-info package describing a document type of the program.
function(tavro_install_mime_type xml)
    install(FILES ${xml} DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
endfunction()

install(TARGETS tavro-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
tavro_install_man_page(tavro-calc)

if(TARGET tavro)
    install(TARGETS tavro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    tavro_install_man_page(tavro)
    install(TARGETS tavro-sheet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    tavro_install_man_page(tavro-sheet)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/${TAVRO_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size IN LISTS _tavro_icon_sizes)
        install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tavro-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${TAVRO_APP_ID}.png)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tavro.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${TAVRO_APP_ID}.svg)
    configure_file(${PROJECT_SOURCE_DIR}/resources/${TAVRO_APP_ID}.metainfo.xml.in
                   ${PROJECT_BINARY_DIR}/${TAVRO_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/${TAVRO_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# libtavro for programs in any language: the shared library, its header,
# a pkg-config file and a CMake package (find_package(Tavro), Tavro::tavro).
# Both find the prefix relative to where they are installed.
if(TARGET tavro_library)
    include(CMakePackageConfigHelpers)
    set(_tavro_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Tavro)
    install(TARGETS tavro_library EXPORT TavroTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/lib/include/tavro/tavro.h
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tavro)
    install(EXPORT TavroTargets NAMESPACE Tavro:: DESTINATION ${_tavro_cmake_dir})
    configure_file(${PROJECT_SOURCE_DIR}/lib/TavroConfig.cmake.in
                   ${PROJECT_BINARY_DIR}/lib/TavroConfig.cmake COPYONLY)
    write_basic_package_version_file(${PROJECT_BINARY_DIR}/lib/TavroConfigVersion.cmake
        VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
    install(FILES ${PROJECT_BINARY_DIR}/lib/TavroConfig.cmake
                  ${PROJECT_BINARY_DIR}/lib/TavroConfigVersion.cmake
            DESTINATION ${_tavro_cmake_dir})
    file(RELATIVE_PATH TAVRO_PC_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
    configure_file(${PROJECT_SOURCE_DIR}/lib/tavro.pc.in ${PROJECT_BINARY_DIR}/lib/tavro.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/lib/tavro.pc
            DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

# The selection documents' MIME type joins here once they exist:
#   tavro_install_mime_type(<file.xml>)
