# Receive framing of the link: arbitrary bytes in arbitrary chunks, with line errors.
panelink_add_fuzzer(fuzz_framing framing_fuzz.cpp)
