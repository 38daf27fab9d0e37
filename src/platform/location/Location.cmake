# Location sources: their headers are included by name, and the bundled demo
# drive is compiled in for --source demo.
target_include_directories(korvane_platform PUBLIC ${CMAKE_CURRENT_LIST_DIR})
qt_add_resources(korvane_platform korvane_drives
  PREFIX "/drives"
  BASE ${CMAKE_SOURCE_DIR}/resources/drives
  FILES ${CMAKE_SOURCE_DIR}/resources/drives/demo.nmea)
