# cmake --install <build> --prefix <p>: the editor in bin/, the transfer tool that only the
# editor starts in libexec/veltra/, the shipped language files and tables in share/veltra/, a
# desktop entry and its icon where desktops look. Nothing the programs write is installed: that
# lives in each user's own folder (see common/ProgramFolder.h). The programs find the rest from
# their own executable, so the prefix can be chosen at install time.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
install(TARGETS Veltra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS transmit RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/veltra)
install(DIRECTORY ${VELTRA_APP_DIR}/Language ${VELTRA_APP_DIR}/resource DESTINATION ${CMAKE_INSTALL_DATADIR}/veltra
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# The menu entry names the editor by its full path in the prefix given at install time, so it
# starts whether or not that bin/ is on the user's PATH.
install(CODE "
  set(VELTRA_EDITOR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/Veltra\")
  set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/veltra.desktop\")
  message(STATUS \"Installing: \${entry}\")
  configure_file(\"${CMAKE_SOURCE_DIR}/data/desktop/veltra.desktop\" \"\${entry}\" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${entry}\")")
install(FILES ${VELTRA_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
