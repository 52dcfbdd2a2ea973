# Run at install time, after every other file is installed: writes share/veltra/uninstall.sh
# with the installed files' paths in the prefix (the manifest's, without DESTDIR).
set(files ${CMAKE_INSTALL_MANIFEST_FILES} "${VELTRA_UNINSTALL_DIR}/uninstall.sh")
list(REMOVE_DUPLICATES files)
list(JOIN files "\n" VELTRA_INSTALLED_FILES)
string(REPLACE "'" "'\\''" VELTRA_PREFIX_QUOTED "${CMAKE_INSTALL_PREFIX}")
configure_file("${VELTRA_UNINSTALL_TEMPLATE}" "${VELTRA_UNINSTALL_STAGE}/uninstall.sh" @ONLY)
file(INSTALL DESTINATION "${VELTRA_UNINSTALL_DIR}" TYPE PROGRAM FILES "${VELTRA_UNINSTALL_STAGE}/uninstall.sh")
