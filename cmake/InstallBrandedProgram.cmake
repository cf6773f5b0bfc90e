# Install step: brands the installed unbranded program (lib/statdesk/statdesk) with the default brand
# into the program folder. Runs inside cmake_install.cmake, which sets STATDESK_BRAND_TOOL,
# STATDESK_DEFAULT_BRAND and STATDESK_BINDIR just before.
set(statdesk_unbranded "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/lib/statdesk/statdesk")
set(statdesk_branded "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${STATDESK_BINDIR}/statdesk")
message(STATUS "Branding: ${statdesk_branded}")
execute_process(
  COMMAND ${STATDESK_BRAND_TOOL} build --brand ${STATDESK_DEFAULT_BRAND}
          --program ${statdesk_unbranded} --out ${statdesk_branded}
  COMMAND_ERROR_IS_FATAL ANY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${statdesk_branded}")
