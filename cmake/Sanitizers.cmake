# Applied to the whole build so that every library and test shares the instrumentation.
if(PANELINK_SANITIZER STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(PANELINK_SANITIZER STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(PANELINK_SANITIZER STREQUAL "fuzz")
    # Coverage for libFuzzer everywhere; the fuzz targets add the driver themselves.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(NOT PANELINK_SANITIZER STREQUAL "")
    message(FATAL_ERROR "PANELINK_SANITIZER must be empty, 'address' or 'thread'")
endif()
