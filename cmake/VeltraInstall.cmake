# cmake --install <build> --prefix <p> [--strip]: the editor in bin/, the transfer tool that only
# the editor starts in libexec/veltra/, the shipped language files and tables in share/veltra/, a
# desktop entry and its icon where desktops look, and share/veltra/uninstall.sh, which removes
# all of it again without the build folder. Nothing the programs write is installed: that lives
# in each user's own folder (see common/ProgramFolder.h). The programs find the rest from their
# own executable, so the prefix can be chosen at install time. Every file goes through
# file(INSTALL), so DESTDIR stages all of them and the manifest names them as in the prefix.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
install(TARGETS Veltra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS transmit RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/veltra)
install(DIRECTORY ${VELTRA_APP_DIR}/Language ${VELTRA_APP_DIR}/resource DESTINATION ${CMAKE_INSTALL_DATADIR}/veltra
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${VELTRA_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
# The menu entry names the editor by its full path in the prefix given at install time, so it
# starts whether or not that bin/ is on the user's PATH. Made in the build folder, as the
# install's manifest is.
install(CODE "
  set(VELTRA_EDITOR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/Veltra\")
  configure_file(\"${CMAKE_SOURCE_DIR}/data/desktop/veltra.desktop\" \"${CMAKE_BINARY_DIR}/install/veltra.desktop\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\" TYPE FILE
       FILES \"${CMAKE_BINARY_DIR}/install/veltra.desktop\")")
# Last: the uninstaller lists every file installed before it, and itself.
install(CODE "
  set(VELTRA_UNINSTALL_TEMPLATE \"${CMAKE_SOURCE_DIR}/cmake/uninstall.sh.in\")
  set(VELTRA_UNINSTALL_STAGE \"${CMAKE_BINARY_DIR}/install\")
  set(VELTRA_UNINSTALL_DIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/veltra\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/VeltraUninstall.cmake)
