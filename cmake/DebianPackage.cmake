# `cpack -G DEB` in the build folder: tabulizer_<version>_<arch>.deb with what
# `cmake --install` installs, its dependencies found by dpkg-shlibdeps from the
# shared libraries the program links.
set(TABULIZER_MAINTAINER "Tabulizer maintainers <maintainers@tabulizer.example>"
    CACHE STRING "The Maintainer of the Debian package and its changelog")

# The manual page, the changelog and the copyright file where Debian keeps them;
# compressed as Debian compresses them (gzip -9n: no name or time stamp inside).
set(PACKAGE_FILES "${CMAKE_CURRENT_BINARY_DIR}/package")
configure_file(data/tabulizer.1 "${PACKAGE_FILES}/tabulizer.1" @ONLY)
configure_file(data/debian/changelog.in "${PACKAGE_FILES}/changelog" @ONLY)
add_custom_command(OUTPUT "${PACKAGE_FILES}/tabulizer.1.gz" "${PACKAGE_FILES}/changelog.gz"
  COMMAND gzip -9nkf tabulizer.1 changelog
  DEPENDS "${PACKAGE_FILES}/tabulizer.1" "${PACKAGE_FILES}/changelog"
  WORKING_DIRECTORY "${PACKAGE_FILES}"
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(tabulizer_package_files ALL DEPENDS "${PACKAGE_FILES}/tabulizer.1.gz" "${PACKAGE_FILES}/changelog.gz")
install(FILES "${PACKAGE_FILES}/tabulizer.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES "${PACKAGE_FILES}/changelog.gz" data/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tabulizer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TABULIZER_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TABULIZER_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[convert printed text reports into Excel workbooks and CSV
Tabulizer turns old printed reports (fixed-width text of MS DOS and early
Windows accounting and statistics programs, in CP866 or CP1251, with tables
drawn in box characters and a title and header repeated on every page) into
workbooks (.xlsx): a sheet per page, merged header cells, borders, fonts,
number formats and column widths; or the whole report as one table, in one
sheet or as CSV. A kind of report is described once in a project file, in a
15-step editor or inferred from the report's own text, and any number of
reports of that kind are then converted, in the windows or headless.

Табулизер превращает старые печатные отчёты (текст программ учёта и
статистики MS DOS и ранних Windows в CP866 или CP1251 с таблицами из
псевдографики) в книги Excel: лист на страницу, объединённые ячейки шапки,
рамки, шрифты, числовые форматы и ширина граф; или весь отчёт одной таблицей
на одном листе либо в CSV. Вид отчёта описывается один раз в файле проекта,
и по нему преобразуется сколько угодно отчётов, в окнах или без них.]=])
include(CPack)
