# zlib, which inflates compressed movies and pictures and deflates the PNG files that pictures
# are written as, as the target swivex_zlib.
#
# Natively it is the system's library (Debian: zlib1g-dev). For Windows it is Debian's static
# mingw-w64 build (libz-mingw-w64-dev, under /usr/x86_64-w64-mingw32): the program ships without
# DLLs of its own, so the import library beside it must not be chosen.

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
if(CMAKE_CROSSCOMPILING AND WIN32 AND ZLIB_LIBRARIES MATCHES "\\.dll\\.a$")
  message(FATAL_ERROR "Zlib: found only the import library ${ZLIB_LIBRARIES}; the Windows build "
                      "links zlib statically (Debian: libz-mingw-w64-dev)")
endif()
add_library(swivex_zlib INTERFACE)
target_link_libraries(swivex_zlib INTERFACE ZLIB::ZLIB)
