# The folder a Windows PC runs the programs from: build/dist/<architecture>/, made by the "dist" target.
# It holds the programs, the device libraries, the start directory the station reads (its layout file, skin
# pictures, map pictures and splash picture; no demonstration data), the English resource libraries in lang/
# and a note on how to start. The runtime is linked statically, so nothing else needs installing.
set(WARDEN_DIST_DIR ${CMAKE_BINARY_DIR}/dist/${CMAKE_SYSTEM_PROCESSOR} CACHE PATH "Where the dist target lays out the programs")

set(dist_programs Warden Clipview Pellinor Conduit_dll Portwick_dll Ferret_dll Framewell_dll Depotix_dll)
set(dist_languages en_resource ClipviewEn)
set(dist_commands
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${WARDEN_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${WARDEN_DIST_DIR}/lang
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/resources/warden/startdir ${WARDEN_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/dist/README.txt ${WARDEN_DIST_DIR})
# The build keeps its debugging information for the developers; the copies a PC gets go without it, and
# without a link to it.
foreach(target ${dist_programs})
    list(APPEND dist_commands COMMAND ${WARDEN_TRIPLET}-strip --strip-debug --remove-section=.gnu_debuglink
                              -o ${WARDEN_DIST_DIR}/$<TARGET_FILE_NAME:${target}> $<TARGET_FILE:${target}>)
endforeach()
foreach(target ${dist_languages})
    list(APPEND dist_commands COMMAND ${WARDEN_TRIPLET}-strip --strip-debug -o
                              ${WARDEN_DIST_DIR}/lang/$<TARGET_FILE_NAME:${target}> $<TARGET_FILE:${target}>)
endforeach()
add_custom_target(dist ${dist_commands}
    DEPENDS ${dist_programs} ${dist_languages}
    COMMENT "Laying out ${WARDEN_DIST_DIR}"
    VERBATIM)
