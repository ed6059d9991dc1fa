#include "imaging/decoders/CCITTDecoder.h"

#include "imaging/decoders/CCITTCodeTables.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Lookup by the next 13 bits (the longest run code): the code's length and
// run, length 0 for no code.
constexpr unsigned kRunBits = 13;

struct RunEntry
{
    uint16_t run = 0;
    uint8_t length = 0;
};

using RunTable = std::array<RunEntry, 1u << kRunBits>;

void AddCodes(RunTable &table, const TCCITTRunCode *codes, int count)
{
    for (int i = 0; i < count; ++i) {
        const unsigned length = unsigned(std::strlen(codes[i].bits));
        unsigned value = 0;
        for (unsigned b = 0; b < length; ++b)
            value = value << 1 | unsigned(codes[i].bits[b] == '1');
        const unsigned first = value << (kRunBits - length);
        for (unsigned index = first; index < first + (1u << (kRunBits - length)); ++index)
            table[index] = RunEntry{codes[i].run, uint8_t(length)};
    }
}

const RunTable &WhiteTable()
{
    static const RunTable table = [] {
        RunTable t{};
        AddCodes(t, kCCITTWhiteCodes, kCCITTWhiteCodeCount);
        AddCodes(t, kCCITTExtendedMakeUpCodes, kCCITTExtendedMakeUpCodeCount);
        return t;
    }();
    return table;
}

const RunTable &BlackTable()
{
    static const RunTable table = [] {
        RunTable t{};
        AddCodes(t, kCCITTBlackCodes, kCCITTBlackCodeCount);
        AddCodes(t, kCCITTExtendedMakeUpCodes, kCCITTExtendedMakeUpCodeCount);
        return t;
    }();
    return table;
}

// Two-dimensional mode codes (T.4 table 4): pass 0001, horizontal 001,
// vertical 1 (V0), 011/000011/0000011 (VR1-3), 010/000010/0000010 (VL1-3).
enum class Mode { Invalid, Pass, Horizontal, Vertical };

struct ModeEntry
{
    Mode mode = Mode::Invalid;
    int8_t offset = 0;
    uint8_t length = 0;
};

const std::array<ModeEntry, 128> &ModeTable()
{
    static const std::array<ModeEntry, 128> table = [] {
        std::array<ModeEntry, 128> t{};
        struct Code { const char *bits; Mode mode; int8_t offset; };
        const Code codes[] = {
            {"1", Mode::Vertical, 0},       {"011", Mode::Vertical, 1},     {"000011", Mode::Vertical, 2},
            {"0000011", Mode::Vertical, 3}, {"010", Mode::Vertical, -1},    {"000010", Mode::Vertical, -2},
            {"0000010", Mode::Vertical, -3}, {"001", Mode::Horizontal, 0},  {"0001", Mode::Pass, 0},
        };
        for (const Code &code : codes) {
            const unsigned length = unsigned(std::strlen(code.bits));
            unsigned value = 0;
            for (unsigned b = 0; b < length; ++b)
                value = value << 1 | unsigned(code.bits[b] == '1');
            const unsigned first = value << (7 - length);
            for (unsigned index = first; index < first + (1u << (7 - length)); ++index)
                t[index] = ModeEntry{code.mode, code.offset, uint8_t(length)};
        }
        return t;
    }();
    return table;
}

} // namespace

uint32_t TCCITTDecoder::BitReader::Peek(unsigned count) const
{
    const size_t byte = m_pos >> 3;
    const size_t size = m_bits >> 3;
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | (byte + i < size ? m_data[byte + i] : 0u);
    value <<= (m_pos & 7);
    return value >> (32 - count);
}

size_t TCCITTDecoder::BitReader::ZeroRun() const
{
    size_t pos = m_pos;
    while (pos < m_bits) {
        if ((pos & 7) == 0 && m_data[pos >> 3] == 0 && pos + 8 <= m_bits) {
            pos += 8;
            continue;
        }
        if (m_data[pos >> 3] & (0x80 >> (pos & 7)))
            break;
        ++pos;
    }
    return pos - m_pos;
}

bool TCCITTDecoder::BitReader::SkipEOLs()
{
    bool found = false;
    for (;;) {
        const size_t zeros = ZeroRun();
        if (zeros < 11 || m_pos + zeros >= m_bits)
            return found;
        m_pos += zeros + 1;
        found = true;
    }
}

bool TCCITTDecoder::BitReader::FindEOL()
{
    while (m_pos < m_bits) {
        const size_t zeros = ZeroRun();
        if (m_pos + zeros >= m_bits)
            break;
        if (zeros >= 11)
            return true;
        m_pos += zeros + 1;
    }
    m_pos = m_bits;
    return false;
}

TCCITTDecoder::TCCITTDecoder(uint32_t width) : m_width(width) {}

size_t TCCITTDecoder::RowsWanted(std::span<uint8_t> dest, size_t unpackedCount) const
{
    const size_t rowBytes = RowBytes();
    if (rowBytes == 0)
        return 0;
    return std::min(unpackedCount, dest.size()) / rowBytes;
}

int64_t TCCITTDecoder::ReadRun(BitReader &reader, bool white) const
{
    const RunTable &table = white ? WhiteTable() : BlackTable();
    int64_t total = 0;
    for (;;) {
        if (reader.Exhausted())
            return -1;
        const RunEntry entry = table[reader.Peek(kRunBits)];
        if (entry.length == 0)
            return -1;
        reader.Skip(entry.length);
        // Runs beyond the row are cut to it; the saturation keeps endless
        // make-up codes from overflowing.
        total = std::min<int64_t>(total + entry.run, int64_t(m_width) + 1);
        if (entry.run < 64)
            return total;
    }
}

bool TCCITTDecoder::Damaged(Changes &row) const
{
    // The colour in progress has no known end: the rest of the row is left
    // white rather than filled with it.
    if (row.size() % 2)
        row.pop_back();
    return false;
}

void TCCITTDecoder::Push(Changes &row, uint32_t position) const
{
    // Two changes at the same place cancel: the list keeps the colour of
    // the real pixels, which is what the next row refers to.
    if (!row.empty() && row.back() == position)
        row.pop_back();
    else
        row.push_back(position);
}

void TCCITTDecoder::ResetReference(Changes &reference) const
{
    reference.clear();
    FinishRow(reference);
}

void TCCITTDecoder::FinishRow(Changes &row) const
{
    row.insert(row.end(), {m_width, m_width, m_width});
}

bool TCCITTDecoder::DecodeRow1D(BitReader &reader, Changes &row) const
{
    row.clear();
    int64_t a0 = 0;
    bool white = true;
    while (a0 < int64_t(m_width)) {
        const int64_t run = ReadRun(reader, white);
        if (run < 0)
            return Damaged(row);
        a0 = std::min<int64_t>(a0 + run, m_width);
        Push(row, uint32_t(a0));
        white = !white;
    }
    return true;
}

bool TCCITTDecoder::DecodeRow2D(BitReader &reader, const Changes &reference, Changes &row) const
{
    row.clear();
    const int64_t width = m_width;
    int64_t a0 = -1;
    bool white = true;
    size_t bi = 0;
    const auto &modes = ModeTable();
    while (a0 < width) {
        // b1: the first change on the reference line right of a0 that turns
        // to the opposite of the current colour (even entries turn to black).
        while (bi > 0 && int64_t(reference[bi - 1]) > a0)
            --bi;
        while (int64_t(reference[bi]) <= a0)
            ++bi;
        if ((bi & 1) != (white ? 0u : 1u))
            ++bi;
        const int64_t b1 = reference[bi];
        const int64_t b2 = reference[bi + 1];

        if (reader.Exhausted())
            return Damaged(row);
        const ModeEntry entry = modes[reader.Peek(7)];
        if (entry.mode == Mode::Invalid)
            return Damaged(row);
        reader.Skip(entry.length);
        const int64_t start = std::max<int64_t>(a0, 0);
        switch (entry.mode) {
        case Mode::Pass:
            a0 = b2;
            break;
        case Mode::Horizontal: {
            const int64_t run1 = ReadRun(reader, white);
            if (run1 < 0)
                return Damaged(row);
            const int64_t run2 = ReadRun(reader, !white);
            if (run2 < 0)
                return Damaged(row);
            const int64_t a1 = std::min(start + run1, width);
            const int64_t a2 = std::min(a1 + run2, width);
            Push(row, uint32_t(a1));
            Push(row, uint32_t(a2));
            a0 = a2;
            break;
        }
        case Mode::Vertical: {
            const int64_t a1 = b1 + entry.offset;
            if (a1 < start || a1 > width)
                return Damaged(row);
            Push(row, uint32_t(a1));
            a0 = a1;
            white = !white;
            break;
        }
        case Mode::Invalid:
            return Damaged(row);
        }
    }
    return true;
}

void TCCITTDecoder::WriteRow(const Changes &row, uint8_t *dest) const
{
    std::memset(dest, 0, RowBytes());
    for (size_t i = 0; i + 1 <= row.size(); i += 2) {
        const uint32_t from = std::min(row[i], m_width);
        const uint32_t to = i + 1 < row.size() ? std::min(row[i + 1], m_width) : m_width;
        if (from >= m_width)
            break;
        // Set bits [from, to): partial first byte, whole bytes, partial last.
        uint32_t x = from;
        while (x < to && (x & 7)) {
            dest[x >> 3] |= uint8_t(0x80 >> (x & 7));
            ++x;
        }
        if (x + 8 <= to) {
            const uint32_t whole = (to - x) >> 3;
            std::memset(dest + (x >> 3), 0xFF, whole);
            x += whole << 3;
        }
        while (x < to) {
            dest[x >> 3] |= uint8_t(0x80 >> (x & 7));
            ++x;
        }
    }
}
