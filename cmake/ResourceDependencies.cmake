# windres reads the scripts that a resource script includes, and the pictures and icons they name, but
# the build learns none of them: editing config.rc or a bitmap left the old resources in every program.
# Each program's resource scripts depend on every file below its resources folder but the start
# directory's (read at run time), in every directory that compiles them.
function(warden_collect_directories dir out)
    set(found ${dir})
    get_property(children DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(child ${children})
        warden_collect_directories(${child} below)
        list(APPEND found ${below})
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

warden_collect_directories(${CMAKE_SOURCE_DIR} warden_directories)
foreach(program warden clipview records)
    file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/${program}/*)
    list(FILTER inputs EXCLUDE REGEX "/startdir/")
    file(GLOB_RECURSE scripts ${CMAKE_SOURCE_DIR}/resources/${program}/*.rc)
    set_source_files_properties(${scripts} DIRECTORY ${warden_directories} PROPERTIES OBJECT_DEPENDS "${inputs}")
endforeach()
