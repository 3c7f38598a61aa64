#include "lang/request_messages.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct MessageCase {
  int16_t language;
  int number;
  const char* expected;
};

class RequestMessageText : public ::testing::TestWithParam<MessageCase> {};

TEST_P(RequestMessageText, AsWritten) {
  EXPECT_EQ(RequestMessage(static_cast<Language>(GetParam().language), GetParam().number), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RequestMessageText,
    ::testing::Values(
        MessageCase{0, 0,
                    "If both the first date and the second date are specified\r\nthen the date difference "
                    "window must be empty."},
        MessageCase{1, 0,
                    " Wenn sowohl Erstes als auch Zweites Datum angegeben sind,\r\nmuss das Feld fuer die "
                    "Datumsdifferenz leer sein."},
        MessageCase{2, 0,
                    "Si ambas, la primera y la segunda fechas, son especificadas entonces\r\nla ventana de "
                    "diferencia de fechas debe estar vac\xC3\xAD"
                    "a."},
        MessageCase{0, 1, "First date is not valid in specified calendar using specified date format."},
        MessageCase{1, 3, "Erstes Datum liegt ausserhalb des erlaubten Bereichs."},
        MessageCase{2, 6, "La segunda fecha no es v\xC3\xA1lida en el calendario espec\xC3\xAD"
                          "ficado."},
        MessageCase{0, 7, "Second date is not valid in the ISO 8601 Week Calendar."},
        MessageCase{1, 5, "Datumsdifferenz ist ausserhalb des erlaubten Bereichs."},
        MessageCase{0, 9, "Result is out of range."},
        MessageCase{1, 9, "Das Resultat liegt ausserhalb des erlaubten Bereichs."},
        MessageCase{2, 9, "El resultado est\xC3\xA1 fuera de rango."},
        // Empty language slots and indexes outside the table.
        MessageCase{3, 0, ""}, MessageCase{5, 9, ""}, MessageCase{6, 0, ""}, MessageCase{-1, 0, ""},
        MessageCase{0, -1, ""}, MessageCase{0, 10, ""}, MessageCase{INT16_MIN, INT32_MAX, ""}));

TEST(RequestMessageTable, FilledSlotsCompleteAndBreakOnlyWithCrLf) {
  const RequestMessageTable& table = BuildRequestMessages();
  EXPECT_EQ(&table, &BuildRequestMessages());
  for (std::size_t language = 0; language < kRequestLanguageSlots; ++language) {
    for (std::size_t n = 0; n < kRequestMessageCount; ++n) {
      const std::string& text = table[language][n];
      EXPECT_EQ(text.empty(), language >= 3) << language << "/" << n;
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
          EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << language << "/" << n;
        }
      }
      // Only message 0 is two lines long.
      EXPECT_EQ(text.find("\r\n") != std::string::npos, n == 0 && language < 3) << language << "/" << n;
    }
  }
}

}  // namespace
}  // namespace qv
