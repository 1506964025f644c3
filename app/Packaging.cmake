# Installing the Linux program the freedesktop way, and packaging it as a .deb.
include(GNUInstallDirs)

set(app_id ${ZARNIK_APP_ID})
set(generated ${PROJECT_BINARY_DIR}/app)

# Debian keeps games in /usr/games, which is on its default PATH.
install(TARGETS zarnik RUNTIME DESTINATION games)
install(FILES ${generated}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The hicolor theme wants PNGs, written from the icon the window shows.
set(icon_pngs)
foreach(size 16 32 64 128)
    set(png ${PROJECT_BINARY_DIR}/icons/${size}/${app_id}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}
        COMMAND zarnik_icon_png ${size} ${png}
        DEPENDS zarnik_icon_png VERBATIM)
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    list(APPEND icon_pngs ${png})
endforeach()
add_custom_target(desktop_icons ALL DEPENDS ${icon_pngs})

set(CPACK_PACKAGE_NAME zarnik)
set(CPACK_PACKAGE_VENDOR "Zarnik developers")
set(CPACK_PACKAGE_CONTACT "Zarnik developers <dev@zarnik.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "5 x 5 tile-turning puzzle with a Japanese interface")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_CURRENT_LIST_DIR}/description.txt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})

# The package's documents: a manual page, a machine-readable copyright file
# and a Debian changelog dated by the release, compressed as Debian asks.
file(READ ${CPACK_PACKAGE_DESCRIPTION_FILE} paragraphs)
string(STRIP "${paragraphs}" paragraphs)
string(REPLACE "\n\n" "\n.PP\n" ZARNIK_MAN_DESCRIPTION "${paragraphs}")
string(SUBSTRING ${ZARNIK_RELEASE_DATE} 0 4 ZARNIK_RELEASE_YEAR)
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -R -d ${ZARNIK_RELEASE_DATE}
                OUTPUT_VARIABLE ZARNIK_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(compressed)
foreach(doc zarnik.6 copyright changelog)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/${doc}.in ${generated}/${doc} @ONLY)
    if(NOT doc STREQUAL copyright)
        add_custom_command(OUTPUT ${generated}/${doc}.gz
            COMMAND gzip -9 -n -k -f ${generated}/${doc}
            DEPENDS ${generated}/${doc} VERBATIM)
        list(APPEND compressed ${generated}/${doc}.gz)
    endif()
endforeach()
add_custom_target(package_docs ALL DEPENDS ${compressed})
install(FILES ${generated}/zarnik.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${generated}/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program's only text is Japanese: without a Japanese font the cleared
# message is a row of boxes. Any Japanese gothic will do.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-japanese-gothic")
# On a Wayland desktop Qt needs its Wayland platform to draw the window
# itself, sharp at any scale, rather than through Xwayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
include(CPack)
