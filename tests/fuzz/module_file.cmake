# The module check that runs before a control module is loaded. Seeds: a
# 248-byte 64-bit shared-object image of headers only (file header, one loadable
# segment over the headers, two section headers), whole and cut short at 200 bytes.
mirtala_fuzzer(module_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/module_file.cpp LIBS mirtala_com)
