# Flags for every target of the project, applied per target through this interface library:
# warnings, and in optimised builds Debian's hardening (what dpkg-buildflags gives with
# hardening=+all, and stack clash and control-flow protection).
add_library(zandrel_build_flags INTERFACE)
target_compile_options(zandrel_build_flags INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast)
option(ZANDREL_WERROR "Treat the compiler's warnings as errors" OFF)
if(ZANDREL_WERROR)
    target_compile_options(zandrel_build_flags INTERFACE -Werror)
endif()

option(ZANDREL_HARDENING "Harden optimised builds as Debian packages are (off for sanitizer and fuzz builds)" ON)
if(ZANDREL_HARDENING)
    # _FORTIFY_SOURCE works only with optimisation.
    target_compile_definitions(zandrel_build_flags INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    target_compile_options(zandrel_build_flags INTERFACE
        -fstack-protector-strong -fstack-clash-protection -fcf-protection -Wformat -Werror=format-security)
    target_link_options(zandrel_build_flags INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()
