# The manual and definitions pages: Markdown files copied from data/manual/ into Manual/ beside the
# programs, where the desktop screens and ornivo-cli manual read them.
ornivo_copy_files(ornivo-manual ${CMAKE_CURRENT_LIST_DIR}/manual *.md ${ORNIVO_RUNTIME_DIR}/Manual)
