# The Debian package: `cmake --build build --target package` gives build/tarnel_VERSION_ARCH.deb,
# holding what `cmake --install` puts under /usr, with the binaries stripped and the
# dependencies read from the libraries they link (dpkg-shlibdeps).
set(TARNEL_PACKAGE_MAINTAINER "Tarnel maintainers <maintainers@tarnel.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${TARNEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Installed to /usr with DESTDIR, so CMAKE_INSTALL_PREFIX is /usr while installing and the
# screensaver entry names /usr/libexec/xscreensaver/tarnel, not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D space screensaver: planets, moons and a sun in flight")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tarnel flies a camera on an endless random orbit through a star system:
lit, textured planets and moons, a sun with lens flares, atmospheres,
stations, flames and particle systems, with music and an on-screen clock.
.
It runs as a hack of xscreensaver (with a settings description for its
settings program), under xsecurelock's xscreensaver saver module and as a
theme of MATE's screensaver, or on its own, full screen or offscreen.
tarnel-pack lists, checks, builds and unpacks its data packages.")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens libGL.so.1 when it makes a GLX context, which the binaries do not name; Mesa's
# drivers draw offscreen and on displays without a GPU driver of their own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libgl1-mesa-dri)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | mate-screensaver | xsecurelock")
include(CPack)
