# warden_split_debug_info(<target>): the target's debugging information moves into <file>.debug beside
# it, which debuggers find through the link the file keeps. Wine reads a program's whole image at every
# start, debugging information included (tens of megabytes for a program), which a start-up then waits on.
function(warden_split_debug_info target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${WARDEN_TRIPLET}-objcopy --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
        COMMAND ${WARDEN_TRIPLET}-objcopy --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
                $<TARGET_FILE:${target}>
        VERBATIM)
endfunction()
