// Free-format reads over lines handed in directly: which answers give which
// values, what the items hold after a failure, and how many lines a read
// takes (the next read always starts on the line after).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "textio/free_format_parser.h"

namespace floodwave::textio {
namespace {

class ScriptLines final : public LineSource {
 public:
  explicit ScriptLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  std::optional<std::string_view> NextLine() override {
    if (taken_ == lines_.size()) return std::nullopt;
    return lines_[taken_++];
  }
  std::size_t taken() const { return taken_; }

 private:
  std::vector<std::string> lines_;
  std::size_t taken_ = 0;
};

enum class Kind { kReal, kInteger, kThree, kPause };

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kKeptReal = 777.0f;  // the value every real item starts with
constexpr std::int32_t kKept = 777;  // the value every integer item starts with
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct Row {
  std::vector<std::string> lines;
  Kind kind;
  int status;
  float real = kKeptReal;               // Kind::kReal
  std::vector<std::int32_t> integers{};  // Kind::kInteger (one) and kThree
  std::size_t taken = 1;                 // lines the read consumes
};

Row Real(std::vector<std::string> lines, int status, float value, std::size_t taken = 1) {
  return {std::move(lines), Kind::kReal, status, value, {}, taken};
}
Row Int(std::vector<std::string> lines, int status, std::int32_t value, std::size_t taken = 1) {
  return {std::move(lines), Kind::kInteger, status, kKeptReal, {value}, taken};
}
Row Three(std::vector<std::string> lines, int status, std::vector<std::int32_t> values,
          std::size_t taken = 1) {
  return {std::move(lines), Kind::kThree, status, kKeptReal, std::move(values), taken};
}
Row Pause(std::vector<std::string> lines, int status, std::size_t taken = 1) {
  return {std::move(lines), Kind::kPause, status, kKeptReal, {}, taken};
}

std::string Repeated(char c, std::size_t n) { return std::string(n, c); }

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      // Reals: the answers of the question table.
      Real({"2.5"}, 0, 2.5f),
      Real({"2,5"}, 0, 2.0f),
      Real({"1.5E3"}, 0, 1500.0f),
      Real({"1.5e+3"}, 0, 1500.0f),
      Real({"1.5D3"}, 0, 1500.0f),
      Real({"1.5q3"}, 0, 1500.0f),
      Real({"1.5+3"}, 0, 1500.0f),
      Real({"1.5d+3"}, 0, 1500.0f),
      Real({"1.5-3"}, 0, 1.5e-3f),
      Real({".5"}, 0, 0.5f),
      Real({"+.5"}, 0, 0.5f),
      Real({"5."}, 0, 5.0f),
      Real({"5 m"}, 0, 5.0f),
      Real({"5m"}, 59, kKeptReal),
      Real({"1.5.2"}, 59, kKeptReal),
      Real({"--5"}, 59, kKeptReal),
      Real({"E5"}, 59, kKeptReal),
      Real({"abc"}, 59, kKeptReal),
      Real({"2;5"}, 59, kKeptReal),
      Real({"1E39"}, 64, kInf),
      Real({"-1E39"}, 64, -kInf),
      Real({"3.4028235e38"}, 0, std::numeric_limits<float>::max()),
      Real({"3.5e38"}, 64, kInf),
      Real({"1e400"}, 64, kInf),
      Real({"1" + Repeated('0', 60)}, 64, kInf),
      Real({"1e-50"}, 0, 0.0f),
      Real({"-1e-50"}, 0, -0.0f),
      Real({"1e-45"}, 0, std::numeric_limits<float>::denorm_min()),
      Real({"0e999999999999999999"}, 0, 0.0f),
      Real({"0." + Repeated('0', 59) + "1e61"}, 0, 10.0f),
      // Rounded once from the decimal text: through double the tiny tail
      // would be lost and the tie would go to even (16777216).
      Real({"16777217.000000000000000000001"}, 0, 16777218.0f),
      Real({"16777217"}, 0, 16777216.0f),
      Real({"0.1"}, 0, 0.1f),
      Real({"inf"}, 0, kInf),
      Real({"-Infinity"}, 0, -kInf),
      Real({"-inf"}, 0, -kInf),
      Real({"nan"}, 0, kNaN),
      Real({"+NaN"}, 0, kNaN),
      Real({"infx"}, 64, kKeptReal),
      Real({"n"}, 64, kKeptReal),
      Real({"5n"}, 59, kKeptReal),
      Real({"T"}, 0, -1.0f),
      Real({"true"}, 0, -1.0f),
      Real({".TRUE."}, 0, -1.0f),
      Real({"tree"}, 0, -1.0f),
      Real({".t"}, 0, -1.0f),
      Real({"F"}, 0, 0.0f),
      Real({"false"}, 0, 0.0f),
      Real({"fish"}, 0, 0.0f),
      Real({"'abc'"}, 64, kKeptReal),
      Real({"\"abc\""}, 64, kKeptReal),
      Real({"'unclosed"}, 64, kKeptReal),
      Real({"/"}, 0, kKeptReal),
      Real({","}, 0, kKeptReal),
      Real({",5"}, 0, kKeptReal),
      Real({"5,"}, 0, 5.0f),
      Real({"", "   ", "\t", "2.5"}, 0, 2.5f, 4),
      Real({"\t2.5\t"}, 0, 2.5f),
      Real({"2.5\r"}, 0, 2.5f),
      Real({"5)"}, 0, 5.0f),
      Real({"2*7"}, 0, 7.0f),
      // Forms nobody needs, taken as malformed.
      Real({"."}, 59, kKeptReal),
      Real({"+"}, 59, kKeptReal),
      Real({"-"}, 59, kKeptReal),
      Real({"(1,2)"}, 59, kKeptReal),
      Real({"0*5"}, 59, kKeptReal),
      Real({"1.5E"}, 59, kKeptReal),
      Real({"1.5-"}, 59, kKeptReal),
      Real({"1+2+3"}, 59, kKeptReal),
      Real({"1e5.0"}, 59, kKeptReal),
      Real({"99999999999*5"}, 64, kKeptReal),
      // Integers.
      Int({"25"}, 0, 25),
      Int({"2.5"}, 0, 2),
      Int({"-2.7"}, 0, -2),
      Int({"1E2"}, 0, 100),
      Int({"1.5"}, 0, 1),
      Int({"-0.5"}, 0, 0),
      Int({"1.5-3"}, 0, 0),
      Int({"1E10"}, 0, kMin),
      Int({"2.9e9"}, 0, kMin),
      Int({"-2.9e9"}, 0, kMin),
      Int({"1e400"}, 0, kMin),
      Int({"2147483647.9"}, 0, kMax),
      Int({"-2147483648.9"}, 0, kMin),
      Int({"2147483647.99999999999"}, 0, kMin),  // 2^31 once in double
      Int({"2147483648"}, 64, 0),
      Int({"2147483647"}, 0, kMax),
      Int({"-2147483648"}, 0, kMin),
      Int({"-2147483649"}, 64, 0),
      Int({Repeated('9', 40)}, 64, 0),
      Int({Repeated('0', 40) + "25"}, 0, 25),
      Int({"-0"}, 0, 0),
      Int({"inf"}, 64, 0),
      Int({"nan"}, 64, 0),
      Int({"T"}, 0, -1),
      Int({"F"}, 0, 0),
      Int({"'5'"}, 64, kKept),
      Int({"5m"}, 59, kKept),
      Int({"", " ", "25"}, 0, 25, 3),
      // Three integers.
      Three({"1 50 101"}, 0, {1, 50, 101}),
      Three({"1,50,101"}, 0, {1, 50, 101}),
      Three({"1 , 50 ,101"}, 0, {1, 50, 101}),
      Three({"1\t50\t101"}, 0, {1, 50, 101}),
      Three({"1", "50", "101"}, 0, {1, 50, 101}, 3),
      Three({"1", "", "50", "  ", "101"}, 0, {1, 50, 101}, 5),
      Three({"1,,101"}, 0, {1, kKept, 101}),
      Three({"3*50"}, 0, {50, 50, 50}),
      Three({"4*50 1"}, 0, {50, 50, 50}),
      Three({"2*5 9"}, 0, {5, 5, 9}),
      Three({"7 2*"}, 0, {7, kKept, kKept}),
      Three({"2*", "9"}, 0, {kKept, kKept, 9}, 2),
      Three({"2*,5"}, 0, {kKept, kKept, 5}),
      Three({"3*"}, 0, {kKept, kKept, kKept}),
      Three({",5,6"}, 0, {kKept, 5, 6}),
      Three({"5,", "6 7"}, 0, {5, 6, 7}, 2),
      Three({"1", ",50", "101"}, 0, {1, 50, 101}, 3),
      Three({"1,", ",101"}, 0, {1, kKept, 101}, 2),
      Three({"1 50 /"}, 0, {1, 50, kKept}),
      Three({"1/"}, 0, {1, kKept, kKept}),
      Three({"1,/"}, 0, {1, kKept, kKept}),
      Three({"1 2 3 4"}, 0, {1, 2, 3}),
      Three({"1 x 101"}, 59, {1, kKept, kKept}),
      Three({"1 50 2147483648"}, 64, {1, 50, 0}),
      Three({"1, 'a', 3"}, 64, {1, kKept, kKept}),
      Three({"2*'x'"}, 64, {kKept, kKept, kKept}),
      // The pause: one line, whatever it holds.
      Pause({"5m 'x, / 1e99"}, 0),
      Pause({""}, 0),
      // The end of the input, handed back here; values read stay stored.
      Real({}, kEndOfInput, kKeptReal, 0),
      Real({"", " "}, kEndOfInput, kKeptReal, 2),
      Three({"1 50"}, kEndOfInput, {1, 50, kKept}),
      Three({"2*"}, kEndOfInput, {kKept, kKept, kKept}),
      Pause({}, kEndOfInput, 0),
  };
  return rows;
}

std::string Describe(const Row& row) {
  std::string text;
  for (const std::string& line : row.lines) text += "[" + line.substr(0, 40) + "]";
  return text;
}

bool SameFloat(float a, float b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

TEST(FreeReadTable, AnswersGiveTheirValuesStatusesAndLines) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(Describe(row));
    std::vector<std::string> lines = row.lines;
    const bool ends = row.status == kEndOfInput;
    if (!ends) lines.push_back("4321");  // where the next read must start
    ScriptLines source(lines);

    float real = kKeptReal;
    std::int32_t ints[3] = {kKept, kKept, kKept};
    std::vector<FreeItem> items;
    switch (row.kind) {
      case Kind::kReal: items = {&real}; break;
      case Kind::kInteger: items = {&ints[0]}; break;
      case Kind::kThree: items = {&ints[0], &ints[1], &ints[2]}; break;
      case Kind::kPause: break;
    }
    EXPECT_EQ(ParseFree(source, items), row.status);
    EXPECT_EQ(source.taken(), row.taken);
    if (row.kind == Kind::kReal) {
      EXPECT_TRUE(SameFloat(real, row.real)) << real << " expected " << row.real;
    }
    for (std::size_t i = 0; i < row.integers.size(); ++i) EXPECT_EQ(ints[i], row.integers[i]) << i;

    if (!ends) {
      std::int32_t next = 0;
      const FreeItem follow[] = {&next};
      EXPECT_EQ(ParseFree(source, follow), 0);
      EXPECT_EQ(next, 4321);
    }
  }
}

TEST(FreeReadTable, RealAndIntegerItemsMixInOneRead) {
  float a = 0.0f;
  std::int32_t b = 0;
  float c = 0.0f;
  const FreeItem items[] = {&a, &b, &c};
  ScriptLines source({"3*2.5"});
  EXPECT_EQ(ParseFree(source, items), 0);
  EXPECT_EQ(a, 2.5f);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 2.5f);
}

}  // namespace
}  // namespace floodwave::textio
