# Nayuki's QR Code generator (MIT), from the upstream source that
# scripts/setup.sh unpacks into the build tree. It is built as its authors
# build it, without our warning flags, and its header is a system header to us.
set(TW_QRCODEGEN_DIR ${CMAKE_SOURCE_DIR}/build/third_party/QR-Code-generator-1.8.0/cpp
    CACHE PATH "The cpp folder of Nayuki's QR Code generator")
if(NOT EXISTS ${TW_QRCODEGEN_DIR}/qrcodegen.cpp)
  message(FATAL_ERROR "The QR Code generator's source is missing from ${TW_QRCODEGEN_DIR}: "
                      "run scripts/setup.sh")
endif()
add_library(qrcodegen STATIC ${TW_QRCODEGEN_DIR}/qrcodegen.cpp)
target_include_directories(qrcodegen SYSTEM INTERFACE ${TW_QRCODEGEN_DIR})
