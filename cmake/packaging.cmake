# Installed beside the programs and their manual pages (add_calculator):
# the README and the licence, beside bin/ on Windows, with the other
# documentation elsewhere.
if(WIN32)
    install(FILES README.md LICENSE DESTINATION .)
else()
    install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/console-calculators)
endif()

# A .zip for Windows; a .tar.gz and a .deb elsewhere.
set(CPACK_PACKAGE_NAME console-calculators)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Console calculators for whole-number algebra")
set(CPACK_PACKAGE_CONTACT "Console calculators maintainers <maintainers@console-calculators.invalid>")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
# The programs are stripped when linked (add_calculator): a package holds
# the files that were tested.
if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR TGZ DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION math)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The programs write Shift_JIS; luit shows it on a UTF-8 terminal.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS luit)
    # Follows the summary in the package's description; lines of at most
    # 79 characters, an empty line between paragraphs.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Four small interactive calculators for whole-number algebra, each asking
for a few numbers at its prompts and printing one result:
  polysum     the sum of a cubic polynomial over a range of k;
  choosefrac  a binomial coefficient as an unreduced fraction;
  defint      the definite integral of a quadratic as a fraction over 6;
  parabola    the vertex, three points and the derivative of a quadratic.

They compute in signed 32-bit arithmetic that wraps around, leave fractions
for the user to reduce, and pause after the result so that it stays on the
screen. Their text is Shift_JIS with CR LF line ends, as on a Japanese
Windows console; luit shows it on a UTF-8 terminal.]])

    # What the .deb needs beyond the installed files: the changelog, and a
    # copyright file that carries the licence (generated here, in the build
    # tree), added with the compressed manual pages once the files are staged.
    file(READ ${PROJECT_SOURCE_DIR}/cmake/debian/changelog changelog)
    if(NOT changelog MATCHES "^console-calculators \\(${PROJECT_VERSION}\\) ")
        message(FATAL_ERROR "cmake/debian/changelog has no entry for version ${PROJECT_VERSION} at its top")
    endif()
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
    if(NOT licence MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.+)$")
        message(FATAL_ERROR "LICENSE: no copyright line followed by the licence's terms")
    endif()
    set(licence_holders ${CMAKE_MATCH_1})
    # The terms as a copyright file's field: each line indented by a space,
    # an empty line written as " .".
    string(STRIP "${CMAKE_MATCH_2}" licence_terms)
    string(REPLACE "\n\n" "\n.\n" licence_terms "${licence_terms}")
    string(REPLACE "\n" "\n " licence_terms " ${licence_terms}")
    set(CPACK_CALCULATORS_DEBIAN_DIR ${PROJECT_BINARY_DIR}/debian)
    configure_file(cmake/debian/copyright.in ${CPACK_CALCULATORS_DEBIAN_DIR}/copyright @ONLY)
    configure_file(cmake/debian/changelog ${CPACK_CALCULATORS_DEBIAN_DIR}/changelog COPYONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
    find_program(CPACK_CALCULATORS_GZIP gzip REQUIRED)
    set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/debian/documentation.cmake)
endif()
include(CPack)
