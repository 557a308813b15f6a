# The files the programs read: each loader fed arbitrary files, with a load, save, load again
# check where the format has a writer.
panelink_add_fuzzer(fuzz_link_settings link_settings_fuzz.cpp LIBS commo_formats)
panelink_add_fuzzer(fuzz_port_map port_map_fuzz.cpp LIBS commo_formats)
panelink_add_fuzzer(fuzz_shortcut_files shortcut_files_fuzz.cpp LIBS commo_formats)
panelink_add_fuzzer(fuzz_view_mode view_mode_fuzz.cpp LIBS keyweld_link)
panelink_add_fuzzer(fuzz_ini ini_fuzz.cpp LIBS commo_formats)
