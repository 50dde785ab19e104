# Installation and the Debian package.
#
# `cmake --install` puts the program, its desktop entry, its icon at the usual hicolor
# sizes and its AppStream metainfo under the prefix; `cpack` wraps the same files into a
# .deb. The application id names the desktop entry, the metainfo and the icon alike, so
# software centres and menus find them all from one name.

include(GNUInstallDirs)

# Folders made by the installation get the modes Debian expects whatever the umask of the
# one who builds; the files get theirs from install() itself (0644, programs 0755).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(TANDEMO_APP_ID example.tandemo.Tandemo)
set(TANDEMO_RELEASE_DATE 2026-12-08)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

# Everything the program links comes from the system's library directories, so the
# installed binary needs no run path of its own (and a Debian package must not carry one).
set_target_properties(Tandemo PROPERTIES INSTALL_RPATH "")
install(TARGETS Tandemo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${packaging_dir}/${TANDEMO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${packaging_dir}/${TANDEMO_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${TANDEMO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${TANDEMO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 32 48 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/tandemo-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TANDEMO_APP_ID}.png)
endforeach()

# What Debian asks of every package besides the program: its changelog and its
# machine-readable copyright in the package's documentation folder, and a manual page
# for the command in English and Russian. The package is made here, by the program's own
# developers, so it is a native one, and its changelog is named as a native package's is.
# Compressed files are made with -9n, so the same sources always give the same bytes (no
# name or time stamp inside).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(docs_build_dir ${PROJECT_BINARY_DIR}/packaging)
configure_file(${packaging_dir}/man/Tandemo.1.in ${docs_build_dir}/man/Tandemo.1 @ONLY)
configure_file(${packaging_dir}/man/Tandemo.ru.1.in ${docs_build_dir}/man/ru/Tandemo.1 @ONLY)
set(compressed_outputs "")
foreach(source ${packaging_dir}/changelog ${docs_build_dir}/man/Tandemo.1
               ${docs_build_dir}/man/ru/Tandemo.1)
  string(REPLACE ${packaging_dir} ${docs_build_dir} output ${source}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${GZIP_PROGRAM} -9n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
  list(APPEND compressed_outputs ${output})
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed_outputs})

install(FILES ${docs_build_dir}/changelog.gz ${packaging_dir}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tandemo)
install(FILES ${docs_build_dir}/man/Tandemo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${docs_build_dir}/man/ru/Tandemo.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)

set(CPACK_GENERATOR DEB)
# The same sources give the same package: every member's time is the sources' time
# (cmake/CompilerFlags.cmake) unless SOURCE_DATE_EPOCH is given when cpack runs, and xz
# packs the picture-heavy program tighter than gzip.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} @TANDEMO_SOURCE_DATE_EPOCH@)
endif()
]] @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${packaging_dir}/fix_ar_modes.cmake)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_NAME tandemo)
set(CPACK_PACKAGE_VENDOR "Tandemo developers")
set(CPACK_PACKAGE_CONTACT "Tandemo developers <author@tandemo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "estimate the chance of a close relationship")
# Debian shows the extended description as written, so its lines are kept within 80
# characters here.
set(CPACK_PACKAGE_DESCRIPTION "Tandemo asks seven multiple-choice questions about someone you recently met
and estimates the probability that a close relationship will form. The
interface is in Russian.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://tandemo.example/)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# dpkg-shlibdeps finds the Qt 6 libraries (and with libqt6gui6 the X11 platform plugin);
# the fonts are asked for by name at run time, so no linker can see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-urw-base35, fonts-dejavu-core")
# Qt's Wayland plugin is only needed where a desktop offers Wayland without Xwayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
include(CPack)
