# What every Windows program of the project carries: a manifest, the
# program's icon and a German version resource from one resource script, the mark that it is
# aware of terminal servers (so a Remote Desktop session host does not
# redirect its INI files, registry and Windows folder to per-user copies),
# Windows 10 as its subsystem version, and the linker's own manifest off,
# since the resource script brings it.
#
# lagewandler_windows_program(TARGET DESCRIPTION text MANIFEST template)
#   TARGET       the program (its file name is TARGET.exe)
#   DESCRIPTION  the version resource's file description
#   MANIFEST     the manifest template, filled in with CMake's @ variables
# Also makes the interface target TARGET_resources, which tests link to run
# with the program's manifest in effect.
function(lagewandler_windows_program target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION;MANIFEST" "")
    set(LAGEWANDLER_PROGRAM ${target})
    set(LAGEWANDLER_PROGRAM_DESCRIPTION ${arg_DESCRIPTION})
    set(LAGEWANDLER_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    configure_file(${arg_MANIFEST} ${LAGEWANDLER_MANIFEST} @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/windows-program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)

    # The script includes the manifest by name: a changed manifest must
    # compile it again.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES
        OBJECT_DEPENDS "${LAGEWANDLER_MANIFEST};${LAGEWANDLER_ICON_ICO}")
    add_dependencies(${target} lagewandler_icon)
    add_library(${target}_resources INTERFACE)
    target_sources(${target}_resources INTERFACE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    if(MSVC)
        target_link_options(${target}_resources INTERFACE /MANIFEST:NO)
    endif()
    target_link_libraries(${target} PRIVATE ${target}_resources)
    # Windows 10 (1607) is the oldest the window runs on; the headers say so.
    if(MINGW)
        # An optimised build ships without symbols.
        # No link time in the header: a rebuild gives the same bytes.
        target_link_options(${target} PRIVATE -Wl,--tsaware -Wl,--no-insert-timestamp
            -Wl,--major-subsystem-version,10,--minor-subsystem-version,0
            -Wl,--major-os-version,10,--minor-os-version,0 $<$<CONFIG:Release>:-s>)
    else()
        target_link_options(${target} PRIVATE /TSAWARE
            /SUBSYSTEM:$<IF:$<BOOL:$<TARGET_PROPERTY:WIN32_EXECUTABLE>>,WINDOWS,CONSOLE>,10.00)
    endif()
endfunction()
