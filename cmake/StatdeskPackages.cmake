# Three Debian packages from the install rules (cpack -G DEB in the build folder; scripts/package.sh):
#   statdesk          the desktop program, its documents, desktop entry, icons, metadata, manual page
#   statdesk-service  the service with its settings and systemd unit, the dataset builder, the brand tool
#   statdesk-data     the database and the banners
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME statdesk)
set(CPACK_PACKAGE_VENDOR "The Statdesk developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Statdesk maintainers <maintainers@statdesk.example.com>")
# The programs learn their installed folders from the prefix they were built for.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
# The site settings install to /etc, outside the prefix: stage everything under DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL statdesk service data)
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE statdesk)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${CMAKE_BINARY_DIR}/src")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_STATDESK_PACKAGE_NAME statdesk)
set(CPACK_DEBIAN_STATDESK_PACKAGE_SECTION education)
set(CPACK_COMPONENT_STATDESK_DESCRIPTION "all-time professional basketball statistics on the desktop
Statdesk shows the players and teams of every professional basketball season
from 1946-47 on, regular season and playoffs, as four large tables that page
through a statistics service a screen at a time. It narrows, limits and sorts
the tables, prints and previews them, and opens award lists, season summaries
and playoff results that come with it.

The statistics come from a statistics service: install statdesk-service and
statdesk-data to run one on this machine.")

set(CPACK_DEBIAN_SERVICE_PACKAGE_NAME statdesk-service)
set(CPACK_DEBIAN_SERVICE_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SERVICE_PACKAGE_RECOMMENDS statdesk-data)
set(CPACK_COMPONENT_SERVICE_DESCRIPTION "statistics service of the Statdesk basketball statistics client
The HTTP service that answers the table queries of the Statdesk desktop
program from a SQLite database, with the version list, banner settings,
usage events, banners and news site around it. It comes as a hardened
systemd unit, statdesk-service.service, that is not enabled on install.

The package also holds statdesk-dataset, which builds the database from the
public raw data, and statdesk-brand, which makes branded program copies.")
set(CPACK_DEBIAN_SERVICE_PACKAGE_CONTROL_EXTRA
  "${CMAKE_SOURCE_DIR}/packaging/debian/service/postinst;${CMAKE_SOURCE_DIR}/packaging/debian/service/prerm;${CMAKE_SOURCE_DIR}/packaging/debian/service/postrm;${CMAKE_SOURCE_DIR}/packaging/debian/service/conffiles")

set(CPACK_DEBIAN_DATA_PACKAGE_NAME statdesk-data)
set(CPACK_DEBIAN_DATA_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DATA_PACKAGE_SHLIBDEPS OFF)
set(CPACK_COMPONENT_DATA_DESCRIPTION "basketball statistics database of the Statdesk service
The database statdesk-service serves: every player and team season of
professional basketball from 1946-47 on, regular season and playoffs, and
the game recaps of its news site, built from public data with
statdesk-dataset; and the advertising banners drawn from the same data.")

include(CPack)
