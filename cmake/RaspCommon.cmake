# Compile settings shared by every target of the project.
add_library(RaspCommon INTERFACE)
target_compile_features(RaspCommon INTERFACE cxx_std_20)
target_compile_options(RaspCommon INTERFACE -Wall -Wextra)
# CI builds with warnings as errors (.ci/run sets RASP_WERROR=ON for scripts/build).
option(RASP_WERROR "Treat compiler warnings as errors" OFF)
if(RASP_WERROR)
  target_compile_options(RaspCommon INTERFACE -Werror)
endif()
target_compile_definitions(RaspCommon INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
