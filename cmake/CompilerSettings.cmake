# Warnings and sanitizers for the project's own targets. Every target of ours links
# vostrel_options; third-party headers come in as system includes and stay quiet.
add_library(vostrel_options INTERFACE)
add_library(vostrel::options ALIAS vostrel_options)

target_compile_options(vostrel_options INTERFACE
    -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow)
if(VOSTREL_WERROR)
    target_compile_options(vostrel_options INTERFACE -Werror)
endif()

# The core words its refusals by a switch over their kinds, with no default: a
# kind added without its own words or group must not build, whatever the
# warning settings.
add_library(vostrel_core_options INTERFACE)
add_library(vostrel::core_options ALIAS vostrel_core_options)
target_compile_options(vostrel_core_options INTERFACE -Wswitch-enum -Werror=switch-enum)

if(VOSTREL_SANITIZE)
    set(_vostrel_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(vostrel_options INTERFACE ${_vostrel_san})
    target_link_options(vostrel_options INTERFACE ${_vostrel_san})
    # An index past the end of a std::array stays inside its object, where
    # AddressSanitizer cannot see it; the library's own checks can.
    target_compile_definitions(vostrel_options INTERFACE _GLIBCXX_ASSERTIONS)
endif()

# Added to whatever flags a packager brings in CXXFLAGS, CPPFLAGS and LDFLAGS, never in
# their place; a _FORTIFY_SOURCE level chosen there is kept.
if(VOSTREL_HARDEN)
    if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
        target_compile_definitions(vostrel_options INTERFACE _FORTIFY_SOURCE=2)
    endif()
    target_compile_options(vostrel_options INTERFACE -fstack-protector-strong)
    target_link_options(vostrel_options INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
