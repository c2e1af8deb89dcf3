# One interface target carries the warning and sanitizer flags; every library,
# executable and test links it so the whole tree is built the same way.
add_library(orvex_compile_settings INTERFACE)
target_compile_options(orvex_compile_settings INTERFACE -Wall -Wextra -Wpedantic)
if(ORVEX_WERROR)
  target_compile_options(orvex_compile_settings INTERFACE -Werror)
endif()
if(ORVEX_SANITIZE)
  target_compile_options(orvex_compile_settings INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(orvex_compile_settings INTERFACE -fsanitize=address,undefined)
endif()
