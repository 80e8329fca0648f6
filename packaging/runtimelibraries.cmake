# Libraries the program opens by their soname when it first needs them rather
# than loads at every start (Linux only; elsewhere they are linked, where the
# ports' packaging finds and ships them).
#
#   qelun_link_or_open(<target> <pkg-config prefix> <imported target> <definition>)
#
# On Linux, when the library's soname can be read, <target> is compiled with
# <definition>="<soname>" and the library's headers and not linked with it;
# otherwise it is linked with <imported target>. Each library opened so
# becomes a dependency of the Debian package, which dpkg-shlibdeps cannot see.
function(qelun_link_or_open target prefix imported definition)
    set(soname "")
    if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_OBJDUMP)
        find_library(${prefix}_RUNTIME_FILE NAMES ${${prefix}_LIBRARIES} HINTS ${${prefix}_LIBRARY_DIRS})
        if(${prefix}_RUNTIME_FILE)
            execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${${prefix}_RUNTIME_FILE}
                            OUTPUT_VARIABLE headers ERROR_QUIET)
            if(headers MATCHES "SONAME +(lib[^ \n]+)")
                set(soname "${CMAKE_MATCH_1}")
            endif()
        endif()
    endif()
    if(NOT soname)
        target_link_libraries(${target} PRIVATE ${imported})
        return()
    endif()
    target_compile_definitions(${target} PRIVATE ${definition}="${soname}")
    target_include_directories(${target} PRIVATE ${${prefix}_INCLUDE_DIRS})
    # Debian names a library's package after its soname: libzip.so.4 is in
    # libzip4.
    if(soname MATCHES "^(lib.+)\\.so\\.([0-9]+)$")
        set(package "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
        if(CMAKE_MATCH_1 MATCHES "[0-9]$")
            set(package "${CMAKE_MATCH_1}-${CMAKE_MATCH_2}")
        endif()
        string(TOLOWER "${package}" package)
        set_property(GLOBAL APPEND PROPERTY QELUN_OPENED_LIBRARY_PACKAGES "${package}")
    endif()
endfunction()
