// Records composed from layouts: field editing through the layout items,
// record ends, skips, the stay-on-the-line mark, free-format records and
// editing into a text field.
#include "textio/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace floodwave::textio {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// One field written alone, with the record left open so that the bytes are
// exactly the field's w characters.
template <class Item, class V>
std::string Field(V value) {
  return FormatLayout(Layout<Item, Dollar>{}, value);
}

struct FixedCase {
  const char* item;
  int w;
  int d;
  std::string (*through_layout)(float);
  float value;
  const char* field;
};

TEST(LayoutFields, FixedPointTable) {
  const FixedCase cases[] = {
      {"F7.3", 7, 3, &Field<F<7, 3>, float>, 0.5f, "  0.500"},
      {"F7.3", 7, 3, &Field<F<7, 3>, float>, -0.5f, " -0.500"},
      {"F5.3", 5, 3, &Field<F<5, 3>, float>, -0.5f, "-.500"},
      {"F4.3", 4, 3, &Field<F<4, 3>, float>, 0.5f, ".500"},
      {"F6.4", 6, 4, &Field<F<6, 4>, float>, 0.025f, "0.0250"},
      {"F6.4", 6, 4, &Field<F<6, 4>, float>, -0.025f, "-.0250"},
      {"F8.3", 8, 3, &Field<F<8, 3>, float>, -0.0004f, "   0.000"},
      {"F8.3", 8, 3, &Field<F<8, 3>, float>, -0.0f, "   0.000"},
      {"F8.3", 8, 3, &Field<F<8, 3>, float>, 2.0005f, "   2.000"},
      {"F5.2", 5, 2, &Field<F<5, 2>, float>, 0.125f, " 0.12"},
      {"F5.2", 5, 2, &Field<F<5, 2>, float>, 0.375f, " 0.38"},
      {"F6.3", 6, 3, &Field<F<6, 3>, float>, 0.0625f, " 0.062"},
      {"F7.3", 7, 3, &Field<F<7, 3>, float>, 1234.5f, "*******"},
      {"F7.3", 7, 3, &Field<F<7, 3>, float>, 999.9996f, "*******"},
      {"F8.3", 8, 3, &Field<F<8, 3>, float>, 5000.0f, "5000.000"},
      {"F7.3", 7, 3, &Field<F<7, 3>, float>, kInf, "    Inf"},
      {"F8.3", 8, 3, &Field<F<8, 3>, float>, -kInf, "    -Inf"},
      {"F9.3", 9, 3, &Field<F<9, 3>, float>, -kInf, "-Infinity"},
      {"F10.3", 10, 3, &Field<F<10, 3>, float>, kInf, "  Infinity"},
      {"F8.3", 8, 3, &Field<F<8, 3>, float>, kNaN, "     NaN"},
      // The limits quoted for the header page and the station rows.
      {"F8.3", 8, 3, &Field<F<8, 3>, float>, 9999.9996f, "********"},
      {"F8.3", 8, 3, &Field<F<8, 3>, float>, -999.999f, "-999.999"},
      {"F8.3", 8, 3, &Field<F<8, 3>, float>, -1000.0f, "********"},
      {"F6.4", 6, 4, &Field<F<6, 4>, float>, 0.025f, "0.0250"},
      {"F6.4", 6, 4, &Field<F<6, 4>, float>, -1.0f, "******"},
      {"F8.5", 8, 5, &Field<F<8, 5>, float>, 0.0005f, " 0.00050"},
      {"F10.2", 10, 2, &Field<F<10, 2>, float>, 1.0e7f, "**********"},
      {"F10.3", 10, 3, &Field<F<10, 3>, float>, -kInf, " -Infinity"},
      {"F10.3", 10, 3, &Field<F<10, 3>, float>, -kNaN, "       NaN"},
      {"F2.0", 2, 0, &Field<F<2, 0>, float>, kNaN, "**"},
      {"F3.0", 3, 0, &Field<F<3, 0>, float>, -kInf, "***"},
  };
  for (const FixedCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.item << " of " << c.value);
    EXPECT_EQ(c.through_layout(c.value), c.field);
    std::string edited(static_cast<std::size_t>(c.w), '?');
    EditFixed(edited.data(), c.w, c.d, c.value);
    EXPECT_EQ(edited, c.field);
  }
}

struct IntegerCase {
  const char* item;
  int w;
  std::string (*through_layout)(std::int32_t);
  std::int32_t value;
  const char* field;
};

TEST(LayoutFields, IntegerTable) {
  const IntegerCase cases[] = {
      {"I3", 3, &Field<I<3>, std::int32_t>, 0, "  0"},
      {"I3", 3, &Field<I<3>, std::int32_t>, -5, " -5"},
      {"I3", 3, &Field<I<3>, std::int32_t>, -99, "-99"},
      {"I3", 3, &Field<I<3>, std::int32_t>, -100, "***"},
      {"I3", 3, &Field<I<3>, std::int32_t>, 1000, "***"},
      {"I5", 5, &Field<I<5>, std::int32_t>, 12, "   12"},
      {"I5", 5, &Field<I<5>, std::int32_t>, 99999, "99999"},
      {"I5", 5, &Field<I<5>, std::int32_t>, 100000, "*****"},
      {"I11", 11, &Field<I<11>, std::int32_t>, std::numeric_limits<std::int32_t>::min(),
       "-2147483648"},
      {"I10", 10, &Field<I<10>, std::int32_t>, std::numeric_limits<std::int32_t>::min(),
       "**********"},
      {"I10", 10, &Field<I<10>, std::int32_t>, std::numeric_limits<std::int32_t>::max(),
       "2147483647"},
      {"I1", 1, &Field<I<1>, std::int32_t>, -1, "*"},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.item << " of " << c.value);
    EXPECT_EQ(c.through_layout(c.value), c.field);
    std::string edited(static_cast<std::size_t>(c.w), '?');
    EditInteger(edited.data(), c.w, c.value);
    EXPECT_EQ(edited, c.field);
  }
}

// ---------------------------------------------------------------------------
// Records.

inline constexpr Layout<Slash, Slash, Lit<" NORMAL TERMINATION OF PROGRAM">> kNormalEnd{};
inline constexpr Layout<Lit<" END OF PROGRAM !">, Slash, Slash> kEndsWithTwoMarks{};
inline constexpr Layout<Lit<" TIME TO THE PEAK ?          t' (s) = ">, Dollar> kPeakPrompt{};
inline constexpr Layout<Lit<" PEAK DISCHARGE ?     QMAX (m3/s) = ">, Dollar> kQmaxPrompt{};
inline constexpr Layout<Slash, Slash, Lit<" NAME OF THE OUTPUT FILE ? = ">, Dollar>
    kFilePrompt{};
inline constexpr Layout<A> kLine{};

TEST(LayoutRecords, NormalTerminationIsTwoEmptyRecordsThenTheText) {
  EXPECT_EQ(FormatLayout(kNormalEnd), "\r\n\r\n NORMAL TERMINATION OF PROGRAM\r\n");
}

TEST(LayoutRecords, TrailingMarksWriteEmptyRecordsAfterTheText) {
  EXPECT_EQ(FormatLayout(kEndsWithTwoMarks), " END OF PROGRAM !\r\n\r\n\r\n");
}

TEST(LayoutRecords, PromptsLeaveTheLineOpenAndTheNextWriteContinuesIt) {
  // Two consecutive writes to one file: their bytes follow each other.
  EXPECT_EQ(FormatLayout(kPeakPrompt) + FormatLayout(kQmaxPrompt),
            " TIME TO THE PEAK ?          t' (s) =  PEAK DISCHARGE ?     QMAX (m3/s) = ");
  EXPECT_EQ(FormatLayout(kPeakPrompt).size(), 38u);
}

TEST(LayoutRecords, MarksAfterAnOpenPromptCloseItThenGiveOneEmptyRecord) {
  EXPECT_EQ(FormatLayout(kQmaxPrompt) + FormatLayout(kFilePrompt),
            " PEAK DISCHARGE ?     QMAX (m3/s) = \r\n\r\n NAME OF THE OUTPUT FILE ? = ");
}

TEST(LayoutRecords, FreeFormatRecords) {
  EXPECT_EQ(FormatFree(), " \r\n");
  EXPECT_EQ(FormatFree("PRESS RETURN TO FINISH THE PROGRAM."),
            " PRESS RETURN TO FINISH THE PROGRAM.\r\n");
  EXPECT_EQ(FormatFree("PRESS RETURN TO FINISH THE PROGRAM.").size(), 36u + 2u);
}

TEST(LayoutRecords, TextFieldKeepsEveryCharacterOfTheLine) {
  const std::string blank_line(131, ' ');
  EXPECT_EQ(FormatLayout(kLine, blank_line), blank_line + "\r\n");

  std::array<char, 131> line{};
  line.fill(' ');
  line[0] = 'X';
  const std::string composed = FormatLayout(kLine, line);
  ASSERT_EQ(composed.size(), 133u);
  EXPECT_EQ(composed.substr(0, 131), std::string_view(line.data(), line.size()));

  // Longer than the stack reserve of a write: composed whole, not cut.
  const std::string long_line(kTextFieldReserve * 3, 'a');
  EXPECT_EQ(FormatLayout(kLine, long_line), long_line + "\r\n");
}

TEST(LayoutRecords, SkipsPlaceBlanksOnlyBeforeFurtherOutput) {
  EXPECT_EQ(FormatLayout(Layout<Lit<"AB">, X<5>>{}), "AB\r\n");
  EXPECT_EQ(FormatLayout(Layout<Lit<"AB">, X<3>, Slash, Lit<"C">>{}), "AB\r\nC\r\n");
  EXPECT_EQ(FormatLayout(Layout<X<3>, Lit<"C">, X<1>, Dollar>{}), "   C");
  EXPECT_EQ(FormatLayout(Layout<X<1>, X<2>, Lit<"C">>{}), "   C\r\n");
  EXPECT_EQ(FormatLayout(Layout<>{}), "\r\n");
  EXPECT_EQ(FormatLayout(Layout<Dollar>{}), "");
}

TEST(LayoutRecords, FieldsAmongLiteralTexts) {
  static constexpr Layout<Lit<" FOR t > (t' + t'') = ">, F<10, 3>,
                          Lit<" (s), IT IS ASSUMED THAT Q = Qo">, Slash, Slash, Slash, Slash>
      kAttentionLine{};
  EXPECT_EQ(FormatLayout(kAttentionLine, 2400.0f),
            " FOR t > (t' + t'') =   2400.000 (s), IT IS ASSUMED THAT Q = Qo\r\n\r\n\r\n\r\n\r\n");
  static constexpr Layout<Lit<" YOU HAVE ">, I<3>, Lit<" STATIONS ALONG THE CHANNEL;">> kStations{};
  EXPECT_EQ(FormatLayout(kStations, std::int32_t{101}),
            " YOU HAVE 101 STATIONS ALONG THE CHANNEL;\r\n");
}

TEST(LayoutRecords, StationRowOfTheWorkedExample) {
  static constexpr Layout<X<3>, F<10, 2>,
                          Group<3, X<5>, F<10, 3>, X<1>, F<10, 3>, X<1>, F<10, 3>>>
      kStationRow{};
  const float q = 40.90665f;
  const float h = 2.5f;
  const float u = 1.090844f;
  const std::string row = FormatLayout(kStationRow, 0.0f, q, h, u, q, h, u, q, h, u);
  EXPECT_EQ(row,
            "         0.00         40.907      2.500      1.091         40.907      2.500"
            "      1.091         40.907      2.500      1.091\r\n");
  EXPECT_EQ(row.size(), 124u + 2u);
  // The decimal points stand in the columns the header page expects.
  for (std::size_t column : {11u, 25u, 36u, 47u, 62u, 73u, 84u, 99u, 110u, 121u}) {
    EXPECT_EQ(row[column - 1], '.') << "column " << column;
  }
  EXPECT_EQ(LayoutCapacity(kStationRow, 0.0f, q, h, u, q, h, u, q, h, u), 126u);
}

TEST(LayoutRecords, ComposeIntoBufferRefusesAShortBuffer) {
  std::array<char, 16> small{};
  small.fill('#');
  EXPECT_EQ(ComposeLayout(std::span<char>(small), kNormalEnd), 0u);
  EXPECT_EQ(small[0], '#');

  std::array<char, 64> room{};
  const std::size_t size = ComposeLayout(std::span<char>(room), kNormalEnd);
  EXPECT_EQ(std::string_view(room.data(), size), "\r\n\r\n NORMAL TERMINATION OF PROGRAM\r\n");
}

// ---------------------------------------------------------------------------
// Editing into a text field.

TEST(WriteIntoText, ReplacesEveryCharacterOfTheField) {
  std::array<char, 8> field{'-', ')', ' ', '=', ' ', ' ', ' ', ' '};
  WriteIntoText(field, F<8, 5>{}, 0.001f);
  EXPECT_EQ(std::string_view(field.data(), field.size()), " 0.00100");

  std::array<char, 3> count{'a', 'b', 'c'};
  WriteIntoText(count, I<3>{}, std::int32_t{7});
  EXPECT_EQ(std::string_view(count.data(), count.size()), "  7");

  std::array<char, 8> overflow{};
  WriteIntoText(overflow, F<8, 3>{}, 20000.0f);
  EXPECT_EQ(std::string_view(overflow.data(), overflow.size()), "********");
}

TEST(WriteIntoText, FieldOfAnotherWidth) {
  // Wider: the edited text from column 1, blanks after it.
  std::array<char, 10> wide{};
  wide.fill('x');
  WriteIntoText(wide, I<3>{}, std::int32_t{12});
  EXPECT_EQ(std::string_view(wide.data(), wide.size()), " 12       ");
  // Narrower: the value cannot be shown, and nothing beyond the field moves.
  std::array<char, 8> line{};
  line.fill('x');
  WriteIntoText(std::span<char>(line).subspan(2, 4), F<8, 3>{}, 1.0f);
  EXPECT_EQ(std::string_view(line.data(), line.size()), "xx****xx");
}

}  // namespace
}  // namespace floodwave::textio
