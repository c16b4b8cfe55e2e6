# Warnings and sanitizers shared by every target of the project.
function(qz_apply_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wsuggest-override
    -Wimplicit-fallthrough -Wformat=2)
  if(QZ_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(QZ_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
