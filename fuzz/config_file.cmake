vkx_add_fuzzer(config_file SOURCES config_file.cpp)
