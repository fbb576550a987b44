# Install rules and the two Debian packages (CPack's DEB generator, one package per install
# component). `bash scripts/package.sh` configures with ONDULIX_PACKAGE=ON, builds what is
# installed and runs cpack.
#
# ondulix-k holds the window and everything the desktop needs of it; ondulix-k-render holds the
# picture command alone, which links no toolkit, so a machine that only makes pictures (a
# school's server, a teacher's script) installs no Qt.
#
# Everything installed that is not a program is made here at build time from the sources:
# the icons by the window's own icon painter, the command's manual page from its --help and
# --version, so neither can drift from the program.
include(GNUInstallDirs)

find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

set(ONDULIX_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(ONDULIX_STAGE ${PROJECT_BINARY_DIR}/packaging)
set(ONDULIX_MAINTAINER "Ondulix-K developers <ondulix-k@example.org>"
    CACHE STRING "Maintainer of the Debian packages, as Name <address>")

# The install components and, in the same order, the Debian package made of each.
set(ONDULIX_COMPONENTS window render)
set(ONDULIX_PACKAGES ondulix-k ondulix-k-render)

# The sizes of the desktop's hicolor icon theme that menus, docks and launchers ask for.
set(ONDULIX_ICON_SIZES 16 24 32 48 64 128 256)

add_executable(write_window_icons ${ONDULIX_PACKAGING_SOURCE}/write_window_icons.cpp)
target_link_libraries(write_window_icons PRIVATE ondulix_app ondulix_platform_qt)

set(ONDULIX_ICONS "")
foreach(size IN LISTS ONDULIX_ICON_SIZES)
    list(APPEND ONDULIX_ICONS ${ONDULIX_STAGE}/icons/${size}x${size}/apps/ondulix-k.png)
endforeach()
add_custom_command(OUTPUT ${ONDULIX_ICONS}
    COMMAND write_window_icons ${ONDULIX_STAGE}/icons ${ONDULIX_ICON_SIZES}
    DEPENDS write_window_icons
    COMMENT "Painting the icons for the hicolor theme"
    VERBATIM)

# Dates in the manual pages and the changelog follow SOURCE_DATE_EPOCH when it is set, as
# help2man's do, so the same commit gives the same package.
string(TIMESTAMP ONDULIX_MAN_DATE "%B %Y" UTC)
string(TIMESTAMP ONDULIX_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${ONDULIX_PACKAGING_SOURCE}/ondulix-k.1.in ${ONDULIX_STAGE}/ondulix-k.1 @ONLY)
configure_file(${ONDULIX_PACKAGING_SOURCE}/changelog.in ${ONDULIX_STAGE}/changelog @ONLY)
# The AppStream release is the changelog's, on the same day.
set(ONDULIX_METAINFO org.example.ondulix_k.metainfo.xml)
string(TIMESTAMP ONDULIX_RELEASE_DATE "%Y-%m-%d" UTC)
configure_file(${ONDULIX_PACKAGING_SOURCE}/${ONDULIX_METAINFO}.in ${ONDULIX_STAGE}/${ONDULIX_METAINFO}
               @ONLY)

# The manual page is English, so help2man runs the command in an English locale (its own
# default is C, which gives the command's Japanese); the locale need not be installed.
add_custom_command(OUTPUT ${ONDULIX_STAGE}/ondulix-k-render.1
    COMMAND ${HELP2MAN} --locale=en_US.UTF-8 --no-info --no-discard-stderr
            "--name=draw the frames of an Ondulix-K set-up as a PNG picture or an animated GIF"
            --include=${ONDULIX_PACKAGING_SOURCE}/ondulix-k-render.h2m
            --output=${ONDULIX_STAGE}/ondulix-k-render.1
            $<TARGET_FILE:ondulix-k-render>
    DEPENDS ondulix-k-render ${ONDULIX_PACKAGING_SOURCE}/ondulix-k-render.h2m
    COMMENT "Making the manual page of ondulix-k-render with help2man"
    VERBATIM)

# Debian installs manual pages and changelogs compressed, without a time stamp in the gzip
# header (-n).
set(ONDULIX_COMPRESSED "")
foreach(name IN ITEMS ondulix-k.1 ondulix-k-render.1 changelog)
    add_custom_command(OUTPUT ${ONDULIX_STAGE}/${name}.gz
        COMMAND ${GZIP} -9 -n -k -f ${ONDULIX_STAGE}/${name}
        DEPENDS ${ONDULIX_STAGE}/${name}
        VERBATIM)
    list(APPEND ONDULIX_COMPRESSED ${ONDULIX_STAGE}/${name}.gz)
endforeach()

add_custom_target(ondulix_package_files ALL DEPENDS ${ONDULIX_ICONS} ${ONDULIX_COMPRESSED})

# cpack installs only what scripts/package.sh built, instead of building every test and
# benchmark first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# Directories get the usual modes whatever the umask of whoever builds the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS ondulix-k RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT window)
install(FILES ${ONDULIX_PACKAGING_SOURCE}/ondulix-k.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT window)
# The settings files' type, for file managers; dpkg's trigger of shared-mime-info adds it to
# the system's database. It names the window's icon and is opened by the window, so it goes
# with them.
install(FILES ${ONDULIX_PACKAGING_SOURCE}/ondulix-k.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages COMPONENT window)
# What software centres list the window under (AppStream).
install(FILES ${ONDULIX_STAGE}/${ONDULIX_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT window)
install(DIRECTORY ${ONDULIX_STAGE}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
        COMPONENT window)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/ondulix-k/examples COMPONENT window)
install(FILES ${ONDULIX_STAGE}/ondulix-k.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT window)

install(TARGETS ondulix-k-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT render)
install(FILES ${ONDULIX_STAGE}/ondulix-k-render.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT render)

# Debian wants the copyright and the changelog in each package's own documentation folder,
# named after the package, not the CMake project. Both packages come from one source, so they
# share the one changelog.
foreach(component package IN ZIP_LISTS ONDULIX_COMPONENTS ONDULIX_PACKAGES)
    string(TOUPPER ${component} upper_component)
    set(CPACK_DEBIAN_${upper_component}_PACKAGE_NAME ${package})
    install(FILES ${ONDULIX_STAGE}/changelog.gz ${ONDULIX_PACKAGING_SOURCE}/copyright
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${ONDULIX_COMPONENTS})
set(CPACK_PACKAGE_NAME ondulix-k)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ondulix-K developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ONDULIX_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SOURCE ondulix-k)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_WINDOW_PACKAGE_SECTION education)
set(CPACK_DEBIAN_WINDOW_DESCRIPTION
    "watch the waves of up to four point sources interfere
Ondulix-K is a desktop program for teaching wave interference. Up to four
point sources on a square medium send out circular waves; the program
animates their sum and draws the medium as a grid of particles in an oblique
3-D view, with legs, zero marks and one coloured line per source.
.
The window's text is Japanese. The package also holds sample set-ups in
/usr/share/ondulix-k/examples, and lets file managers open .okd files with
the program.")
# The libraries each program links decide its package's dependencies (dpkg-shlibdeps).
set(CPACK_DEBIAN_WINDOW_PACKAGE_SHLIBDEPS ON)
# The window's Japanese text needs a font with kana and kanji. The window's manual page points
# to the picture command for slides and web pages, and beside Qt (which brings libpng) it adds
# only giflib, so apt installs it with the window by default; it reads the same settings files,
# hence the same version.
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS
    "fonts-noto-cjk, ondulix-k-render (= ${CPACK_PACKAGE_VERSION})")

set(CPACK_DEBIAN_RENDER_PACKAGE_SECTION education)
set(CPACK_DEBIAN_RENDER_DESCRIPTION
    "draw Ondulix-K's wave interference frames as PNG or animated GIF
ondulix-k-render opens a set-up saved by Ondulix-K, a desktop program for
teaching wave interference, and writes the frames the program would draw as a
PNG picture or an animated GIF, for slides and web pages. It can also print
the address that opens the set-up in Ondulix-K's browser edition.
.
It needs no display and no GUI toolkit, so it suits servers and scripts. The
window and the sample set-ups are in the ondulix-k package.")
set(CPACK_DEBIAN_RENDER_PACKAGE_SHLIBDEPS ON)
# Only suggested: a recommendation would be installed by default and bring the window's Qt
# libraries to the machines this package exists to spare them.
set(CPACK_DEBIAN_RENDER_PACKAGE_SUGGESTS "ondulix-k (= ${CPACK_PACKAGE_VERSION})")
# Up to 0.1 one package, ondulix-k, held both programs: this one takes the command over from it,
# so that an upgrade installs over the old package instead of failing on a file both hold.
set(CPACK_DEBIAN_RENDER_PACKAGE_BREAKS "ondulix-k (<< 0.2)")
set(CPACK_DEBIAN_RENDER_PACKAGE_REPLACES "ondulix-k (<< 0.2)")
include(CPack)
