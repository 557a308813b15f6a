# Arbitrary answers into the answer parser.
panelink_add_fuzzer(fuzz_parser parser_fuzz.cpp)
