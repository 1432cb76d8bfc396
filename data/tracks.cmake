# The example GPS track (a white stork's leg with its stopover sites, raw fixes and credit): the files
# of data/tracks/ copied into Tracks/ beside the programs, where the tutorial and the track dialogs
# find them (platform::ShippedTracksFolder).
set(TRACKS_SRC ${CMAKE_CURRENT_LIST_DIR}/tracks)
set(TRACKS_DIR ${ORNIVO_RUNTIME_DIR}/Tracks)
file(GLOB TRACK_FILES CONFIGURE_DEPENDS ${TRACKS_SRC}/*)
set(track_outputs)
foreach(file IN LISTS TRACK_FILES)
  get_filename_component(name ${file} NAME)
  add_custom_command(
    OUTPUT ${TRACKS_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TRACKS_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${file} ${TRACKS_DIR}/${name}
    DEPENDS ${file}
    VERBATIM)
  list(APPEND track_outputs ${TRACKS_DIR}/${name})
endforeach()
add_custom_target(ornivo-tracks ALL DEPENDS ${track_outputs})
if(TARGET ornivo-cli)
  add_dependencies(ornivo-cli ornivo-tracks)
endif()
