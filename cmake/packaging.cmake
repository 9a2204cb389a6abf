# Installed beside the programs (see add_calculator): the README beside bin/ on
# Windows and with the other documentation elsewhere.
if(WIN32)
    install(FILES README.md DESTINATION .)
else()
    install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/console-calculators)
endif()

# A .zip for Windows; a .tar.gz and a .deb elsewhere.
set(CPACK_PACKAGE_NAME console-calculators)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Console calculators for whole-number algebra")
set(CPACK_PACKAGE_CONTACT "Console calculators maintainers <maintainers@console-calculators.invalid>")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR TGZ DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION math)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
