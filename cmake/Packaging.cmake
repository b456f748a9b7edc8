# A Debian package of the program, its sample course and its desktop integration: cpack -G DEB.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrin)
set(CPACK_PACKAGE_VENDOR "The Veltrin developers")
set(CPACK_PACKAGE_CONTACT "Veltrin developers <dev@veltrin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Guided self-development course with a personal journal")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Veltrin developers <dev@veltrin.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6, libqt6multimedia6, libqt6svg6, libqt6gui6, libqt6core6")
# The sample course needs a serif face; the program lays its texts out in DejaVu Serif.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")

include(CPack)
