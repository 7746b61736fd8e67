# What `cmake --install` puts on a Linux desktop, and the Debian package CPack
# makes of it: the program, its menu entry, its icons in the hicolor theme,
# its AppStream metadata, the file type of Dsck.tr, its manual page, and the
# package's copyright and changelog. One id everywhere: the product's web
# address reversed.
include(GNUInstallDirs)
set(app_id org.example.dorvane.Shell)
set(desktop ${CMAKE_CURRENT_SOURCE_DIR}/desktop)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/dorvane-shell)

# The support address has its home in the feedback form's code.
file(STRINGS ${PROJECT_SOURCE_DIR}/feedback/MailAddresses.h support_line REGEX "SupportMailAddress = ")
string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" DORVANE_SUPPORT_ADDRESS "${support_line}")
execute_process(COMMAND date -u -R -d "${DORVANE_RELEASE_DATE} 12:00" OUTPUT_VARIABLE DORVANE_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

install(TARGETS dorvane-shell RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${desktop}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/${app_id}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${app_id}.xml)
configure_file(${desktop}/${app_id}.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/${app_id}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop}/copyright DESTINATION ${doc_dir})

# The icon, drawn at each size by a program of the build machine.
add_executable(png-icon-maker ${desktop}/PngIconMaker.cpp ${PROJECT_SOURCE_DIR}/app/Logo.cpp)
target_link_libraries(png-icon-maker PRIVATE dorvane_forms)
set(icon_sizes 16 32 48 64 128 256)
set(icons)
foreach(size ${icon_sizes})
  list(APPEND icons ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}.png)
endforeach()
add_custom_command(OUTPUT ${icons}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons
  COMMAND png-icon-maker ${CMAKE_CURRENT_BINARY_DIR}/icons
  DEPENDS png-icon-maker COMMENT "Drawing the desktop icons")
foreach(size ${icon_sizes})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${app_id}.png)
endforeach()

# The manual page is made from --help itself, with the sections --help has no
# room for: --help and the page cannot disagree.
find_program(DORVANE_HELP2MAN help2man REQUIRED)
set(man ${CMAKE_CURRENT_BINARY_DIR}/dorvane-shell.1)
add_custom_command(OUTPUT ${man}.gz
  COMMAND ${DORVANE_HELP2MAN} --no-info --section=1 --include=${desktop}/dorvane-shell.h2m
          --version-string=${PROJECT_VERSION} --output=${man} $<TARGET_FILE:dorvane-shell>
  COMMAND gzip -9nf ${man}
  DEPENDS dorvane-shell ${desktop}/dorvane-shell.h2m COMMENT "Writing the manual page")
configure_file(${desktop}/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nkf ${CMAKE_CURRENT_BINARY_DIR}/changelog
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog)
add_custom_target(desktop-files ALL DEPENDS ${icons} ${man}.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvane-shell)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dorvane support <${DORVANE_SUPPORT_ADDRESS}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bootable regenerating diskette maker")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "The Dorvane Shell turns a regeneration image (Dsck.tr) into a bootable\n"
    "regenerating diskette on a floppy drive, a USB floppy drive or a 1.44 MB\n"
    "diskette image, explains the product and composes a feedback mail.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
