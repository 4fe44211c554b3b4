# Sources of the measurement-data library, shared by the main build and the
# sanitizer build of the fuzz targets (which compiles them with clang).
set(DOSEDESK_DATA_SOURCES
  localpaths.cpp
  textfile.cpp
  medicao.cpp
  fixtures.cpp
)
