# Read by cpack before it packs.
if(NOT CPACK_RETTERUM_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  message(FATAL_ERROR "The package is made from a Release or RelWithDebInfo build, not from "
                      "\"${CPACK_RETTERUM_BUILD_TYPE}\" (scripts/package makes one).")
endif()
