# Per-generator settings: the .deb installs below /usr, the archive holds the tree as it is.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
