# Installing the Linux program the freedesktop way, and packaging it as a .deb.
include(GNUInstallDirs)

set(app_id ${ZARNIK_APP_ID})
set(generated ${PROJECT_BINARY_DIR}/app)

install(TARGETS zarnik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${generated}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The hicolor theme wants PNGs. The icon is pixel art, so the larger sizes are
# whole-factor enlargements of the 32 x 32 image without smoothing.
find_program(CONVERT convert REQUIRED)
set(icon_pngs)
foreach(size 16 32 64 128)
    if(size EQUAL 16)
        set(frame "${ZARNIK_IMAGES_DIR}/AppIcon.ico[1]")
        set(scale 100%)
    else()
        set(frame "${ZARNIK_IMAGES_DIR}/AppIcon.ico[0]")
        math(EXPR percent "${size} * 100 / 32")
        set(scale ${percent}%)
    endif()
    set(png ${PROJECT_BINARY_DIR}/icons/${size}/${app_id}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}
        COMMAND ${CONVERT} ${frame} -filter point -resize ${scale} -strip PNG32:${png}
        DEPENDS ${ZARNIK_IMAGES_DIR}/AppIcon.ico VERBATIM)
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    list(APPEND icon_pngs ${png})
endforeach()
add_custom_target(desktop_icons ALL DEPENDS ${icon_pngs})

set(CPACK_PACKAGE_NAME zarnik)
set(CPACK_PACKAGE_VENDOR "Zarnik developers")
set(CPACK_PACKAGE_CONTACT "Zarnik developers <dev@zarnik.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "5 x 5 tile-turning puzzle with a Japanese interface")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic")
include(CPack)
