# Workbook templates: XLTemplates/*.xlsx beside the programs, built from the label tables in
# data/templates/ by a small host tool that uses the core's spreadsheet component.
add_executable(ornivo-mktemplates ${CMAKE_CURRENT_SOURCE_DIR}/templates/mktemplates.cpp)
target_link_libraries(ornivo-mktemplates PRIVATE ornivo)
set_target_properties(ornivo-mktemplates PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(ORNIVO_TEMPLATE_NAMES PowerCurve GlidePolar Migrate "Progress Update")
set(ORNIVO_TEMPLATE_DIR ${ORNIVO_RUNTIME_DIR}/XLTemplates)
set(template_tables)
set(template_files)
foreach(name IN LISTS ORNIVO_TEMPLATE_NAMES)
  list(APPEND template_tables ${CMAKE_CURRENT_SOURCE_DIR}/templates/${name}.csv)
  list(APPEND template_files ${ORNIVO_TEMPLATE_DIR}/${name}.xlsx)
endforeach()
add_custom_command(
  OUTPUT ${template_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORNIVO_TEMPLATE_DIR}
  COMMAND ornivo-mktemplates ${ORNIVO_TEMPLATE_DIR} ${template_tables}
  DEPENDS ornivo-mktemplates ${template_tables}
  COMMENT "Making the workbook templates in XLTemplates/"
  VERBATIM)
add_custom_target(ornivo-templates ALL DEPENDS ${template_files})
