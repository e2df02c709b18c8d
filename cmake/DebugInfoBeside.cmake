# A program keeps its debugging information beside it (<file>.debug, found through the program's debug
# link) rather than inside: Wine reads a program's whole file when it starts it, and the station's
# debugging information is many times its code, which an operator would wait for at every start.
function(warden_debug_info_beside target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${WARDEN_TRIPLET}-objcopy --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
        COMMAND ${WARDEN_TRIPLET}-objcopy --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
                $<TARGET_FILE:${target}>
        VERBATIM)
endfunction()
