# The Debian packages are compiled and linked with the distribution's hardening, as
# dpkg-buildflags gives it to every package of the release that builds them: _FORTIFY_SOURCE,
# the stack protector, format-string errors, and a read-only relocation table bound at start-up
# (relro, now). Debian's compiler makes position-independent executables by default, and Qt's
# targets ask for position-independent code as well, so PIE needs no flag of its own here.
#
# Only the hardening and the build-path map come from dpkg-buildflags: its -O2 would come after
# the release's -O3 on the command line and win, and its -g would be thrown away when cpack
# strips the programs. The project's warnings are left as they are.
#
# Included before the targets are made, so that the flags reach every target in the tree.
find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)

function(ondulix_debian_build_flags variable kind)
    # The path map makes the file names in the programs relative to the source tree, so the
    # same commit gives the same package whichever folder it was built in.
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                "DEB_${kind}_MAINT_STRIP=-g -O2" ${DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${variable} ${flags} PARENT_SCOPE)
endfunction()

ondulix_debian_build_flags(ONDULIX_DEB_CPPFLAGS CPPFLAGS)
ondulix_debian_build_flags(ONDULIX_DEB_CXXFLAGS CXXFLAGS)
ondulix_debian_build_flags(ONDULIX_DEB_LDFLAGS LDFLAGS)
add_compile_options(${ONDULIX_DEB_CPPFLAGS} ${ONDULIX_DEB_CXXFLAGS})
add_link_options(${ONDULIX_DEB_LDFLAGS})
message(STATUS "Debian build flags: ${ONDULIX_DEB_CPPFLAGS} ${ONDULIX_DEB_CXXFLAGS}; "
               "linking: ${ONDULIX_DEB_LDFLAGS}")
