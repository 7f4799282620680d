# Warnings for every target of the project, applied per target through this interface library.
add_library(zandrel_warnings INTERFACE)
target_compile_options(zandrel_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast)
if(ZANDREL_WERROR)
    target_compile_options(zandrel_warnings INTERFACE -Werror)
endif()
