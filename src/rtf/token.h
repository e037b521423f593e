#pragma once

#include <QtGlobal>

#include <string_view>

namespace rtf {

// One lexical unit of RTF. Views point into the input, which outlives the token.
struct Token {
    enum Type { End, GroupOpen, GroupClose, ControlWord, ControlSymbol, HexByte, Text, Binary };

    Type type = End;
    std::string_view bytes; // word letters, text run or binary data
    int param = 0;
    bool hasParam = false;
    char symbol = 0;          // ControlSymbol; '\n' stands for a backslash before a line end
    unsigned char hexByte = 0; // HexByte
    qsizetype offset = 0;     // where the token starts in the input
};

} // namespace rtf
