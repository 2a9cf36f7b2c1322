# Installing as a desktop application. The program finds its dictionaries, templates, link file
# and settings file in its own folder, so the program and its data files go together into
# PREFIX/lib/pemrin; PREFIX/bin/pemrin is a relative symbolic link to it (the program takes its
# folder from its real path), and the desktop entry and icon go where desktops look for them.

set(PEMRIN_INSTALL_APPDIR lib/pemrin)

install(TARGETS pemrin RUNTIME DESTINATION ${PEMRIN_INSTALL_APPDIR})

file(GLOB PEMRIN_INSTALL_DATA_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
install(FILES ${PEMRIN_INSTALL_DATA_FILES} DESTINATION ${PEMRIN_INSTALL_APPDIR})

install(CODE "
  set(launcher_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(MAKE_DIRECTORY \"\${launcher_dir}\")
  file(REMOVE \"\${launcher_dir}/pemrin\")
  message(STATUS \"Installing: \${launcher_dir}/pemrin -> ../${PEMRIN_INSTALL_APPDIR}/pemrin\")
  file(CREATE_LINK \"../${PEMRIN_INSTALL_APPDIR}/pemrin\" \"\${launcher_dir}/pemrin\" SYMBOLIC)
")

install(FILES ${CMAKE_SOURCE_DIR}/desktop/pemrin.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/pemrin.svg
        DESTINATION share/icons/hicolor/scalable/apps)
