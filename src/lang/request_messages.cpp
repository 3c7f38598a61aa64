#include "lang/request_messages.h"

#include "text/string_utils.h"

namespace qv {
namespace {

// Message texts use CR LF where they break a line, like every text the output and message boxes show.
RequestMessageTable MakeTable() {
  RequestMessageTable table;  // every slot starts as an empty text
  table[0] = {
      "If both the first date and the second date are specified\r\n"
      "then the date difference window must be empty.",
      "First date is not valid in specified calendar using specified date format.",
      "First date is not valid in the ISO 8601 Week Calendar.",
      "First date is out of range.",
      "Date difference is not valid.",
      "Date difference is out of range.",
      "Second date is not valid in specified calendar using specified date format.",
      "Second date is not valid in the ISO 8601 Week Calendar.",
      "Second date is out of range.",
      "Result is out of range.",
  };
  // The German text of message 0 starts with a blank on purpose.
  table[1] = {
      " Wenn sowohl Erstes als auch Zweites Datum angegeben sind,\r\n"
      "muss das Feld fuer die Datumsdifferenz leer sein.",
      "Erstes Datum ist in dem angegebenen Kalender (und Datumsformat) nicht zulaessig.",
      "Erstes Datum ist in dem ISO 8601 Week Kalender nicht zulaessig.",
      "Erstes Datum liegt ausserhalb des erlaubten Bereichs.",
      "Datumsdifferenz ist nicht zulaessig.",
      "Datumsdifferenz ist ausserhalb des erlaubten Bereichs.",
      "Zweites Datum ist in dem angegebenen Kalender (und Datumsformat) nicht zulaessig.",
      "Zweites Datum ist in dem ISO 8601 Week Kalender nicht zulaessig.",
      "Zweites Datum liegt ausserhalb des erlaubten Bereichs.",
      "Das Resultat liegt ausserhalb des erlaubten Bereichs.",
  };
  // Spanish, stored as UTF-8.
  table[2] = {
      "Si ambas, la primera y la segunda fechas, son especificadas entonces\r\n"
      "la ventana de diferencia de fechas debe estar vac\u00eda.",
      "La primera fecha no es v\u00e1lida en un calendario especificado.",
      "La primera fecha no es v\u00e1lida en Calendario ISO 8601 Week.",
      "Primera fecha est\u00e1 fuera de rango.",
      "Diferencia de fechas no es v\u00e1lida.",
      "Diferencia de fechas est\u00e1 fuera de rango.",
      "La segunda fecha no es v\u00e1lida en el calendario espec\u00edficado.",
      "La segunda fecha no es v\u00e1lida en Calendario ISO 8601 Week.",
      "La segunda fecha est\u00e1 fuera de rango.",
      "El resultado est\u00e1 fuera de rango.",
  };
  return table;
}

}  // namespace

std::string MisreadMessage(Language language, InputBox box, std::string_view text) {
  constexpr std::size_t kQuotedBytes = 40;
  const std::string quoted = QuotedPart(text, kQuotedBytes);
  const bool first = box == InputBox::FirstDate;
  if (language == Language::German) {
    if (box == InputBox::Difference) {
      return "Datumsdifferenz \u201e" + quoted +
             "\u201c ist keine ganze Zahl, wie sie dasteht (ein Zeichen au\u00dferhalb ihrer Form); mit --lenient "
             "wird sie gelesen wie eine eingef\u00fcgte Zahl.";
    }
    return (first ? "Erstes Datum \u201e" : "Zweites Datum \u201e") + quoted +
           "\u201c ist nicht so geschrieben, wie sein Kalender ein Datum schreibt (ein Zeichen au\u00dferhalb "
           "dieser Form oder ein zu langes Feld); mit --lenient wird es gelesen wie ein eingef\u00fcgtes Datum.";
  }
  if (box == InputBox::Difference) {
    return "Date difference \"" + quoted +
           "\" is not a whole number as written (a character outside that form); --lenient reads it as a "
           "pasted number.";
  }
  return (first ? "First date \"" : "Second date \"") + quoted +
         "\" is not written as its calendar writes a date (a character outside that form, or a field too "
         "long); --lenient reads it as a pasted date.";
}

std::string_view DateMissingMessage(Language language) {
  if (language == Language::German) {
    return "Ein Datum fehlt: Eine Datumsdifferenz allein fragt nach nichts; es braucht ein erstes oder ein zweites Datum.";
  }
  return "A date is missing: a date difference alone asks nothing; give a first or a second date.";
}

const RequestMessageTable& BuildRequestMessages() {
  static const RequestMessageTable table = MakeTable();
  return table;
}

const std::string& RequestMessage(Language language, int number) {
  static const std::string empty;
  const auto slot = static_cast<int16_t>(language);
  if (slot < 0 || static_cast<std::size_t>(slot) >= kRequestLanguageSlots || number < 0 ||
      static_cast<std::size_t>(number) >= kRequestMessageCount) {
    return empty;
  }
  return BuildRequestMessages()[static_cast<std::size_t>(slot)][static_cast<std::size_t>(number)];
}

}  // namespace qv
