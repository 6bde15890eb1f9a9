# Writes the header with the build's identity for --version: the project
# version, the source revision (git describe, "unknown" outside a git
# checkout) and the build type. Run at every build; the file is rewritten
# only when its text changes, so nothing recompiles otherwise.
#   cmake -DOUT=<header> -DSOURCE_DIR=<dir> -DVERSION=<x.y.z> -DBUILD_TYPE=<type> -P build_info.cmake
set(revision "unknown")
find_program(GIT git)
if(GIT)
    execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} describe --always --dirty --abbrev=12
                    OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed AND described)
        set(revision "${described}")
    endif()
endif()
if(NOT BUILD_TYPE)
    set(BUILD_TYPE "default")
endif()
set(text "// Generated at build time by cli/build_info.cmake; do not edit.
#pragma once

namespace tavro {

/// The project version, the source revision and the build type of this build.
inline constexpr const char* kBuildVersion = \"${VERSION}\";
inline constexpr const char* kBuildRevision = \"${revision}\";
inline constexpr const char* kBuildType = \"${BUILD_TYPE}\";
/// The three for a version line: \"1.0.0, <revision>, Release\".
inline constexpr const char* kBuildText = \"${VERSION}, ${revision}, ${BUILD_TYPE}\";

} // namespace tavro
")
set(old "")
if(EXISTS "${OUT}")
    file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
    file(WRITE "${OUT}" "${text}")
endif()
