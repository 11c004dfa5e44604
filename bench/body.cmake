# The body engine: loading a body, still poses at four scales and a walk frame, each
# beside a plain fill of the same bitmap.
mirtala_bench(body_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/body_bench.cpp LIBS zubrelle_body)
add_dependencies(body_bench demo_creature)
target_compile_definitions(body_bench PRIVATE
  MIRTALA_DEMO_IMAGES_DIR="${MIRTALA_DEMO_IMAGES_DIR}"
  MIRTALA_DEMO_BODY_DATA_DIR="${MIRTALA_DEMO_BODY_DATA_DIR}")
