# The module check that runs before a control module is loaded. Seeds: a
# 64-bit shared-object image of headers only, whole and cut short (made by
# the same steps as tests/com/ModuleFileTest.cpp builds its image with).
mirtala_fuzzer(module_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/module_file.cpp LIBS mirtala_com)
