# libjpeg (API version 62), which decodes the About picture, as the target swivex_libjpeg.
#
# Natively it is the system's library (Debian: libjpeg62-turbo-dev). For Windows the build makes
# a static library from the libjpeg-turbo 1.4 source that the npm package jpeg-turbo@0.4.0
# carries: `npm pack` fetches the package into the build folder, its sha512 is checked against
# the integrity that the registry published for it (recorded below) before anything is
# unpacked, and libjpeg-turbo's own CMake build makes libjpeg.a at configure time. Nothing of it
# is kept in the repository.

set(SWIVEX_LIBJPEG_PACKAGE jpeg-turbo@0.4.0)
set(SWIVEX_LIBJPEG_TARBALL jpeg-turbo-0.4.0.tgz)
# From `npm view jpeg-turbo@0.4.0 dist.integrity`.
set(SWIVEX_LIBJPEG_INTEGRITY
    "sha512-pLzKt3I/QfcV1ey09MclMQjAAthd6uLjXkMvr3VkD4k1s+Q7eG7PsJdJqfgAeU38ZIHlIvSnYTqkY4vLkmiYbQ==")

include(NpmPackage)

# Fetches, checks, unpacks and builds libjpeg-turbo into `root`, unless an earlier configure run
# has done so from the same package.
function(swivex_build_libjpeg root)
  # The stamp names the build's settings too, so that changed settings rebuild it.
  set(stamp ${root}/built-from-${SWIVEX_LIBJPEG_TARBALL}-minsize)
  if(EXISTS ${stamp})
    return()
  endif()
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})

  swivex_npm_fetch(${SWIVEX_LIBJPEG_PACKAGE} ${SWIVEX_LIBJPEG_TARBALL} ${SWIVEX_LIBJPEG_INTEGRITY}
                   ${root})
  set(tarball ${root}/${SWIVEX_LIBJPEG_TARBALL})

  file(ARCHIVE_EXTRACT INPUT ${tarball} DESTINATION ${root}/unpacked
       PATTERNS package/deps/libjpeg-turbo)
  set(source ${root}/unpacked/package/deps/libjpeg-turbo)
  # Its CMakeLists configures an installer script from this file, which the package leaves out.
  file(WRITE ${source}/release/libjpeg-turbo.nsi.in "")

  # Optimised for size, in sections that the program's link can drop: it decodes one small
  # picture, and every kilobyte of it ships in Swivex.exe.
  message(STATUS "LibJpeg: building libjpeg-turbo (static, no SIMD, for size)")
  # A toolchain file given relative to the source folder is found only by the first configure
  # run; the build below runs elsewhere.
  get_filename_component(toolchain "${CMAKE_TOOLCHAIN_FILE}" ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
  # libjpeg-turbo 1.4 asks for a CMake older than 3.5, which CMake 4 refuses unless told the
  # lowest policy version to assume.
  swivex_npm_run("LibJpeg: configuring libjpeg-turbo" ${CMAKE_COMMAND} -S ${source} -B ${root}/build
             -G ${CMAKE_GENERATOR} -DCMAKE_TOOLCHAIN_FILE=${toolchain}
             -DCMAKE_POLICY_VERSION_MINIMUM=3.5
             -DCMAKE_BUILD_TYPE=MinSizeRel "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
             -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DENABLE_STATIC=ON
             -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -Wno-dev -Wno-deprecated)
  swivex_npm_run("LibJpeg: building libjpeg-turbo" ${CMAKE_COMMAND} --build ${root}/build --target jpeg-static)

  file(COPY ${source}/jpeglib.h ${source}/jerror.h ${source}/jmorecfg.h ${root}/build/jconfig.h
       DESTINATION ${root}/include)
  file(COPY ${root}/build/libjpeg.a DESTINATION ${root}/lib)
  file(TOUCH ${stamp})
endfunction()

add_library(swivex_libjpeg INTERFACE)
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(SWIVEX_LIBJPEG_ROOT ${CMAKE_BINARY_DIR}/libjpeg-turbo)
  swivex_build_libjpeg(${SWIVEX_LIBJPEG_ROOT})
  add_library(swivex_libjpeg_static STATIC IMPORTED)
  set_target_properties(swivex_libjpeg_static PROPERTIES
                        IMPORTED_LOCATION ${SWIVEX_LIBJPEG_ROOT}/lib/libjpeg.a
                        INTERFACE_INCLUDE_DIRECTORIES ${SWIVEX_LIBJPEG_ROOT}/include)
  target_link_libraries(swivex_libjpeg INTERFACE swivex_libjpeg_static)
else()
  find_package(JPEG REQUIRED)
  if(NOT JPEG_VERSION EQUAL 62)
    message(FATAL_ERROR "LibJpeg: need libjpeg API version 62, found ${JPEG_VERSION} "
                        "(Debian: libjpeg62-turbo-dev)")
  endif()
  target_link_libraries(swivex_libjpeg INTERFACE JPEG::JPEG)
endif()
