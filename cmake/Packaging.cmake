# `make package` (cpack in the build directory) makes a Debian package of what
# `cmake --install` installs, under /usr: lorvanel_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lorvanel)
set(CPACK_PACKAGE_VENDOR "The Lorvanel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "analyzer of the posting logs that BBS browsers keep of their user's posts")
set(CPACK_PACKAGE_DESCRIPTION
    "Lorvanel opens the posting logs that Japanese BBS browsers (JDim among them) keep of
their user's own posts and shows a statistics report, a filter tree, a post list
with search and copy, keyword analysis and graphs. lorvanel-cli gives the same
analyses to scripts. Released under the MIT licence.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Lorvanel developers")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the report's columns line up only in this font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion")

include(CPack)
