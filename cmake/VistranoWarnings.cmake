# Warnings that catch real faults in byte-level code; applied per target.
function(vistrano_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()
