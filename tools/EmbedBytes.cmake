# Turns a binary file into a C++ source defining one function that returns
# its bytes:  cmake -DINPUT=x.bin -DOUTPUT=x.cpp -DFUNCTION=name -P EmbedBytes.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
if(digits EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line keeps the generated file readable.
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}" "// Generated from ${name} by tools/EmbedBytes.cmake at build time.
#include \"tools/AssembledPrograms.h\"

namespace sample {
namespace {
constexpr std::uint8_t Bytes[] = {
    ${bytes}
};
}  // namespace

std::span<const std::uint8_t> ${FUNCTION}() { return Bytes; }

}  // namespace sample
")
