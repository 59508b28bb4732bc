vkx_add_fuzzer(link_reply SOURCES ${CMAKE_CURRENT_LIST_DIR}/link_reply.cpp LIBS vkxsim)
