# Run by CPack on the files staged for each package, before the package is
# made.  In the .deb, the documentation takes the form Debian requires: the
# manual pages and the changelog compressed with gzip -9n (no name or time
# stamp, so that the package builds the same each time), and the licence
# given in the machine-readable copyright file, which holds its full text.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()

set(root ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(doc ${root}/share/doc/${CPACK_PACKAGE_NAME})

function(compress file)
    execute_process(COMMAND ${CPACK_CALCULATORS_GZIP} -9nf ${file} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "gzip -9n ${file} failed")
    endif()
endfunction()

file(GLOB pages ${root}/share/man/man1/*.1)
foreach(page ${pages})
    compress(${page})
endforeach()

file(COPY_FILE ${CPACK_CALCULATORS_DEBIAN_DIR}/changelog ${doc}/changelog)
compress(${doc}/changelog)
file(COPY_FILE ${CPACK_CALCULATORS_DEBIAN_DIR}/copyright ${doc}/copyright)
file(REMOVE ${doc}/LICENSE)
