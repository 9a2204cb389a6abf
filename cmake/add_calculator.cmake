# add_calculator(name): the program `name` from its folder: the dialogue
# `void name(console&)` in name/name.cpp as a library of its own (the tests,
# benchmarks and fuzz targets run it on an in-memory console), a main that
# runs it on the real console, and the install rules of the program and of
# its manual page, name/name.1.
include(GNUInstallDirs)

function(add_calculator name)
    add_library(${name}_dialogue STATIC ${name}/${name}.cpp)
    target_include_directories(${name}_dialogue PUBLIC ${name})
    target_link_libraries(${name}_dialogue PUBLIC console)
    target_link_libraries(${name}_dialogue PRIVATE calculators_without_cxx_runtime)

    set(dialogue ${name})
    configure_file(${PROJECT_SOURCE_DIR}/cmake/calculator_main.cpp.in ${name}/main.cpp @ONLY)
    add_executable(${name} ${CMAKE_CURRENT_BINARY_DIR}/${name}/main.cpp)
    target_link_libraries(${name} PRIVATE ${name}_dialogue calculators_without_cxx_runtime)
    # Stripped when linked, so that a package holds the very file that was
    # tested.
    target_link_options(${name} PRIVATE $<$<CONFIG:Release>:-s>)
    # build/<preset>/<name>/<name>, as the README shows.
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${name})

    install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    if(NOT WIN32)
        install(FILES ${name}/${name}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endfunction()
