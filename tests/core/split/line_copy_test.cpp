// Every copy loop the processor runs, for every encoding, against the plain transformation,
// driven the way the engine drives it: small output limits, small line budgets, junk past both
// buffer ends.
#include "core/split/line_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace orvo {
namespace {

const TTextEncoding AllEncodings[] = {TTextEncoding::Bytes,   TTextEncoding::Utf16Le, TTextEncoding::Utf16Be,
                                      TTextEncoding::Utf32Le, TTextEncoding::Utf32Be};

bool BigEndian(TTextEncoding encoding) {
    return encoding == TTextEncoding::Utf16Be || encoding == TTextEncoding::Utf32Be;
}

// A code value as the encoding's bytes.
std::string Unit(TTextEncoding encoding, std::uint32_t value) {
    const std::size_t size = UnitSize(encoding);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t shift = 8 * (BigEndian(encoding) ? size - 1 - i : i);
        bytes[i] = static_cast<char>((value >> shift) & 0xFF);
    }
    return bytes;
}

bool Exact(TCopyRule rule) {
    return rule == TCopyRule::ExactLines || rule == TCopyRule::ExactRecords;
}

bool Records(TCopyRule rule) {
    return rule == TCopyRule::Records || rule == TCopyRule::ExactRecords;
}

// What the plain reading of units [0, end) gives: the quote state at `end`, the record ends, and
// the text as the rule writes it.
struct TPlainCopy {
    std::string Out;
    std::vector<bool> EndsRecord; // per unit
    TQuoteState Quote;
};

TPlainCopy PlainCopy(TTextEncoding encoding, const std::vector<std::uint32_t>& units, TCopyRule rule) {
    TPlainCopy plain;
    plain.EndsRecord.assign(units.size(), false);
    TQuoteState& q = plain.Quote;
    std::uint64_t openerLine = 0; // of the last quote that opened a field
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t unit = units[i];
        const bool inside = Records(rule) && q.Quoted;
        if (unit == 0x1A && !Exact(rule)) break;
        if (unit == '"' && Records(rule)) {
            q.Quoted = !q.Quoted;
            if (q.Quoted) openerLine = q.Lines + 1;
        }
        if (unit == '\n') {
            if (inside && q.QuoteLine == 0) q.QuoteLine = openerLine;
            ++q.Lines;
            if (!inside) {
                plain.EndsRecord[i] = true;
                q.QuoteLine = 0;
            }
        }
        if (Exact(rule) || inside) plain.Out += Unit(encoding, unit);
        else if (unit == '\n') plain.Out += Unit(encoding, '\r') + Unit(encoding, '\n');
        else if (unit != '\r') plain.Out += Unit(encoding, unit);
    }
    return plain;
}

std::vector<std::uint32_t> RandomUnits(TTextEncoding encoding, std::mt19937& random) {
    // The special values, and units whose bytes hold them (0x0A00, 0x0D0A, 0x1A0D, ...) or that
    // differ from them in one bit, among plain text.
    static const std::uint32_t alphabet[] = {0x0A,   0x0D,   0x1A,     0x0B,       0x0C,       0x8A, 0x8D,
                                             0x9A,   0x1B,   0x0A00,   0x0D0A,     0x0A0D,     0x1A00, 0x010A,
                                             0x4E2D, 0xFEFF, 0x0A0000, 0x0D000000, 0x0000000A,
                                             0x22,   0x22,   0x2200,   0x220A,     0x22000000};
    const std::uint32_t mask = UnitSize(encoding) == 1 ? 0xFF : UnitSize(encoding) == 2 ? 0xFFFF : 0xFFFFFFFF;
    std::vector<std::uint32_t> units(std::uniform_int_distribution<std::size_t>(0, 400)(random), 'x');
    const int density = std::uniform_int_distribution<int>(1, 40)(random);
    // Half the texts are CR LF lines, mostly: whole blocks of them are counted without a rewrite,
    // so the odd bare LF, lone CR or SUB among them, and pairs cut by a block's end, matter.
    const bool crlf = random() % 2 == 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        std::uint32_t& unit = units[i];
        if (crlf && i + 1 < units.size() && std::uniform_int_distribution<int>(0, density)(random) == 0) {
            unit = 0x0D;
            units[++i] = 0x0A;
            continue;
        }
        if (std::uniform_int_distribution<int>(0, crlf ? 20 * density : density)(random) == 0)
            unit = alphabet[random() % std::size(alphabet)] & mask;
        if (unit == 0x1A && random() % 4 != 0) unit = 'z'; // keep most of the text reachable
    }
    return units;
}

std::string UnitsText(TTextEncoding encoding, const std::vector<std::uint32_t>& units) {
    std::string text;
    for (const std::uint32_t unit : units)
        text += Unit(encoding, unit);
    return text;
}

void CheckCopier(TTextEncoding encoding, const TNamedCopier& named, TCopyRule rule, std::mt19937& random) {
    const std::size_t size = UnitSize(encoding);
    const std::string name =
        std::string(EncodingName(encoding)) + " " + named.Name + " rule " + std::to_string(static_cast<int>(rule));
    for (int round = 0; round < 300; ++round) {
        const std::vector<std::uint32_t> units = RandomUnits(encoding, random);
        std::string in = UnitsText(encoding, units);
        const std::size_t length = in.size();
        in += std::string(LineCopySlack, '\n'); // junk that must not count
        std::string out(length * 2 + 4 * LineCopySlack, '\0');
        TLineCopy copy{in.data(), in.data() + length, out.data(), nullptr, 0};
        const std::string lf = Unit(encoding, '\n');
        for (;;) {
            const char* before = copy.In;
            // Small budgets and limits, or room for many blocks at a time.
            const bool wide = random() % 2 == 0;
            const std::uint32_t budget = std::uniform_int_distribution<std::uint32_t>(1, wide ? 40 : 4)(random);
            copy.LinesLeft = budget;
            copy.OutLimit = copy.Out + std::uniform_int_distribution<int>(1, wide ? 600 : 40)(random);
            const TCopyStop stop = named.Copier(copy);
            ASSERT_LE(copy.Out, copy.OutLimit + 64 + 2 * size) << name;
            ASSERT_EQ((copy.In - in.data()) % static_cast<std::ptrdiff_t>(size), 0) << name;
            const std::size_t done = static_cast<std::size_t>(copy.In - in.data()) / size;
            const std::vector<std::uint32_t> read(units.begin(), units.begin() + static_cast<std::ptrdiff_t>(done));
            const TPlainCopy plain = PlainCopy(encoding, read, rule);
            const std::size_t first = static_cast<std::size_t>(before - in.data()) / size;
            const auto lines = static_cast<std::uint32_t>(
                std::count(plain.EndsRecord.begin() + static_cast<std::ptrdiff_t>(first), plain.EndsRecord.end(), true));
            ASSERT_EQ(lines, budget - copy.LinesLeft) << name;
            if (Records(rule)) {
                ASSERT_EQ(copy.Quote.Quoted, plain.Quote.Quoted) << name << ", round " << round;
                ASSERT_EQ(copy.Quote.Lines, plain.Quote.Lines) << name << ", round " << round;
                ASSERT_EQ(copy.Quote.QuoteLine, plain.Quote.QuoteLine) << name << ", round " << round;
            }
            if (stop == TCopyStop::LinesDone) {
                ASSERT_EQ(copy.LinesLeft, 0u);
                ASSERT_TRUE(std::equal(lf.begin(), lf.end(), copy.In - size)) << name;
                ASSERT_TRUE(plain.EndsRecord.back()) << name;
            } else if (stop == TCopyStop::OutputFull) {
                ASSERT_GE(copy.Out, copy.OutLimit);
            } else if (stop == TCopyStop::EndOfText) {
                ASSERT_EQ(std::string(copy.In, size), Unit(encoding, 0x1A)) << name;
                break;
            } else {
                ASSERT_EQ(copy.In, copy.InEnd);
                break;
            }
        }
        const std::string written(out.data(), copy.Out);
        ASSERT_EQ(written, PlainCopy(encoding, units, rule).Out) << name << ", round " << round;
    }
}

TEST(LineCopy, EveryCopierOfEveryEncodingMatchesThePlainTransformation) {
    std::mt19937 random(11);
    for (const TTextEncoding encoding : AllEncodings) {
        TNamedCopier copiers[4];
        const std::size_t count = AvailableLineCopiers(encoding, copiers);
        ASSERT_GE(count, 1u);
        for (std::size_t i = 0; i < count; ++i)
            CheckCopier(encoding, copiers[i], TCopyRule::Lines, random);
        EXPECT_EQ(BestLineCopier(encoding), copiers[count - 1].Copier);
    }
    TNamedCopier bytes[4], utf8[4];
    EXPECT_EQ(AvailableLineCopiers(TTextEncoding::Utf8, utf8), AvailableLineCopiers(TTextEncoding::Bytes, bytes));
    EXPECT_EQ(utf8[0].Copier, bytes[0].Copier) << "UTF-8 code units are bytes";
}

// The exact rules and CSV records: quotes split across blocks and calls, doubled quotes, line
// breaks inside quotes, in every encoding, with every copier.
TEST(LineCopy, ExactAndRecordCopiersMatchThePlainReading) {
    std::mt19937 random(12);
    for (const TCopyRule rule : {TCopyRule::ExactLines, TCopyRule::Records, TCopyRule::ExactRecords}) {
        for (const TTextEncoding encoding : AllEncodings) {
            TNamedCopier copiers[4];
            const std::size_t count = AvailableLineCopiers(encoding, copiers, rule);
            for (std::size_t i = 0; i < count; ++i)
                CheckCopier(encoding, copiers[i], rule, random);
            EXPECT_EQ(BestLineCopier(encoding, rule), copiers[count - 1].Copier);
        }
    }
}

// The scanners, driven as the engine drives them: what a scan passes over is written as it is,
// and where it asks for a rewrite the copier of its rule goes on for a while. Together they must
// write what the rule writes and count its lines, whatever the blocks, budgets and stops.
void CheckScanner(TTextEncoding encoding, const TNamedCopier& scanner, TLineCopier copier, TCopyRule rule,
                  std::mt19937& random) {
    const std::size_t size = UnitSize(encoding);
    const std::string name = std::string(EncodingName(encoding)) + " " + scanner.Name + " rule " +
                             std::to_string(static_cast<int>(rule));
    for (int round = 0; round < 300; ++round) {
        const std::vector<std::uint32_t> units = RandomUnits(encoding, random);
        std::string in = UnitsText(encoding, units);
        const std::size_t length = in.size();
        in += std::string(LineCopySlack, '\r'); // junk that must not count
        std::string out(length * 2 + 4 * LineCopySlack, '\0');
        char* const outBegin = out.data();
        TLineCopy copy{in.data(), in.data(), outBegin, nullptr, 0};
        std::uint64_t lines = 0;
        TCopyStop stop = TCopyStop::NeedInput;
        bool scanning = true;
        const char* const end = in.data() + length;
        while (copy.In < end) {
            // The source comes in reads that may cut a CR LF pair.
            if (copy.In == copy.InEnd || random() % 4 == 0) {
                const std::size_t count = std::uniform_int_distribution<std::size_t>(1, 150)(random);
                copy.InEnd = copy.In + std::min(count * size, static_cast<std::size_t>(end - copy.In));
            }
            const char* before = copy.In;
            const std::uint32_t budget = std::uniform_int_distribution<std::uint32_t>(1, 40)(random);
            copy.LinesLeft = budget;
            if (scanning) {
                char* const at = copy.Out;
                copy.OutLimit = at;
                stop = scanner.Copier(copy);
                ASSERT_EQ(copy.Out, at) << name << ": a scan writes nothing";
                ASSERT_NE(stop, TCopyStop::EndOfText) << name;
                ASSERT_EQ((copy.In - in.data()) % static_cast<std::ptrdiff_t>(size), 0) << name;
                std::copy(before, copy.In, copy.Out);
                copy.Out += copy.In - before;
                scanning = stop != TCopyStop::Rewrite;
            } else {
                copy.OutLimit = copy.Out + std::uniform_int_distribution<int>(1, 200)(random);
                stop = copier(copy);
                scanning = true; // wherever the copier stopped
            }
            lines += budget - copy.LinesLeft;
            if (stop == TCopyStop::LinesDone) {
                ASSERT_EQ(copy.LinesLeft, 0u) << name;
            }
            if (stop == TCopyStop::EndOfText) break;
        }
        const TPlainCopy plain = PlainCopy(encoding, units, rule == TCopyRule::ScanLines ? TCopyRule::Lines : TCopyRule::ExactLines);
        ASSERT_EQ(std::string(outBegin, copy.Out), plain.Out) << name << ", round " << round;
        // Lines counted up to where the text ended (SUB) or the source did.
        const std::size_t done = static_cast<std::size_t>(copy.In - in.data()) / size;
        ASSERT_EQ(lines, static_cast<std::uint64_t>(std::count(plain.EndsRecord.begin(),
                                                                 plain.EndsRecord.begin() + static_cast<std::ptrdiff_t>(std::min(done, units.size())), true)))
            << name << ", round " << round;
    }
}

TEST(LineCopy, ScannersPassOnlyOverTextWrittenAsItIs) {
    std::mt19937 random(13);
    for (const TCopyRule rule : {TCopyRule::ScanLines, TCopyRule::ScanExactLines}) {
        const TCopyRule copying = rule == TCopyRule::ScanLines ? TCopyRule::Lines : TCopyRule::ExactLines;
        for (const TTextEncoding encoding : AllEncodings) {
            TNamedCopier scanners[4];
            const std::size_t count = AvailableLineCopiers(encoding, scanners, rule);
            for (std::size_t i = 0; i < count; ++i)
                CheckScanner(encoding, scanners[i], BestLineCopier(encoding, copying), rule, random);
        }
    }
}

} // namespace
} // namespace orvo
