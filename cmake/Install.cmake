# What `cmake --install` lays out and what the Debian package holds:
#   bin/                               VKX520Setup, vkx520ctl, vkx520sim
#   share/vkx520setup/                 the skin (modules.xml, pictures/) and the
#                                      language files (.lna base file, .lng)
#   share/applications, share/metainfo, share/icons/hicolor
#   share/man/man1, share/bash-completion/completions, share/doc/vkx520setup
# The programs find the data folder relative to their own, so any prefix works.
include(GNUInstallDirs)

set(VKX_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/vkx520setup)
set(VKX_APP_ID org.vkx520.VKX520Setup)

install(TARGETS VKX520Setup vkx520ctl vkx520sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The same files the build copies beside the executables (res/CMakeLists.txt).
install(DIRECTORY ${CMAKE_SOURCE_DIR}/res/skin/ ${CMAKE_SOURCE_DIR}/res/lang/
        DESTINATION ${VKX_DATA_INSTALL_DIR})

install(FILES ${CMAKE_SOURCE_DIR}/dist/${VKX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/${VKX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/res/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_SOURCE_DIR}/man/VKX520Setup.1 ${CMAKE_SOURCE_DIR}/man/vkx520ctl.1
              ${CMAKE_SOURCE_DIR}/man/vkx520sim.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/dist/vkx520ctl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vkx520ctl)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vkx520setup)

# The Debian package: `cpack -G DEB` in the build folder (scripts/package).
# Its dependencies come from the libraries the programs link (dpkg-shlibdeps);
# nothing needs doing at install time, so there are no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vkx520setup)
set(CPACK_PACKAGE_VENDOR "The VKX520Setup developers")
set(CPACK_PACKAGE_CONTACT "The VKX520Setup developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Setup utility for the VKX520 serial-attached device")
set(CPACK_PACKAGE_DESCRIPTION
    "VKX520Setup reads, changes and writes the configuration of a VKX520 over its\n"
    "RS-232 serial port and shows the device as a picture of its modules. The\n"
    "command-line companion vkx520ctl and the simulated device vkx520sim come with it.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
