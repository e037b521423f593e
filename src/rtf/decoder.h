#pragma once

#include <QString>

#include <array>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace rtf {

class Iconv;

// Turns bytes of a Windows code page into text. Single-byte pages go through a table built once
// from iconv; multi-byte pages through iconv on the whole run, so a lead byte and its trail byte
// meet even when one came as \'hh and the other as plain text.
class Decoder
{
public:
    // Code page of the fonts with the Symbol charset: \'B7 there is a bullet.
    static constexpr int SymbolCodePage = 2;

    static int codePageForCharset(int charset);
    // codePage when it is one of the Windows code pages known here, else 1252.
    static int supportedCodePage(int codePage);

    Decoder();
    ~Decoder();
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    // Appends the text of bytes to out. Control characters other than tab are dropped.
    void decode(std::string_view bytes, int codePage, QString &out);

private:
    using Table = std::array<char16_t, 256>;

    const Table *table(int codePage);
    static bool isMultiByte(int codePage);
    void decodeMultiByte(std::string_view bytes, int codePage, QString &out);

    std::unordered_map<int, Table> m_tables;
    std::unordered_map<int, std::unique_ptr<Iconv>> m_converters;
};

} // namespace rtf
