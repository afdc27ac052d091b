# Installs the build into a scratch prefix and checks what lands where.
# Run as: cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -P install_test.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path bin/vorma share/man/man1/vorma.1)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(GLOB_RECURSE installed RELATIVE "${PREFIX}" "${PREFIX}/*")
list(LENGTH installed count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "installed more than the binary and its page: ${installed}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
