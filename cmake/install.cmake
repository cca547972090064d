# Installation and the Debian package. The executable and its DATA folder sit
# side by side in lib/tolvika, since the program finds its data beside itself;
# a launcher in bin, the desktop entry and the icons make it a menu program.

set(TOLVIKA_INSTALL_DIR lib/tolvika)

install(TARGETS tolvika RUNTIME DESTINATION ${TOLVIKA_INSTALL_DIR})
if(TOLVIKA_BUNDLED_DATA)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/DATA DESTINATION ${TOLVIKA_INSTALL_DIR})
endif()
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/tolvika DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tolvika.desktop DESTINATION share/applications)
# Each icon is installed when the tree has it; the resource glob of the
# top-level list reconfigures the build when one is added.
foreach(size 16 32 128)
  set(icon ${CMAKE_SOURCE_DIR}/windows/resources/icon/tolvika-${size}.png)
  if(EXISTS ${icon})
    install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME tolvika.png)
  endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvika)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tolvika")
set(CPACK_PACKAGE_CONTACT "Tolvika developers <tolvika@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Russian alphabet for young children")
set(CPACK_PACKAGE_DESCRIPTION
  "A child presses a key; the program shows that letter's picture and word in large letters and speaks them. The bundled data folder holds a complete alphabet, and parents can make their own pages of pictures, texts and recordings.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The executables' own links give the libraries and their versions (the page
# tool's FFmpeg and libheif among them). Those they are built on but may not
# call yet are named too, since the linker drops an unused library; the
# platform plugins, the WebP and TIFF readers of the page tool and the fonts
# the windows ask for by name are loaded only at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6gui6, libsdl2-2.0-0, libjpeg62-turbo, qt6-qpa-plugins, qt6-image-formats-plugins, fonts-liberation")
include(CPack)

# The package is built from the release build only; a sanitizer build is not shipped.
if(BUILD_TESTING AND NOT TOLVIKA_SANITIZE AND NOT TOLVIKA_THREAD_SANITIZER)
  find_program(TOLVIKA_DPKG_DEB dpkg-deb)
  if(TOLVIKA_DPKG_DEB)
    add_test(NAME Packaging.DebianPackageInstallsAndStarts
      COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/content/debian_package_test.sh
        ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} $<BOOL:${TOLVIKA_BUNDLED_DATA}>)
    set_tests_properties(Packaging.DebianPackageInstallsAndStarts PROPERTIES TIMEOUT 300)
  endif()
endif()
