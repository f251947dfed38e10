# Installs the build into a prefix of its own and runs the installed programs from there, as a
# user of a package or of `cmake --install build --prefix P` would:
#   cmake -DBUILD_DIR=... -DPREFIX=... -P InstallTest.cmake
# The desktop program's self-test must find its data relative to itself and fill the user's
# keyword folder at its first start.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(status)
    message(FATAL_ERROR "cmake --install failed (${status}): ${err}")
endif()

function(run_installed)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err WORKING_DIRECTORY "${PREFIX}/home")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}: exit status ${status}\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

# A home of its own; the data directories of the machine are out of reach.
set(home "${PREFIX}/home")
file(MAKE_DIRECTORY "${home}")
set(ENV{HOME} "${home}")
set(ENV{XDG_CONFIG_HOME} "${home}/.config")
set(ENV{XDG_DATA_HOME} "${home}/.local/share")
set(ENV{XDG_CACHE_HOME} "${home}/.cache")
set(ENV{XDG_DATA_DIRS} "${home}/no-such-dir")
set(ENV{QT_QPA_PLATFORM} offscreen)
set(demo "${PREFIX}/share/lorvanel/demo-jane.txt")

run_installed("${PREFIX}/bin/lorvanel-cli" --version)
if(NOT out MATCHES "^lorvanel-cli [0-9]+[.][0-9]+[.][0-9]+\n$")
    message(FATAL_ERROR "installed lorvanel-cli --version printed '${out}'")
endif()
run_installed("${PREFIX}/bin/lorvanel-cli" report "${demo}")

if(EXISTS "${PREFIX}/bin/lorvanel")
    run_installed("${PREFIX}/bin/lorvanel" --self-test "${demo}")
    file(GLOB copied "${home}/.local/share/lorvanel/keywords/*.txt")
    file(GLOB bundled "${PREFIX}/share/lorvanel/keywords/*.txt")
    list(LENGTH copied copied_count)
    list(LENGTH bundled bundled_count)
    if(bundled_count EQUAL 0 OR NOT copied_count EQUAL bundled_count)
        message(FATAL_ERROR "the first start copied ${copied_count} of ${bundled_count} "
                            "keyword files into ${home}/.local/share/lorvanel/keywords")
    endif()
endif()
