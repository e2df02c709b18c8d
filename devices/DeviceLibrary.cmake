# device_library(<Name> SOURCES ... [LIBS ...]): a stand-in DLL <Name>.dll whose exports and
# entry-point numbers come from <Name>.def, plus an interface target <Name> that callers link.
# The import library is generated from the same .def with every entry marked NONAME, so callers
# bind by number and a vendor's library with the same numbers could be dropped in.
function(device_library name)
    cmake_parse_arguments(D "" "" "SOURCES;LIBS" ${ARGN})
    set(def ${CMAKE_CURRENT_SOURCE_DIR}/${name}.def)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
        # 64-bit Windows has one calling convention and no "@bytes" decoration.
        file(READ ${def} text)
        string(REGEX REPLACE "@[0-9]+([ \t]+@[0-9]+)" "\\1" text "${text}")
        set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}_x64.def)
        set(old "")
        if(EXISTS ${def})
            file(READ ${def} old)
        endif()
        if(NOT old STREQUAL text)
            file(WRITE ${def} "${text}")
        endif()
    endif()
    add_library(${name}_dll SHARED ${D_SOURCES} ${def})
    set_target_properties(${name}_dll PROPERTIES OUTPUT_NAME ${name} PREFIX "" IMPORT_PREFIX "lib" IMPORT_SUFFIX "_byname.a")
    target_link_options(${name}_dll PRIVATE -Wl,--kill-at)
    target_link_libraries(${name}_dll PRIVATE ${D_LIBS})
    warden_split_debug_info(${name}_dll)

    file(READ ${def} text)
    string(REGEX REPLACE "(@[0-9]+[ \t]+@[0-9]+)" "\\1 NONAME" text "${text}")
    set(ordinal_def ${CMAKE_CURRENT_BINARY_DIR}/${name}_ordinal.def)
    file(GENERATE OUTPUT ${ordinal_def} CONTENT "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    set(implib ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/lib${name}.a)
    add_custom_command(OUTPUT ${implib}
        COMMAND ${WARDEN_TRIPLET}-dlltool -k -d ${ordinal_def} -D ${name}.dll -l ${implib}
        DEPENDS ${ordinal_def} ${def}
        COMMENT "Import library ${name} (by entry-point number)")
    add_custom_target(${name}_implib DEPENDS ${implib})

    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${implib})
    add_dependencies(${name} ${name}_implib ${name}_dll)
endfunction()
