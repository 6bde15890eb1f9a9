# Writes one file as a C++ byte array: cmake -DINPUT= -DOUTPUT= -DSYMBOL= -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
extern const unsigned char ${SYMBOL}[];
extern const unsigned long ${SYMBOL}_size;
alignas(8) const unsigned char ${SYMBOL}[] = {
${bytes}0x00};
const unsigned long ${SYMBOL}_size = ${size};
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
