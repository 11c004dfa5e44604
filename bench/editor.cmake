# The editor's form view: opening a large genome into a view against reading it
# alone, and adding one pose to that view through the hint.
if(TARGET mirtala_ui)
  mirtala_bench(editor_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/editor_bench.cpp LIBS mirtala_ui)
endif()
