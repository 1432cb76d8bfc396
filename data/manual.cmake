# The manual and definitions pages: Markdown files copied from data/manual/ into Manual/ beside the
# programs, where the desktop screens and ornivo-cli manual read them.
set(MANUAL_SRC ${CMAKE_CURRENT_LIST_DIR}/manual)
set(MANUAL_DIR ${ORNIVO_RUNTIME_DIR}/Manual)
file(GLOB MANUAL_PAGES CONFIGURE_DEPENDS ${MANUAL_SRC}/*.md)
set(manual_outputs)
foreach(page IN LISTS MANUAL_PAGES)
  get_filename_component(name ${page} NAME)
  add_custom_command(
    OUTPUT ${MANUAL_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MANUAL_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${page} ${MANUAL_DIR}/${name}
    DEPENDS ${page}
    VERBATIM)
  list(APPEND manual_outputs ${MANUAL_DIR}/${name})
endforeach()
add_custom_target(ornivo-manual ALL DEPENDS ${manual_outputs})
if(TARGET ornivo-cli)
  add_dependencies(ornivo-cli ornivo-manual)
endif()
