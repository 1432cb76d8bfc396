# The example GPS track (a white stork's leg with its stopover sites, raw fixes and credit): the files
# of data/tracks/ copied into Tracks/ beside the programs, where the tutorial and the track dialogs
# find them (platform::ShippedTracksFolder).
ornivo_copy_files(ornivo-tracks ${CMAKE_CURRENT_LIST_DIR}/tracks * ${ORNIVO_RUNTIME_DIR}/Tracks)
