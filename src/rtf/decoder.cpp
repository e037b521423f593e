#include "rtf/decoder.h"

#include <QByteArray>

#include <cerrno>

#include <iconv.h>

namespace rtf {

namespace {

constexpr char16_t Dropped = 0;

QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case 10000:
        return QByteArrayLiteral("MACINTOSH");
    case 1361:
        return QByteArrayLiteral("JOHAB");
    case 936:
        return QByteArrayLiteral("GBK");
    case 65001:
        return QByteArrayLiteral("UTF-8");
    default:
        return "CP" + QByteArray::number(codePage);
    }
}

} // namespace

class Iconv
{
public:
    explicit Iconv(int codePage)
        : m_cd(iconv_open("UTF-16LE", iconvName(codePage).constData()))
    {
    }
    ~Iconv()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;

    bool valid() const { return m_cd != iconv_t(-1); }

    // Converts as much as it can; returns false when in[*used] is not a valid start.
    bool convert(const char *in, size_t length, size_t *used, char16_t *out, size_t *produced)
    {
        char *src = const_cast<char *>(in);
        size_t srcLeft = length;
        char *dst = reinterpret_cast<char *>(out);
        const size_t capacity = *produced * sizeof(char16_t);
        size_t dstLeft = capacity;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        const size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
        *used = length - srcLeft;
        *produced = (capacity - dstLeft) / sizeof(char16_t);
        return rc != size_t(-1) || errno == E2BIG;
    }

private:
    iconv_t m_cd;
};

namespace {

bool isControl(char16_t c)
{
    return (c < 0x20 && c != u'\t') || c == 0x7f;
}

} // namespace

int Decoder::codePageForCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return SymbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0; // no code page of its own
    }
}

int Decoder::supportedCodePage(int codePage)
{
    // A file names only a few code pages; any other number would cost a converter each.
    static constexpr int known[] = {437, 708, 720, 737, 775, 850, 852, 855, 857, 860, 861, 862,
                                    863, 864, 865, 866, 869, 874, 932, 936, 949, 950, 1250, 1251,
                                    1252, 1253, 1254, 1255, 1256, 1257, 1258, 1361, 10000, 65001};
    for (const int cp : known) {
        if (cp == codePage)
            return codePage;
    }
    return codePage == SymbolCodePage ? codePage : 1252;
}

Decoder::Decoder() = default;
Decoder::~Decoder() = default;

bool Decoder::isMultiByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950
        || codePage == 1361 || codePage == 65001;
}

const Decoder::Table *Decoder::table(int codePage)
{
    auto it = m_tables.find(codePage);
    if (it != m_tables.end())
        return &it->second;
    Table t;
    // Windows passes undefined bytes through as the code point of the same value.
    for (int b = 0; b < 256; ++b)
        t[b] = char16_t(b);
    Iconv cd(codePage == SymbolCodePage ? 1252 : codePage);
    if (!cd.valid())
        return &m_tables.emplace(codePage, *table(1252)).first->second;
    for (int b = 0x80; b < 256; ++b) {
        const char in = char(b);
        char16_t out[2];
        size_t used = 0;
        size_t produced = 2;
        if (cd.convert(&in, 1, &used, out, &produced) && produced == 1)
            t[b] = out[0];
    }
    if (codePage == SymbolCodePage)
        t[0xB7] = u'\u2022';
    for (int b = 0; b < 256; ++b) {
        if (isControl(t[b]))
            t[b] = Dropped;
    }
    return &m_tables.emplace(codePage, t).first->second;
}

void Decoder::decode(std::string_view bytes, int codePage, QString &out)
{
    if (isMultiByte(codePage)) {
        decodeMultiByte(bytes, codePage, out);
        return;
    }
    const Table &t = *table(codePage);
    out.reserve(out.size() + qsizetype(bytes.size()));
    for (const char b : bytes) {
        const char16_t c = t[(unsigned char)b];
        if (c != Dropped)
            out.append(QChar(c));
    }
}

void Decoder::decodeMultiByte(std::string_view bytes, int codePage, QString &out)
{
    auto it = m_converters.find(codePage);
    if (it == m_converters.end())
        it = m_converters.emplace(codePage, std::make_unique<Iconv>(codePage)).first;
    Iconv &cd = *it->second;
    if (!cd.valid()) {
        decode(bytes, 1252, out);
        return;
    }
    // These pages never give more UTF-16 units than bytes, so the text fits in place.
    const qsizetype start = out.size();
    out.resize(start + qsizetype(bytes.size()));
    char16_t *const base = reinterpret_cast<char16_t *>(out.data());
    char16_t *dst = base + start;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t used = 0;
        size_t produced = bytes.size() - pos;
        const bool ok = cd.convert(bytes.data() + pos, bytes.size() - pos, &used, dst, &produced);
        char16_t *kept = dst;
        for (size_t i = 0; i < produced; ++i) {
            if (!isControl(dst[i]))
                *kept++ = dst[i];
        }
        dst = kept;
        pos += used;
        if (!ok && pos < bytes.size()) { // invalid or truncated sequence: one byte is lost
            *dst++ = u'\ufffd';
            ++pos;
        }
    }
    out.resize(dst - base);
}

} // namespace rtf
