# The Debian package (scripts/package): installed below /usr, its dependencies taken from the
# libraries the program links, Konfi.ini kept over updates as a configuration file.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavelin-transfer)
set(CPACK_PACKAGE_VENDOR Tavelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "transfer program for hand-held coating-thickness and magnetic meters")
set(CPACK_PACKAGE_DESCRIPTION
    "Connects to a measuring instrument over a serial port (USB or classic
Bluetooth) or Bluetooth LE, downloads its memories or receives live values,
shows them in a table coloured against limits, keeps statistics, saves and
reopens .mes report files, prints, exports documents and workbooks, and draws
charts. German and English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Konfi.ini goes to /etc, outside the prefix: staged like every other file, not written to the
# building machine.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tavelin <support@tavelin.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Its German buttons and dialogs come from Qt's own catalogue.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

set(TRANSFER_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package)
file(WRITE ${TRANSFER_PACKAGE_FILES}/conffiles "${TRANSFER_KONFI_DIR}/Konfi.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${TRANSFER_PACKAGE_FILES}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian asks every package for its copyright, a compressed changelog and a manual page.
set(TRANSFER_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tavelin-transfer)
install(FILES resources/package/copyright DESTINATION ${TRANSFER_DOC_DIR})
find_program(GZIP_PROGRAM gzip)
if(GZIP_PROGRAM)
    set(TRANSFER_COMPRESSED)
    foreach(file changelog tavelin-transfer.1)
        add_custom_command(
            OUTPUT ${TRANSFER_PACKAGE_FILES}/${file}.gz
            COMMAND ${GZIP_PROGRAM} -9 -n -c ${CMAKE_SOURCE_DIR}/resources/package/${file} >
                    ${TRANSFER_PACKAGE_FILES}/${file}.gz
            DEPENDS ${CMAKE_SOURCE_DIR}/resources/package/${file})
        list(APPEND TRANSFER_COMPRESSED ${TRANSFER_PACKAGE_FILES}/${file}.gz)
    endforeach()
    add_custom_target(package_documents ALL DEPENDS ${TRANSFER_COMPRESSED})
    install(FILES ${TRANSFER_PACKAGE_FILES}/changelog.gz DESTINATION ${TRANSFER_DOC_DIR})
    install(FILES ${TRANSFER_PACKAGE_FILES}/tavelin-transfer.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

include(CPack)
