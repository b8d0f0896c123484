// The hand-written forms of fuzz/corpus, value by value: every number of a text form is in its binary with
// the kind and the exact value the C library reads from its text, and every value of every form, text or
// binary, survives text -> binary -> text -> binary. The binaries are read by the tests' own decoder
// (form_decoder.h), not by the reader under test.
#include "form_decoder.h"
#include "object_text_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<fs::path> CorpusFiles(const char* folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(FW_CORPUS_DIR) / folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsNameByte(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' ||
           static_cast<uint8_t>(c) >= 0x80;
}

// The numbers that are property values in a text form, in order: everything but strings, binary data,
// names, and the bracketed child positions and item indexes. INF, -INF and NAN count as numbers.
std::vector<std::string> NumberTokens(const std::string& text) {
    std::vector<std::string> numbers;
    char previous = 0; // the last character that was not blank
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        const size_t start = i;
        if (c == '\'') {
            // Through the closing quote; a doubled quote stands inside.
            for (++i;;) {
                const size_t close = text.find('\'', i);
                i = close == std::string::npos ? text.size() : close + 1;
                if (i == text.size() || text[i] != '\'') break;
                ++i;
            }
        } else if (c == '#') {
            for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            }
        } else if (c == '{') {
            const size_t close = text.find('}', i);
            i = close == std::string::npos ? text.size() : close + 1;
        } else if (IsDigit(c) ||
                   (c == '-' && i + 1 < text.size() && (IsDigit(text[i + 1]) || text[i + 1] == 'I'))) {
            for (++i; i < text.size() &&
                      (IsNameByte(text[i]) ||
                       ((text[i] == '-' || text[i] == '+') && (text[i - 1] == 'e' || text[i - 1] == 'E')));
                 ++i) {
            }
            if (previous != '[') numbers.push_back(text.substr(start, i - start));
        } else if (IsNameByte(c)) {
            for (++i; i < text.size() && IsNameByte(text[i]); ++i) {
            }
            const std::string name = text.substr(start, i - start);
            if (name == "INF" || name == "NAN") numbers.push_back(name);
        } else {
            ++i;
        }
        previous = text[i - 1];
    }
    return numbers;
}

template <class T> std::string HexOf(const T& value, size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    for (size_t i = 0; i < size; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 15];
    }
    return hex;
}

// A currency amount written with at most four decimals, times 10 000.
std::string ScaledCurrency(std::string number) {
    const size_t point = number.find('.');
    std::string decimals = point == std::string::npos ? "" : number.substr(point + 1);
    EXPECT_LE(decimals.size(), 4u) << number;
    decimals.append(4 - decimals.size(), '0');
    return std::to_string(std::strtoll((number.substr(0, point) + decimals).c_str(), nullptr, 10));
}

// The kind and exact value a number of the text must have in the binary, from the C library.
std::pair<std::string, std::string> Expected(const std::string& token) {
    const char suffix = static_cast<char>(std::tolower(static_cast<unsigned char>(token.back())));
    const std::string number = token.substr(0, token.size() - 1);
    if (suffix == 's') return {"single", HexOf(std::strtof(number.c_str(), nullptr), 4)};
    if (suffix == 'd') return {"date", HexOf(std::strtod(number.c_str(), nullptr), 8)};
    if (suffix == 'c') return {"currency", ScaledCurrency(number)};
    if (token.find_first_of(".eEIN") != std::string::npos)
        return {"float", HexOf(std::strtold(token.c_str(), nullptr), 10)};
    errno = 0;
    const long long value = std::strtoll(token.c_str(), nullptr, 10);
    EXPECT_EQ(errno, 0) << token;
    return {"integer", std::to_string(value)};
}

uint8_t SmallestIntegerTag(const std::string& decimal) {
    const long long value = std::stoll(decimal);
    if (value >= INT8_MIN && value <= INT8_MAX) return 2;
    if (value >= INT16_MIN && value <= INT16_MAX) return 3;
    return value >= INT32_MIN && value <= INT32_MAX ? 4 : 19;
}

bool IsNumber(const TDecodedValue& value) {
    return value.Kind == "integer" || value.Kind == "float" || value.Kind == "single" ||
           value.Kind == "currency" || value.Kind == "date";
}

// Text converted once more changes nothing: text -> binary -> text -> binary gives the same bytes.
void ExpectFixedPoint(const std::string& text, const std::string& binary) {
    EXPECT_EQ(ToText(binary), text);
    EXPECT_EQ(ToBinary(text), binary);
}

#if LDBL_MANT_DIG == 64 // the expected float bytes are the machine's own 80-bit layout
TEST(FormCorpusValues, EveryNumberOfTheTextFormsIsInTheBinaryExactly) {
    int numbers = 0;
    for (const fs::path& file : CorpusFiles("real_forms")) {
        SCOPED_TRACE(file.filename().string());
        const std::string source = ReadFile(file);
        const std::vector<TDecodedValue> values = TFormDecoder::Decode(ToBinary(source));
        std::vector<TDecodedValue> decodedNumbers;
        for (const TDecodedValue& value : values)
            if (IsNumber(value)) decodedNumbers.push_back(value);
        const std::vector<std::string> tokens = NumberTokens(source);
        ASSERT_EQ(decodedNumbers.size(), tokens.size());
        for (size_t i = 0; i < tokens.size(); ++i) {
            SCOPED_TRACE(tokens[i] + " at " + decodedNumbers[i].Path);
            const auto [kind, exact] = Expected(tokens[i]);
            EXPECT_EQ(decodedNumbers[i].Kind, kind);
            if (tokens[i] != "NAN") {
                EXPECT_EQ(decodedNumbers[i].Value, exact);
            }
            if (kind == "integer") {
                EXPECT_EQ(decodedNumbers[i].Tag, SmallestIntegerTag(exact));
            }
        }
        numbers += static_cast<int>(tokens.size());
    }
    EXPECT_GE(numbers, 150) << "the corpus holds numbers of every kind";
}
#endif

TEST(FormCorpusValues, TextFormsKeepEveryValueThroughTheRoundTrip) {
    for (const fs::path& file : CorpusFiles("real_forms")) {
        SCOPED_TRACE(file.filename().string());
        const std::string binary = ToBinary(ReadFile(file));
        const std::string text = ToText(binary);
        const std::string again = ToBinary(text);
        EXPECT_EQ(TFormDecoder::Decode(again), TFormDecoder::Decode(binary));
        EXPECT_EQ(again, binary);
        ExpectFixedPoint(text, again);
    }
}

// Binary forms as other programs write them (a resource header, wide strings, wide integers) read back
// with the same values, strings and integers in the framework's own tags.
TEST(FormCorpusValues, BinaryFormsKeepEveryValueThroughText) {
    int files = 0;
    for (const fs::path& file : CorpusFiles("binary_to_text")) {
        SCOPED_TRACE(file.filename().string());
        const std::string original = ReadFile(file);
        const std::string text = ToText(original);
        const std::string binary = ToBinary(text);
        const std::vector<TDecodedValue> before = TFormDecoder::Decode(original);
        const std::vector<TDecodedValue> after = TFormDecoder::Decode(binary);
        ASSERT_EQ(after.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            SCOPED_TRACE(before[i].Path);
            EXPECT_EQ(after[i].Path, before[i].Path);
            EXPECT_EQ(after[i].Kind, before[i].Kind);
            EXPECT_EQ(after[i].Value, before[i].Value);
            if (after[i].Kind == "string") {
                EXPECT_EQ(after[i].Tag, after[i].Value.size() > 255 ? 12 : 6);
            }
            if (after[i].Kind == "integer") {
                EXPECT_EQ(after[i].Tag, SmallestIntegerTag(after[i].Value));
            }
            if (after[i].Kind != "string" && after[i].Kind != "integer") {
                EXPECT_EQ(after[i].Tag, before[i].Tag);
            }
        }
        ExpectFixedPoint(text, binary);
        ++files;
    }
    EXPECT_GE(files, 7);
}

} // namespace
