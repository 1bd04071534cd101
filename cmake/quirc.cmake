# quirc (ISC), the QR decoder of both platforms, from the C source that
# scripts/setup.sh takes from the npm package node-quirc into the build tree.
# It is built as its authors build it (node-quirc's own definition of the region
# limit), without our warning flags, and its header is a system header to us.
set(TW_QUIRC_DIR ${CMAKE_SOURCE_DIR}/build/third_party/quirc
    CACHE PATH "The folder of quirc's C source")
if(NOT EXISTS ${TW_QUIRC_DIR}/quirc.h)
  message(FATAL_ERROR "quirc's source is missing from ${TW_QUIRC_DIR}: run scripts/setup.sh")
endif()
add_library(quirc STATIC ${TW_QUIRC_DIR}/decode.c ${TW_QUIRC_DIR}/identify.c
  ${TW_QUIRC_DIR}/quirc.c ${TW_QUIRC_DIR}/version_db.c)
target_compile_definitions(quirc PRIVATE QUIRC_MAX_REGIONS=65534)
target_include_directories(quirc SYSTEM INTERFACE ${TW_QUIRC_DIR})
