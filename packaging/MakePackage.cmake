# Makes the packages of one version from the program folder:
#   cmake -DVERSION=1.0.1.7 -DPRODUCT_VERSION=1.0.1.7 -DPACKAGE_NAME=Swivex-1.0.1.7-win64
#         -DPROGRAM_DIR=... -DPROGRAM_FILES=a;b -DSOURCE_DIR=<repository> -DWORK_DIR=...
#         -DOUTPUT_DIR=... -DWIXL=... [-DZIP=...] -P MakePackage.cmake
# writes OUTPUT_DIR/PACKAGE_NAME.msi, and with ZIP also PACKAGE_NAME.zip, which holds the one
# folder Swivex-VERSION. PRODUCT_VERSION is the programs' version, which README.txt names; only a
# test package has a VERSION of its own. Each package is written beside its final name and
# renamed when complete, so that a failed run leaves no half package behind.
cmake_minimum_required(VERSION 3.25)  # a script has no project to set the policies
include(${CMAKE_CURRENT_LIST_DIR}/PackageScript.cmake)
require_variables(MakePackage.cmake VERSION PRODUCT_VERSION PACKAGE_NAME PROGRAM_DIR PROGRAM_FILES
                  SOURCE_DIR WORK_DIR OUTPUT_DIR WIXL)
set(folder_name "Swivex-${VERSION}")
set(folder ${WORK_DIR}/${folder_name})

# A text for users, with Windows line ends so that every editor shows its lines.
function(write_user_text source target)
  file(READ ${source} text)
  string(CONFIGURE "${text}" text @ONLY)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${target} "${text}")
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${folder} ${OUTPUT_DIR})
foreach(program_file IN LISTS PROGRAM_FILES)
  file(COPY_FILE ${PROGRAM_DIR}/${program_file} ${folder}/${program_file})
endforeach()
set(SWIVEX_VERSION ${PRODUCT_VERSION})
write_user_text(${SOURCE_DIR}/packaging/README.txt ${folder}/README.txt)
write_user_text(${SOURCE_DIR}/LICENSE ${folder}/LICENSE.txt)
write_user_text(${SOURCE_DIR}/THIRD-PARTY-NOTICES.txt ${folder}/THIRD-PARTY-NOTICES.txt)
# wixl takes no absolute paths for the files it packs: everything is named from WORK_DIR.
file(COPY_FILE ${SOURCE_DIR}/resources/Swivex.ico ${WORK_DIR}/Swivex.ico)

set(console 0)
if("swivexc.exe" IN_LIST PROGRAM_FILES)
  set(console 1)
endif()
set(msi ${OUTPUT_DIR}/${PACKAGE_NAME}.msi)
run_tool("wixl" ${WIXL} -a x64 -D Version=${VERSION} -D ConsoleProgram=${console}
         -D ProgramDir=${folder_name} -D TextDir=${folder_name} -D IconFile=Swivex.ico
         -o ${msi}.partial ${SOURCE_DIR}/packaging/Swivex.wxs)
file(RENAME ${msi}.partial ${msi})

if(DEFINED ZIP)
  set(zip ${OUTPUT_DIR}/${PACKAGE_NAME}.zip)
  file(REMOVE ${zip}.partial)
  # -X: no Unix owners and permissions, which mean nothing on Windows.
  run_tool("zip" ${ZIP} -q -X -r ${zip}.partial ${folder_name})
  file(RENAME ${zip}.partial ${zip})
endif()
