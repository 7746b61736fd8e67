# GoogleTest built from source with the project's own compiler, for the
# Windows builds, whose compiler has no GoogleTest package: Debian's
# googletest source package, /usr/src/googletest by default.
#
# The suites' find_package(GTest) then finds these targets through a small
# package file, so their CMakeLists stay the same for every build.

set(DORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build the test programs with")
if(NOT EXISTS ${DORVANE_GOOGLETEST_SOURCE}/googletest/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${DORVANE_GOOGLETEST_SOURCE} "
                      "(Debian package googletest, or set DORVANE_GOOGLETEST_SOURCE)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${DORVANE_GOOGLETEST_SOURCE}/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# Recent GoogleTest names its targets so itself; older releases do not.
if(NOT TARGET GTest::gtest)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()

set(package_dir ${CMAKE_BINARY_DIR}/googletest-package)
file(WRITE ${package_dir}/GTestConfig.cmake
  "# GoogleTest as built from source by this project (see cmake/GoogleTestFromSource.cmake).\n"
  "if(NOT TARGET GTest::gtest)\n  set(GTest_FOUND FALSE)\nendif()\n")
set(GTest_DIR ${package_dir} CACHE PATH "GoogleTest package file" FORCE)
