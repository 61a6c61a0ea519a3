# cmake --install: the usual layout under any prefix, and the Debian package (cpack -G DEB).
#   bin/radio-programmer, bin/radioprog       the programs (the build folder keeps "Program")
#   share/radio-programmer/                  Program.ini, help pages, demo image, stock/ lists
#   share/applications, share/metainfo,      desktop entry, AppStream data and icons under the
#   share/icons/hicolor                      application id
#   share/man/man1, bash completion, lib/udev/rules.d (USB cable access for the seat's user)
include(GNUInstallDirs)

set(_id ${RADIO_APP_ID})
set(_linux ${PROJECT_SOURCE_DIR}/resources/linux)
set(_data ${CMAKE_INSTALL_DATADIR}/radio-programmer)

# The desktop program is installed under its Linux name; install(PROGRAMS) cannot strip, so a
# stripped install (cpack, cmake --install --strip) strips it here.
install(PROGRAMS $<TARGET_FILE:Program> DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME radio-programmer)
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\"
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/radio-programmer\")
  endif()")
install(TARGETS radioprog RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/resources/Program.ini ${PROJECT_SOURCE_DIR}/resources/demo.dat
              ${PROJECT_SOURCE_DIR}/resources/help/enHelp.html
              ${PROJECT_SOURCE_DIR}/resources/help/chHelp.html
        DESTINATION ${_data})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/stock/ DESTINATION ${_data}/stock
        FILES_MATCHING PATTERN "*.csv" PATTERN "README.md")

install(FILES ${_linux}/${_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${_linux}/${_id}.metainfo.xml.in ${CMAKE_BINARY_DIR}/linux/${_id}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/linux/${_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the SVG as written, the PNG sizes painted by the program's own icon code.
set(_icon_sizes 16 24 32 48 64 128 256)
set(_icon_dir ${CMAKE_BINARY_DIR}/linux/icons)
set(_icon_pngs)
foreach(_size IN LISTS _icon_sizes)
  list(APPEND _icon_pngs ${_icon_dir}/${_size}x${_size}.png)
endforeach()
add_custom_command(OUTPUT ${_icon_pngs}
                   COMMAND icon_export ${_icon_dir} ${_icon_sizes}
                   DEPENDS icon_export
                   COMMENT "Painting the program's icon as PNG files")
add_custom_target(linux_icons ALL DEPENDS ${_icon_pngs})
install(FILES ${_linux}/${_id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(_size IN LISTS _icon_sizes)
  install(FILES ${_icon_dir}/${_size}x${_size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
          RENAME ${_id}.png)
endforeach()

# Manual pages compressed, as Debian's policy asks; man reads them either way.
set(_man_gz)
foreach(_page radioprog.1 radio-programmer.1)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/linux/${_page}.gz
                     COMMAND gzip -9 -n -c ${_linux}/${_page} > ${CMAKE_BINARY_DIR}/linux/${_page}.gz
                     DEPENDS ${_linux}/${_page})
  list(APPEND _man_gz ${CMAKE_BINARY_DIR}/linux/${_page}.gz)
endforeach()
add_custom_target(linux_man ALL DEPENDS ${_man_gz})
install(FILES ${_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_linux}/radioprog.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME radioprog)
# udev reads lib/udev/rules.d below /usr and /usr/local alike (merged /usr on Debian 12).
install(FILES ${_linux}/70-radio-programmer-cables.rules DESTINATION lib/udev/rules.d)

# ---- Debian package ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME radio-programmer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Radio Programmer developers")
set(CPACK_PACKAGE_CONTACT "The Radio Programmer developers <radio-programmer@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for a 200-channel handheld two-way radio")
# CPack puts the summary first and indents every line; "." stands for an empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the radio's memory through a USB programming cable, edits its 200
channels and radio-wide options in a grid, keeps memory images in channel
files, prints them and writes them back. English and Chinese.
.
radioprog does the same from the command line and checks cables that do
not answer (radioprog doctor); a udev rule gives the user at the computer
access to CH340, PL2303, FTDI and CP210x cables.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Dependencies from the binaries themselves (dpkg-shlibdeps), plus the fonts the sheets print
# with, Qt's own Chinese texts (standard buttons, file dialogs) and the Qt platform plugin the
# desktop program needs to open a window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-wqy-zenhei, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
