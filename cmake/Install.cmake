# What `cmake --install` puts where, and the Debian package CPack makes of it:
#   bin/varnel, bin/epatool, the sound module, epatool-core and epatool-full under lib/varnel (the editor
#   and epatool find them there from their own folder), the desktop entry, the AppStream metainfo, the logo types for
#   shared-mime-info, the icon in the hicolor theme, the man pages and epatool's bash completion.
# Debian's triggers refresh the desktop, MIME and icon caches when the package lands.
install(TARGETS varnel epatool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS varnel_sound LIBRARY DESTINATION ${VARNEL_MODULE_DIR})
install(TARGETS epatool-core epatool-full RUNTIME DESTINATION ${VARNEL_MODULE_DIR})

set(desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop}/org.varnel.Varnel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/org.varnel.Varnel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop}/varnel-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME varnel.xml)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_SOURCE_DIR}/resources/man/varnel.1 ${CMAKE_SOURCE_DIR}/resources/man/epatool.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/resources/completion/epatool
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Varnel developers <varnel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the boot logo of Award BIOS 4.5x")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Varnel draws and colours the logo Award BIOS 4.50, 4.51 and 4.51PG show at power-on\n"
       "and saves it as an EPA file. epatool encodes pictures into EPA and AWBM logos, draws\n"
       "logos as pictures and tells what a logo holds, for scripted BIOS builds.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries every program and the sound module link, as dpkg-shlibdeps finds them, and the
# face the window's font maps to: its captions and links are laid out for Liberation Sans's
# widths, and the wider DejaVu Sans, all a bare system may have, pushes the mail address past the
# window's edge.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_STRIP_FILES ON)
include(CPack)
