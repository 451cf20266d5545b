# Makes the Linux packages from the programs of a build linked as they ship (SWIVEX_STATIC):
#   cmake -DVERSION=1.0.1.7 -DRUFFLE_VERSION=0.6.0 -DPROGRAM_DIR=... -DSOURCE_DIR=<repository>
#         -DWORK_DIR=... -DDEB=.../swivex_1.0.1.7_amd64.deb
#         -DTARBALL=.../swivex-1.0.1.7-linux-x86_64.tar.gz -DDPKG_DEB=... -DTAR=... -DOBJDUMP=...
#         -P MakeLinuxPackage.cmake
# writes DEB, which installs /usr/bin/swivexc and /usr/lib/swivex/viewhost (where swivexc looks
# for it), and TARBALL, which holds one folder of its own name with bin/swivexc and
# lib/swivex/viewhost; each with the README and the licence texts. Each package is written beside
# its final name and renamed when complete, so that a failed run leaves no half package behind.
cmake_minimum_required(VERSION 3.25)  # a script has no project to set the policies
include(${CMAKE_CURRENT_LIST_DIR}/PackageScript.cmake)
require_variables(MakeLinuxPackage.cmake VERSION RUFFLE_VERSION PROGRAM_DIR SOURCE_DIR WORK_DIR DEB
                  TARBALL DPKG_DEB TAR OBJDUMP)

# The newest version of the C library that the programs ask for: the one the package needs.
set(glibc_major 2)
set(glibc_minor 0)
foreach(program swivexc viewhost)
  execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM_DIR}/${program} OUTPUT_VARIABLE headers
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "objdump cannot read ${PROGRAM_DIR}/${program}")
  endif()
  string(REGEX MATCHALL "GLIBC_2\\.[0-9]+" versions "${headers}")
  foreach(version IN LISTS versions)
    string(REGEX REPLACE "GLIBC_2\\." "" minor ${version})
    if(minor GREATER glibc_minor)
      set(glibc_minor ${minor})
    endif()
  endforeach()
endforeach()
set(SWIVEX_GLIBC_VERSION ${glibc_major}.${glibc_minor})
set(SWIVEX_VERSION ${VERSION})
set(SWIVEX_RUFFLE_VERSION ${RUFFLE_VERSION})

file(READ ${SOURCE_DIR}/packaging/README-linux.txt readme)
string(CONFIGURE "${readme}" readme @ONLY)
file(READ ${SOURCE_DIR}/LICENSE licence)
file(READ ${SOURCE_DIR}/THIRD-PARTY-NOTICES.txt notices)

# Puts the programs into the folders `programs` and `stub` of `root`.
function(add_programs root programs stub)
  file(MAKE_DIRECTORY ${root}/${programs} ${root}/${stub})
  file(COPY_FILE ${PROGRAM_DIR}/swivexc ${root}/${programs}/swivexc)
  file(COPY_FILE ${PROGRAM_DIR}/viewhost ${root}/${stub}/viewhost)
endfunction()

# Whatever the builder's umask: everyone may read everything below `root` and run the programs.
function(set_modes root programs stub)
  set(read OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  set(run OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
  file(CHMOD_RECURSE ${root} FILE_PERMISSIONS ${read} DIRECTORY_PERMISSIONS ${read} ${run})
  file(CHMOD ${root}/${programs}/swivexc ${root}/${stub}/viewhost PERMISSIONS ${read} ${run})
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
get_filename_component(deb_folder ${DEB} DIRECTORY)
get_filename_component(tarball_folder ${TARBALL} DIRECTORY)
file(MAKE_DIRECTORY ${WORK_DIR} ${deb_folder} ${tarball_folder})

# The .deb: what dpkg installs, with its control file. The texts go where Debian keeps them.
set(deb_root ${WORK_DIR}/deb)
add_programs(${deb_root} usr/bin usr/lib/swivex)
set(doc ${deb_root}/usr/share/doc/swivex)
file(WRITE ${doc}/README "${readme}")
file(WRITE ${doc}/copyright "${licence}\n${notices}")
file(GLOB_RECURSE installed LIST_DIRECTORIES false ${deb_root}/usr/*)
set(installed_bytes 0)
foreach(file IN LISTS installed)
  file(SIZE ${file} size)
  math(EXPR installed_bytes "${installed_bytes} + ${size}")
endforeach()
math(EXPR installed_kib "(${installed_bytes} + 1023) / 1024")
file(WRITE ${deb_root}/DEBIAN/control "Package: swivex
Version: ${VERSION}
Architecture: amd64
Maintainer: Swivex developers
Installed-Size: ${installed_kib}
Depends: libc6 (>= ${SWIVEX_GLIBC_VERSION})
Recommends: xdg-utils
Section: utils
Priority: optional
Description: Flash movies to projectors, web folders and back
 swivexc turns a Flash movie (SWF) into a projector for Linux, one program that
 plays the movie in the default web browser with the Flash player Ruffle that it
 carries; it takes the movie back out of a projector, tells what is in a movie,
 writes its pictures, and writes a folder that plays the movie from a web server.
")
set_modes(${deb_root} usr/bin usr/lib/swivex)
run_tool("dpkg-deb" ${DPKG_DEB} --root-owner-group -Zgzip --build ${deb_root} ${DEB}.partial)
file(RENAME ${DEB}.partial ${DEB})

# The .tar.gz: one folder to unpack anywhere, in which swivexc finds the stub as it does when
# installed.
get_filename_component(name ${TARBALL} NAME)
string(REGEX REPLACE "\\.tar\\.gz$" "" name ${name})
set(tar_root ${WORK_DIR}/tar/${name})
add_programs(${tar_root} bin lib/swivex)
file(WRITE ${tar_root}/README "${readme}")
file(WRITE ${tar_root}/LICENSE "${licence}")
file(WRITE ${tar_root}/THIRD-PARTY-NOTICES.txt "${notices}")
set_modes(${tar_root} bin lib/swivex)
run_tool("tar" ${TAR} --owner=0 --group=0 --numeric-owner --sort=name -czf ${TARBALL}.partial
         -C ${WORK_DIR}/tar ${name})
file(RENAME ${TARBALL}.partial ${TARBALL})
