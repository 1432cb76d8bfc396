# The installed layout and the Debian package.
#
#   bin/ornivo, bin/ornivo-cli
#   share/ornivo/Data, share/ornivo/XLTemplates, share/ornivo/Manual   (the shipped files)
#   share/applications/ornivo.desktop, share/icons/hicolor/scalable/apps/ornivo.svg,
#   share/metainfo/org.ornivo.Ornivo.metainfo.xml
#   share/doc/ornivo/copyright, share/man/man1/ornivo.1.gz, share/man/man1/ornivo-cli.1.gz
#
# The programs look for Data/ beside themselves (the build tree, build/bin/Data) and else in
# ../share/ornivo (platform/Folders.cpp), so the shipped files must stay one level below the data
# folder, seen from the programs' folder: keep bin and share as the install folders' names.
include(GNUInstallDirs)

if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
  message(WARNING "The programs find their shipped files only in bin/../share/ornivo: "
                  "CMAKE_INSTALL_BINDIR=${CMAKE_INSTALL_BINDIR} and CMAKE_INSTALL_DATADIR="
                  "${CMAKE_INSTALL_DATADIR} need ORNIVO_PROGRAM_DIR set when the programs run.")
endif()

set(ORNIVO_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/ornivo)
set(ORNIVO_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)

install(TARGETS ornivo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET ornivo-desktop)
  install(TARGETS ornivo-desktop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The shipped files are built into the programs' folder of the build tree; the manual may be absent.
install(DIRECTORY ${ORNIVO_RUNTIME_DIR}/Data ${ORNIVO_RUNTIME_DIR}/XLTemplates DESTINATION ${ORNIVO_SHARE_DIR})
install(DIRECTORY ${ORNIVO_RUNTIME_DIR}/Manual DESTINATION ${ORNIVO_SHARE_DIR} OPTIONAL)
# The example GPS track with its sites, raw fixes and credit.
install(DIRECTORY ${ORNIVO_RUNTIME_DIR}/Tracks DESTINATION ${ORNIVO_SHARE_DIR})

# Desktop integration: menu entry, icon and the software-centre description.
configure_file(${ORNIVO_PACKAGING_DIR}/org.ornivo.Ornivo.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/org.ornivo.Ornivo.metainfo.xml @ONLY)
if(TARGET ornivo-desktop)
  install(FILES ${ORNIVO_PACKAGING_DIR}/ornivo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${ORNIVO_PACKAGING_DIR}/ornivo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/org.ornivo.Ornivo.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Documentation as Debian has it: the machine-readable copyright file (our code and the data's
# credits) and a man page per program, compressed with gzip -9n (no name or time stamp inside).
install(FILES ${ORNIVO_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ornivo)
find_program(ORNIVO_GZIP gzip REQUIRED)
set(ORNIVO_MAN_PAGES ornivo-cli.1)
if(TARGET ornivo-desktop)
  list(APPEND ORNIVO_MAN_PAGES ornivo.1)
endif()
set(ORNIVO_MAN_GZ)
foreach(page ${ORNIVO_MAN_PAGES})
  set(gz ${CMAKE_BINARY_DIR}/packaging/man/${page}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E copy ${ORNIVO_PACKAGING_DIR}/man/${page} ${CMAKE_BINARY_DIR}/packaging/man/${page}
    COMMAND ${ORNIVO_GZIP} -9 -n -f ${CMAKE_BINARY_DIR}/packaging/man/${page}
    DEPENDS ${ORNIVO_PACKAGING_DIR}/man/${page}
    COMMENT "Compressing the man page ${page}" VERBATIM)
  list(APPEND ORNIVO_MAN_GZ ${gz})
endforeach()
add_custom_target(ornivo-man-pages ALL DEPENDS ${ORNIVO_MAN_GZ})
install(FILES ${ORNIVO_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# cpack -G DEB: one package "ornivo", its library dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME ornivo)
set(CPACK_PACKAGE_VENDOR "The Ornivo developers")
set(CPACK_PACKAGE_CONTACT "The Ornivo developers <feedback@ornivo.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Calculator of bird flight performance")
set(CPACK_PACKAGE_DESCRIPTION
    "Ornivo calculates the power curve of flapping flight, the glide polar and migration flights\n"
    "(programmed, or along a GPS track with stopovers) of a bird from its mass and wing\n"
    "measurements. It has a desktop program (ornivo) and a command-line program (ornivo-cli)\n"
    "for scripted and batch runs.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://ornivo.org")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Release builds (scripts/package-check.sh makes one) with the programs stripped of their symbols.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The desktop program's serif face stands in for Times New Roman in printed pages and workbooks.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, python3-numpy, python3-pandas")
set(CPACK_GENERATOR DEB)
include(CPack)
