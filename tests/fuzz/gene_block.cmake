# The clipboard gene block reader on arbitrary bytes.
mirtala_fuzzer(gene_block SOURCES ${CMAKE_CURRENT_LIST_DIR}/gene_block.cpp LIBS mirtala_document_core)
