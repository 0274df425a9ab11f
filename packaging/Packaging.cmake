# What is installed, and the packages CPack builds of it: a .deb and a
# .tar.gz of a Linux build, a .zip of a Windows build.
include(GNUInstallDirs)

# The manual, with the project's version in its header; gzipped for Linux,
# as plain text beside TARNEL.exe for Windows.
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/links)
configure_file(man/TARNEL.1.in ${PROJECT_BINARY_DIR}/man/TARNEL.1 @ONLY)
configure_file(packaging/changelog ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/man/TARNEL.1.gz ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nkf ${PROJECT_BINARY_DIR}/man/TARNEL.1 ${PROJECT_BINARY_DIR}/packaging/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/man/TARNEL.1 ${PROJECT_BINARY_DIR}/packaging/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(tarnel_docs ALL DEPENDS ${PROJECT_BINARY_DIR}/man/TARNEL.1.gz)

if(WIN32)
  find_program(GROFF_PROGRAM groff REQUIRED)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/TARNEL.txt
    COMMAND ${CMAKE_COMMAND} -DGROFF=${GROFF_PROGRAM} -DIN=${PROJECT_BINARY_DIR}/man/TARNEL.1
            -DOUT=${PROJECT_BINARY_DIR}/TARNEL.txt -P ${PROJECT_SOURCE_DIR}/packaging/WindowsText.cmake
    DEPENDS ${PROJECT_BINARY_DIR}/man/TARNEL.1 ${PROJECT_SOURCE_DIR}/packaging/WindowsText.cmake
    COMMENT "Rendering the manual as Windows text")
  add_custom_target(tarnel_manual_text ALL DEPENDS ${PROJECT_BINARY_DIR}/TARNEL.txt)
  # A short text for Windows users, with the line ends Notepad expects.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(TARNEL_WINDOWS_ARCH x86)
  else()
    set(TARNEL_WINDOWS_ARCH x86_64)
  endif()
  configure_file(packaging/README-windows.txt.in ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(TARGETS TARNEL RUNTIME DESTINATION .)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/TARNEL.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  # x86 for the 32-bit build, which runs on every Windows; x86_64 for the other.
  set(CPACK_SYSTEM_NAME windows-${TARNEL_WINDOWS_ARCH})
  # One folder, tarnel-VERSION-windows-x86 or -x86_64, that holds it all.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  install(TARGETS TARNEL RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/man/TARNEL.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # tarnel in lower case too, the program and its manual, as links.
  file(CREATE_LINK TARNEL ${PROJECT_BINARY_DIR}/links/tarnel SYMBOLIC)
  file(CREATE_LINK TARNEL.1.gz ${PROJECT_BINARY_DIR}/links/tarnel.1.gz SYMBOLIC)
  install(FILES ${PROJECT_BINARY_DIR}/links/tarnel DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/links/tarnel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarnel)
  set(CPACK_GENERATOR DEB TGZ)
  set(CPACK_SYSTEM_NAME linux-${CMAKE_SYSTEM_PROCESSOR})
endif()

set(CPACK_PACKAGE_NAME tarnel)
set(CPACK_PACKAGE_VENDOR "the Skavlen project")
set(CPACK_PACKAGE_CONTACT "the Skavlen project <tarnel@skavlen.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter of OpenAir airspace files to ZRN markup")
set(CPACK_PACKAGE_FILE_NAME tarnel-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://skavlen.org/tarnel)
# The synopsis above, then this, which CPack indents.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "TARNEL reads airspace definitions in the public OpenAir text format and
writes them as the ZRN markup of the Skavlen navigation suite: one airspace
element per airspace with its class, name and label position, and a border
with one point per polygon vertex.")
# The cross builds are static: nothing to depend on. A native build depends
# on what dpkg-shlibdeps finds.
if(CMAKE_CROSSCOMPILING)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
  if(NOT WIN32)
    install(FILES packaging/lintian-overrides-static DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
            RENAME tarnel)
  endif()
else()
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64)$")
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
endif()
include(CPack)
