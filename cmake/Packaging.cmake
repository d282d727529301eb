# Install rules and the Debian package. Every destination is relative to the install prefix,
# so an installed tree can be moved as a whole: the program finds its data next to itself.

include(GNUInstallDirs)

set(dravelin_name dravelin-didazi)
set(dravelin_packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS dravelin-didazi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The idle watcher is the program's own helper: `dravelin-didazi --idle` runs it.
install(TARGETS dravelin-didazi-idle RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/${dravelin_name})
install(FILES ${DRAVELIN_DATA_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/${dravelin_name})

# The rest is how a Linux desktop and Debian find and describe the program.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    return()
endif()

foreach(size ${DRAVELIN_ICON_SIZES})
    install(FILES ${DRAVELIN_ICON_DIR}/${size}x${size}/apps/${dravelin_name}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${dravelin_packaging}/${dravelin_name}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${dravelin_packaging}/io.github.dravelin_didazi.DravelinDidazi.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# XScreenSaver runs display modes from its own folder and lists them from its config folder.
file(RELATIVE_PATH hack_to_program
    ${CMAKE_INSTALL_FULL_LIBEXECDIR}/xscreensaver ${CMAKE_INSTALL_FULL_BINDIR}/${dravelin_name})
set(hack_link ${PROJECT_BINARY_DIR}/packaging/xscreensaver/${dravelin_name})
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging/xscreensaver)
file(CREATE_LINK ${hack_to_program} ${hack_link} SYMBOLIC)
install(FILES ${hack_link} DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${dravelin_packaging}/${dravelin_name}.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
# The user unit of the idle watcher, not enabled: `systemctl --user enable --now` turns it on.
install(FILES ${dravelin_packaging}/${dravelin_name}-idle.service
    DESTINATION ${CMAKE_INSTALL_PREFIX}/lib/systemd/user)

# Debian wants the manual page and the changelog compressed at the highest level, without a
# time stamp, so that the package builds the same every time.
find_program(DRAVELIN_GZIP gzip REQUIRED)
set(man_page ${PROJECT_BINARY_DIR}/packaging/${dravelin_name}.6.gz)
set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${man_page}
    COMMAND ${DRAVELIN_GZIP} -9n -c ${dravelin_packaging}/${dravelin_name}.6 > ${man_page}
    DEPENDS ${dravelin_packaging}/${dravelin_name}.6)
add_custom_command(OUTPUT ${changelog}
    COMMAND ${DRAVELIN_GZIP} -9n -c ${dravelin_packaging}/changelog > ${changelog}
    DEPENDS ${dravelin_packaging}/changelog)
add_custom_target(dravelin_packaging_files ALL DEPENDS ${man_page} ${changelog})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${dravelin_packaging}/copyright ${changelog}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${dravelin_name})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${dravelin_name})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Dravelin Didazi developers")
set(CPACK_PACKAGE_CONTACT "The Dravelin Didazi developers <maintainers@dravelin-didazi.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sea-scene screen saver with a sailing game")
set(CPACK_PACKAGE_DESCRIPTION
    "A full-screen screen saver in which a computer helmsman sails a boat round\n"
    "the buoys of a course, against wind and current, with a wind rose, the boat\n"
    "seen from astern and a clock. It is also a small sailing game: press G to\n"
    "race the course yourself. It runs on its own, from a desktop's idle action,\n"
    "or as an XScreenSaver display mode.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian files screen savers under x11; games would want the program in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found at run time through fontconfig, so no linked library names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
# Qt's Wayland platform is a plugin, loaded at run time: without it a Wayland session falls back
# to Xwayland, where the saver cannot cover every output.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
