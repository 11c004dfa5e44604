# Attachment files on arbitrary bytes, in memory and through the part loader.
mirtala_fuzzer(body_attachment SOURCES ${CMAKE_CURRENT_LIST_DIR}/body_attachment.cpp LIBS zubrelle_body mirtala_democreature)
