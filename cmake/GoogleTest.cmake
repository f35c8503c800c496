# GoogleTest from Debian's packages: the installed library natively, its sources in
# /usr/src/googletest when cross-compiling (the installed library is for the build machine).
if(CMAKE_CROSSCOMPILING)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleTest 1.12 names its targets GTest::gtest and GTest::gtest_main itself.
    if(NOT TARGET GTest::gtest)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
else()
    if(FATHOMLIST_REQUIRE_TESTS)
        find_package(GTest REQUIRED)
    else()
        find_package(GTest)
    endif()
endif()
include(GoogleTest)
