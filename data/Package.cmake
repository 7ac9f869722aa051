# The Debian package (`make package`, or cpack in the build folder). The
# dependencies on Qt's and ICU's libraries come from dpkg-shlibdeps, which
# reads the libraries the program links; what it loads at run time is named
# here. No maintainer scripts: dpkg's file triggers of the icon theme and of
# desktop-file-utils refresh the icon and menu caches.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ravelin)
set(CPACK_PACKAGE_VENDOR "The Ravelin developers")
set(CPACK_PACKAGE_CONTACT "The Ravelin developers <ravelin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue and launcher for DOS applications in DOSBox")
set(CPACK_PACKAGE_DESCRIPTION
  "Ravelin keeps a catalogue of DOS applications - games and programs installed
in ordinary folders - and starts each of them in DOSBox or DOSBox Staging
with the drives, CD medium, speed, memory, mixer, keyboard layout and DOS
commands stored for it. It shows the applications as icons on category tabs,
shows their manuals, converts text files to DOS code pages, puts desktop
shortcuts to them into the menu and speaks English, German and French.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${RAVELIN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system plugins and the SVG icon engine are plugins, which
# dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
# The emulator it drives; Qt's own dialogs in the user's language; the icon
# theme standing in for icons the desktop's theme lacks; the desktop's
# default programs (text editor, browser for the user guide).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "dosbox, qt6-translations-l10n, adwaita-icon-theme, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
