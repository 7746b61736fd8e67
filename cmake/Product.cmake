# One generated header holds the product's name, version and web address,
# taken from project(): the about box, the feedback mail's subject and the
# Windows resource file read it, and the manifest is configured from the same
# variables, so none of them can state another version.
if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+$")
  # The mail subject turns the version into text as a floating-point number.
  message(FATAL_ERROR "the version must be major.minor, not ${PROJECT_VERSION}")
endif()
set(DORVANE_PRODUCT_NAME "${PROJECT_DESCRIPTION}")
set(DORVANE_PRODUCT_URL "${PROJECT_HOMEPAGE_URL}")
# The address as the about box shows it: without scheme and trailing slash.
string(REGEX REPLACE "^[a-z]+://([^/]*)/?$" "\\1" DORVANE_PRODUCT_HOST "${PROJECT_HOMEPAGE_URL}")

set(DORVANE_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Product.h.in ${DORVANE_GENERATED_DIR}/product/Product.h @ONLY)
add_library(dorvane_product INTERFACE)
target_include_directories(dorvane_product INTERFACE ${DORVANE_GENERATED_DIR})
