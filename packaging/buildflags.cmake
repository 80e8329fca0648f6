# How the program is compiled when nobody says: optimised, and with the
# distribution's hardening flags (stack protector, fortified functions,
# read-only relocations, immediate binding), as a Debian package would be.
# Included before any target exists, so that every library gets the flags.

get_property(qelunMultiConfig GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
if(NOT qelunMultiConfig AND NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING
        "Build type: Debug, Release, RelWithDebInfo or MinSizeRel" FORCE)
endif()

find_program(QELUN_DPKG_BUILDFLAGS dpkg-buildflags)
# A build for /usr is one for a package: it is compiled with the hardening
# flags. Other builds (the default prefix /usr/local, the tests) are linked
# with them only, so that switching costs no recompilation of every object.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(qelunHardeningDefault ON)
else()
    set(qelunHardeningDefault OFF)
endif()
option(QELUN_HARDENING "Compile with the hardening flags of dpkg-buildflags (default: ON for the prefix /usr)"
       ${qelunHardeningDefault})
option(QELUN_HARDENED_LINK "Link with the hardening flags of dpkg-buildflags" ON)

# dpkg-buildflags' own -g and -O2 are the build type's business; the prefix
# map names the source folder, which would keep ccache from sharing objects
# between checkouts.
function(qelun_dpkg_flags kind result)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${QELUN_DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        set(${result} "" PARENT_SCOPE)
        return()
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-g$|^-O[0-9s]?$|^-f(file|debug|macro)-prefix-map=")
    list(JOIN flags " " flags)
    set(${result} "${flags}" PARENT_SCOPE)
endfunction()

if(QELUN_DPKG_BUILDFLAGS AND QELUN_HARDENED_LINK)
    qelun_dpkg_flags(LDFLAGS qelunLdFlags)
    string(APPEND CMAKE_EXE_LINKER_FLAGS " ${qelunLdFlags}")
    string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${qelunLdFlags}")
endif()
# At -O0 glibc's fortified functions are not used and every file warns.
if(QELUN_DPKG_BUILDFLAGS AND QELUN_HARDENING AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    qelun_dpkg_flags(CPPFLAGS qelunCppFlags)
    qelun_dpkg_flags(CXXFLAGS qelunCxxFlags)
    string(APPEND CMAKE_CXX_FLAGS " ${qelunCppFlags} ${qelunCxxFlags}")
endif()
message(STATUS "Hardening: compile '${qelunCppFlags} ${qelunCxxFlags}', link '${qelunLdFlags}'")
