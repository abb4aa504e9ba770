# Installing zil and zil-workbench (cmake --install), and the Debian package of both (cpack -G DEB, or
# cpack --preset deb after the preset "package" was built). Man pages are made from the programs' own
# --help with help2man.
include(GNUInstallDirs)

install(TARGETS zil RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zil_gui)
  # Where zil looks for it: lib/zil beside the program's bin (apps/zil/CMakeLists.txt).
  install(TARGETS zil_gui LIBRARY DESTINATION lib/zil)
endif()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
set(zil_man_programs zil)
set(zil_man_zil "Hebrew text in CAD drawings: conversions, drawing commands and automation calls")
if(TARGET zil-workbench)
  install(TARGETS zil-workbench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES apps/workbench/zil-workbench.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES apps/workbench/zil-workbench.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  list(APPEND zil_man_programs zil-workbench)
  set(zil_man_zil-workbench "a desktop window over a DXF drawing that runs the zil add-in's commands")
endif()

find_program(ZIL_HELP2MAN help2man)
find_program(ZIL_GZIP gzip)
if(ZIL_HELP2MAN AND ZIL_GZIP)
  set(man_pages)
  foreach(program IN LISTS zil_man_programs)
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(
      OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${ZIL_HELP2MAN} --no-info --section=1 "--name=${zil_man_${program}}" --output=${page}
              $<TARGET_FILE:${program}>
      COMMAND ${ZIL_GZIP} -9nf ${page}
      DEPENDS ${program}
      COMMENT "Making the man page of ${program} from its --help"
      VERBATIM)
    list(APPEND man_pages ${page}.gz)
  endforeach()
  add_custom_target(zil_man_pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "help2man or gzip is missing: no man pages (scripts/bootstrap installs help2man)")
endif()

set(CPACK_PACKAGE_NAME zil)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hebrew text in CAD drawings: the zil command line and workbench")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "zil converts the Hebrew of DXF drawings between the five ways fonts keep it and the text a person "
       "reads, and draws it as AutoCAD does. zil is the command line; zil-workbench a desktop window that "
       "opens a drawing and runs every command of the add-in on it.")
set(CPACK_PACKAGE_CONTACT "The zil developers <zil@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The shared libraries the programs link come from dpkg-shlibdeps; what they load or draw with besides:
# Qt's platform and SVG icon plugins, the font the previews draw with, the Hebrew fonts of the dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-dejavu-core, culmus")
include(CPack)
