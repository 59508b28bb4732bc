# Language files (.lna/.lng) lie beside the program and may be damaged or hostile.
vkx_add_fuzzer(lang_table SOURCES lang_table.cpp)
