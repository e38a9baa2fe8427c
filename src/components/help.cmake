# Help and version data: the version strings built into the program, and the help pages
# copied beside it (Docs/Tarnel/), where the program looks for its help file.
set(TARNEL_COMPANY "Orvane")
set(TARNEL_AUTHOR "Orvane")
set(TARNEL_COPYRIGHT "Copyright (C) 2026 Orvane")
set(TARNEL_DESCRIPTION "Tarnel, IDE for the NEC 78K/III C toolchain")
set(TARNEL_INTERNAL_NAME "Tarnel")
set(TARNEL_ORIGINAL_FILENAME "tarnel${CMAKE_EXECUTABLE_SUFFIX}")
set(TARNEL_WEB "https://www.orvane.example/")
set(TARNEL_MAIL "support@orvane.example")

set(TARNEL_GENERATED ${CMAKE_CURRENT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version_strings.h.in ${TARNEL_GENERATED}/components/version_strings.h @ONLY)
target_include_directories(tarnel_core PUBLIC ${TARNEL_GENERATED})

file(GLOB TARNEL_HELP_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/help/*)
set(TARNEL_HELP_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Docs/Tarnel)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/help_pages.stamp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARNEL_HELP_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TARNEL_HELP_PAGES} ${TARNEL_HELP_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/help_pages.stamp
  DEPENDS ${TARNEL_HELP_PAGES}
  COMMENT "Copying the help pages to ${TARNEL_HELP_DIR}")
add_custom_target(tarnel_help_pages ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/help_pages.stamp)
add_dependencies(tarnel tarnel_help_pages)

qt_add_resources(tarnel_views "help_images" PREFIX "/help" BASE ${CMAKE_CURRENT_LIST_DIR}/view/images
  FILES ${CMAKE_CURRENT_LIST_DIR}/view/images/tarnel.png ${CMAKE_CURRENT_LIST_DIR}/view/images/logo.png)
