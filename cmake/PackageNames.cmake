# Where the packages go and what they are called, for the packaging and for the tests that
# install them.
set(SWIVEX_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
# swivex_linux_packages(dist_dir deb tarball): the Linux packages that a build linked as it ships
# (build/linux-release) makes in `dist_dir`, the .deb named as Debian names packages.
function(swivex_linux_packages dist_dir deb tarball)
  set(${deb} ${dist_dir}/swivex_${PROJECT_VERSION}_amd64.deb PARENT_SCOPE)
  set(${tarball} ${dist_dir}/swivex-${PROJECT_VERSION}-linux-x86_64.tar.gz PARENT_SCOPE)
endfunction()
# A second installer of a higher version, made only to be installed over the first in a test.
set(SWIVEX_TEST_PACKAGE_DIR ${CMAKE_BINARY_DIR}/test-packages)

# The project's version with its last field one higher: "1.0.1.7" gives "1.0.1.8".
string(REGEX MATCH "^(.*)\\.([0-9]+)$" _ "${PROJECT_VERSION}")
math(EXPR _swivex_next_build "${CMAKE_MATCH_2} + 1")
set(SWIVEX_TEST_PACKAGE_VERSION "${CMAKE_MATCH_1}.${_swivex_next_build}"
    CACHE STRING "Version of the test installer that is installed over the real one")

# swivex_package_name(out version): "Swivex-1.0.1.7-win64", the name of the zip and the MSI
# without their extensions.
function(swivex_package_name out version)
  set(${out} "Swivex-${version}-win64" PARENT_SCOPE)
endfunction()
