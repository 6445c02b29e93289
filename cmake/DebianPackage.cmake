# `cpack -G DEB` builds quorin_<version>_amd64.deb from the install rules.
# The shared-library packages come from dpkg-shlibdeps; the rest are what Qt
# loads at run time, which no library dependency names.
set(CPACK_PACKAGE_NAME quorin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorin developers")
set(CPACK_PACKAGE_CONTACT "Quorin developers <${QUORIN_AUTHOR_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch file renamer with undo (Chinese interface)")
set(CPACK_PACKAGE_DESCRIPTION "Quorin renames, copies or moves every file of one type in a folder at once,
numbering the new names or editing the old ones, and writes its whole plan
to a rename log first so that any run can be undone. The window program
quorin has a Simplified-Chinese interface; quorin-cli drives the same
engine from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUORIN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins draw the window, the translations give Qt's buttons
# their Chinese texts, the CJK font draws the Chinese at all, and the SVG
# plugins draw the icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-noto-cjk, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion")

include(CPack)
