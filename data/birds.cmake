# The bird and wings databases: built from the readable sources in data/birds/ by ornivo-make-db.
set(BIRDS_SRC ${CMAKE_CURRENT_LIST_DIR}/birds)
set(BIRDS_DATA_DIR ${ORNIVO_RUNTIME_DIR}/Data)

add_executable(ornivo-make-db ${BIRDS_SRC}/make_db.cpp)
target_link_libraries(ornivo-make-db PRIVATE ornivo)
# A build tool, not a shipped program: keep it out of the folder of the programs.
set_target_properties(ornivo-make-db PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

add_custom_command(
  OUTPUT ${BIRDS_DATA_DIR}/Birds.db
  COMMAND ornivo-make-db ${BIRDS_DATA_DIR}/Birds.db ${BIRDS_SRC}/birds_schema.sql
          "Preset Birds=${BIRDS_SRC}/preset_birds.csv" "User Birds=${BIRDS_SRC}/user_birds.csv"
  DEPENDS ornivo-make-db ${BIRDS_SRC}/birds_schema.sql ${BIRDS_SRC}/preset_birds.csv ${BIRDS_SRC}/user_birds.csv
  COMMENT "Building Data/Birds.db"
  VERBATIM)
add_custom_command(
  OUTPUT ${BIRDS_DATA_DIR}/Wings.db
  COMMAND ornivo-make-db ${BIRDS_DATA_DIR}/Wings.db ${BIRDS_SRC}/wings_schema.sql "Table1=${BIRDS_SRC}/wings.csv"
  DEPENDS ornivo-make-db ${BIRDS_SRC}/wings_schema.sql ${BIRDS_SRC}/wings.csv
  COMMENT "Building Data/Wings.db"
  VERBATIM)
add_custom_command(
  OUTPUT ${BIRDS_DATA_DIR}/ABOUT.md
  COMMAND ${CMAKE_COMMAND} -E copy ${BIRDS_SRC}/ABOUT.md ${BIRDS_DATA_DIR}/ABOUT.md
  DEPENDS ${BIRDS_SRC}/ABOUT.md
  VERBATIM)
add_custom_target(ornivo-bird-data ALL
  DEPENDS ${BIRDS_DATA_DIR}/Birds.db ${BIRDS_DATA_DIR}/Wings.db ${BIRDS_DATA_DIR}/ABOUT.md)
# The programs find the databases beside them: build the data with the command-line program.
if(TARGET ornivo-cli)
  add_dependencies(ornivo-cli ornivo-bird-data)
endif()
