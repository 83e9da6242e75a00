# Warnings as errors for the project's own targets only.
function(dedavuz_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
