# Warnings for every target of the project: call panelink_warnings(<target>).
function(panelink_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
    if(PANELINK_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
