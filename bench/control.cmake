# The picture control: cached creation against loading, its paint path against the
# engine's draw, and dispatch against direct calls.
mirtala_bench(control_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_bench.cpp LIBS zubrelle_activex)
add_dependencies(control_bench demo_creature)
target_compile_definitions(control_bench PRIVATE
  MIRTALA_DEMO_IMAGES_DIR="${MIRTALA_DEMO_IMAGES_DIR}"
  MIRTALA_DEMO_BODY_DATA_DIR="${MIRTALA_DEMO_BODY_DATA_DIR}")
