# liblzma, which decompresses LZMA movies (signature ZWS), as the target swivex_lzma.
#
# Natively it is the system's library (Debian: liblzma-dev). For Windows the build makes a static
# library from the xz 5.2.3 source that the npm package lzma-native@8.0.6 carries in its deps/
# folder: `npm pack` fetches the package into the build folder, its sha512 is checked against the
# integrity that the registry published for it (recorded below) before anything is unpacked, and
# xz's own configure script and make build liblzma.a at configure time. Only the source is used;
# the package's prebuilt DLLs are not unpacked. Nothing of it is kept in the repository.

include(NpmPackage)

set(SWIVEX_LZMA_PACKAGE lzma-native@8.0.6)
set(SWIVEX_LZMA_TARBALL lzma-native-8.0.6.tgz)
set(SWIVEX_LZMA_SOURCE xz-5.2.3)
# From `npm view lzma-native@8.0.6 dist.integrity`.
set(SWIVEX_LZMA_INTEGRITY
    "sha512-09xfg67mkL2Lz20PrrDeNYZxzeW7ADtpYFbwSQh9U8+76RIzx5QsJBMy8qikv3hbUPfpy6hqwxt6FcGK81g9AA==")

# Fetches, checks, unpacks and builds liblzma into `root`, unless an earlier configure run has
# done so from the same package.
function(swivex_build_lzma root)
  set(stamp ${root}/built-from-${SWIVEX_LZMA_TARBALL})
  if(EXISTS ${stamp})
    return()
  endif()
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})

  swivex_npm_fetch(${SWIVEX_LZMA_PACKAGE} ${SWIVEX_LZMA_TARBALL} ${SWIVEX_LZMA_INTEGRITY} ${root})
  file(ARCHIVE_EXTRACT INPUT ${root}/${SWIVEX_LZMA_TARBALL} DESTINATION ${root}/unpacked
       PATTERNS package/deps/${SWIVEX_LZMA_SOURCE}.tar.bz2)
  file(ARCHIVE_EXTRACT INPUT ${root}/unpacked/package/deps/${SWIVEX_LZMA_SOURCE}.tar.bz2
       DESTINATION ${root}/unpacked)
  set(source ${root}/unpacked/${SWIVEX_LZMA_SOURCE})

  # Decoding is all that is needed: no programs, no scripts, no threads, no translations.
  message(STATUS "Lzma: building liblzma (static)")
  file(MAKE_DIRECTORY ${root}/build)
  swivex_npm_run("Lzma: configuring xz" ${CMAKE_COMMAND} -E chdir ${root}/build
                 env CC=${CMAKE_C_COMPILER} sh ${source}/configure --host=x86_64-w64-mingw32
                 --disable-shared --enable-static --disable-xz --disable-xzdec --disable-lzmadec
                 --disable-lzmainfo --disable-lzma-links --disable-scripts --disable-doc
                 --disable-nls --disable-threads)
  swivex_npm_run("Lzma: building liblzma" make -C ${root}/build/src/liblzma -j2)

  file(COPY ${source}/src/liblzma/api/lzma.h ${source}/src/liblzma/api/lzma
       DESTINATION ${root}/include)
  file(COPY ${root}/build/src/liblzma/.libs/liblzma.a DESTINATION ${root}/lib)
  file(TOUCH ${stamp})
endfunction()

add_library(swivex_lzma INTERFACE)
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(SWIVEX_LZMA_ROOT ${CMAKE_BINARY_DIR}/liblzma)
  swivex_build_lzma(${SWIVEX_LZMA_ROOT})
  add_library(swivex_lzma_static STATIC IMPORTED)
  set_target_properties(swivex_lzma_static PROPERTIES
                        IMPORTED_LOCATION ${SWIVEX_LZMA_ROOT}/lib/liblzma.a
                        INTERFACE_INCLUDE_DIRECTORIES ${SWIVEX_LZMA_ROOT}/include
                        INTERFACE_COMPILE_DEFINITIONS LZMA_API_STATIC)
  target_link_libraries(swivex_lzma INTERFACE swivex_lzma_static)
else()
  find_package(LibLZMA REQUIRED)
  target_link_libraries(swivex_lzma INTERFACE LibLZMA::LibLZMA)
endif()
