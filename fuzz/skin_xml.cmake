vkx_add_fuzzer(skin_xml SOURCES skin_xml.cpp)
