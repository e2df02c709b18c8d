# warden_delay_import(<dll>...): an imported library <dll>_delayed for each system library named, which
# links against it as a delay import: the library is loaded at the first call of one of its functions,
# not with the program. Wine maps every import at each start (about 5 ms a library here), and the common
# dialogs, the shell and COM serve dialogs and commands long after the first paint.
# The delay-import library is made at configure time from the toolchain's own import library, so every
# function the import library has can be called.
function(warden_delay_import)
    find_program(WARDEN_NM ${WARDEN_TRIPLET}-nm REQUIRED)
    find_program(WARDEN_DLLTOOL ${WARDEN_TRIPLET}-dlltool REQUIRED)
    set(dir ${CMAKE_BINARY_DIR}/delayimp)
    file(MAKE_DIRECTORY ${dir})
    foreach(dll IN LISTS ARGN)
        find_library(implib_${dll} NAMES lib${dll}.a REQUIRED NO_CACHE)
        set(out ${dir}/lib${dll}_delayed.a)
        if(NOT EXISTS ${out} OR ${implib_${dll}} IS_NEWER_THAN ${out})
            execute_process(COMMAND ${WARDEN_NM} -g --defined-only ${implib_${dll}}
                            OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
            # Functions are the import library's text symbols; 32-bit ones carry the C prefix "_",
            # which a definition file leaves out, and their "@n" stays for linking only (--kill-at).
            string(REGEX MATCHALL "[0-9a-f]+ T [^\n]+" functions "${symbols}")
            set(def "LIBRARY ${dll}.dll\nEXPORTS\n")
            foreach(line IN LISTS functions)
                string(REGEX REPLACE "^[0-9a-f]+ T " "" name "${line}")
                if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
                    string(REGEX REPLACE "^_" "" name "${name}")
                endif()
                string(APPEND def "${name}\n")
            endforeach()
            file(WRITE ${dir}/${dll}.def "${def}")
            set(kill)
            if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
                set(kill --kill-at)
            endif()
            execute_process(COMMAND ${WARDEN_DLLTOOL} ${kill} --def ${dir}/${dll}.def --dllname ${dll}.dll
                                    --output-delaylib ${out}
                            COMMAND_ERROR_IS_FATAL ANY)
        endif()
        add_library(${dll}_delayed STATIC IMPORTED GLOBAL)
        set_target_properties(${dll}_delayed PROPERTIES IMPORTED_LOCATION ${out})
    endforeach()
endfunction()
