# What `cmake --install` lays out and what the Debian package holds:
#   bin/                               VKX520Setup, vkx520ctl, vkx520sim
#   share/vkx520setup/                 the skin (modules.xml, pictures/) and the
#                                      language files (.lna base file, .lng)
#   share/applications, share/metainfo, share/icons/hicolor, share/mime/packages
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
install(FILES ${CMAKE_SOURCE_DIR}/dist/${VKX_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${VKX_APP_ID}.xml)
foreach(program vkx520ctl VKX520Setup)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/vkx520ctl.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program})
endforeach()

# Documentation as Debian lays it out: the licence in the machine-readable
# copyright format (made from LICENSE, so there is one text), the changelog
# and the man pages compressed with gzip -9n (no name or time stamp inside,
# so the same sources give the same package).
set(VKX_MAINTAINER "The VKX520Setup developers <maintainers@vkx520.org>")
file(READ ${CMAKE_SOURCE_DIR}/LICENSE vkx_license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" vkx_copyright_line "${vkx_license}")
set(VKX_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${vkx_license}" "Permission is hereby granted" vkx_body_start)
string(SUBSTRING "${vkx_license}" ${vkx_body_start} -1 vkx_license_body)
string(STRIP "${vkx_license_body}" vkx_license_body)
string(REPLACE "\n\n" "\n.\n" vkx_license_body "${vkx_license_body}")
string(REPLACE "\n" "\n " VKX_LICENSE_BODY " ${vkx_license_body}")
configure_file(${CMAKE_SOURCE_DIR}/dist/copyright.in ${CMAKE_BINARY_DIR}/dist/copyright @ONLY)

set(vkx_compressed)
set(vkx_man_pages)
foreach(source dist/changelog man/VKX520Setup.1 man/vkx520ctl.1 man/vkx520sim.1)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_BINARY_DIR}/dist/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/${source} > ${output}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND vkx_compressed ${output})
  if(name MATCHES "\\.1$")
    list(APPEND vkx_man_pages ${output})
  endif()
endforeach()
add_custom_target(vkx_dist_files DEPENDS ${vkx_compressed})
# Made with the programs, so that installing after building them finds it.
add_dependencies(VKX520Setup vkx_dist_files)
install(FILES ${vkx_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_BINARY_DIR}/dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vkx520setup)

# The Debian package: `cpack -G DEB` in the build folder (scripts/package).
# Its dependencies come from the libraries the programs link (dpkg-shlibdeps);
# nothing needs doing at install time (the MIME, desktop and icon caches are
# updated by their own packages' triggers). The one maintainer script, postrm,
# does nothing but keep the package listed after a remove, so that a purge
# finds it (dist/postrm says why). Description lines stay within Debian's 80
# columns.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vkx520setup)
set(CPACK_PACKAGE_VENDOR "The VKX520Setup developers")
set(CPACK_PACKAGE_CONTACT "${VKX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VKX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Setup utility for the VKX520 serial-attached device")
set(CPACK_PACKAGE_DESCRIPTION
    "VKX520Setup reads, changes and writes the configuration of a VKX520 over its\n"
    "RS-232 serial port and shows the device as a picture of its modules. The\n"
    "command-line companion vkx520ctl and the simulated device vkx520sim come\n"
    "with it.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/dist/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
