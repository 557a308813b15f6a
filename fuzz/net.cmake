# Arbitrary lines into the rigctld protocol parser and its answers.
panelink_add_fuzzer(fuzz_rig_command rig_command_fuzz.cpp)
target_link_libraries(fuzz_rig_command PRIVATE panelink_net)
