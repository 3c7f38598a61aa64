// The output window's own text view: text in and out as UTF-8 and UTF-16, the index that maps
// the two kinds of offset at line and index-point edges, selection with real keys and mouse
// events, copying, scrolling to the end, and what assistive technology reads, checked against
// a QPlainTextEdit holding the same text where that is the reference.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "ui/main/output_text.h"
#include "ui/main/window_widgets.h"

using qv::OutputTextBox;
using qv::ReadOnlyTextView;

namespace {

QString S(const char* utf8) { return QString::fromUtf8(utf8); }

// Lines of every kind of character, long enough to cross several index points and line marks.
std::string MixedText(int lines) {
  std::string text;
  const char* kinds[] = {"2024-02-29 CE + 1,000 days = 2026-11-25 CE, Wednesday",
                         ("Gr\xC3\xBC\xC3\x9F" "e\xC2\xA0vom M\xC3\xA4rz"),  // umlauts, no-break space
                         "",
                         "\xE2\x82\xAC 5 \xF0\x9F\x93\x85 \xF0\x9F\x93\x85\xF0\x9F\x93\x85 end",  // 3 and 4 bytes
                         "x"};
  for (int i = 0; i < lines; ++i) {
    text += kinds[i % 5];
    if (i % 7 == 3) text += std::string(300, i % 2 ? 'a' : '-');  // longer lines now and then
    text += "\n";
  }
  return text;
}

// For each UTF-16 offset of `text`, the UTF-8 offset of the same place: the slow, obvious way.
std::vector<std::size_t> ByteOffsets(const QString& text) {
  std::vector<std::size_t> bytes;
  std::size_t byte = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    bytes.push_back(byte);
    const char32_t c = text.at(i).unicode();
    if (text.at(i).isHighSurrogate()) {
      bytes.push_back(byte);  // between the halves: the character's start
      byte += 4;
      ++i;
    } else {
      byte += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
    }
  }
  bytes.push_back(byte);
  return bytes;
}

}  // namespace

class ReadOnlyTextViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<OutputTextBox> view_;
  std::unique_ptr<QPlainTextEdit> reference_;

  // Both boxes shown with the same text, size and font.
  void ShowBoth(const QString& text) {
    view_->SetText(text);
    reference_->setPlainText(text);
    view_->resize(400, 200);
    reference_->resize(400, 200);
    view_->show();
    reference_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    QVERIFY(QTest::qWaitForWindowExposed(reference_.get()));
  }

 private slots:
  void init() {
    view_ = std::make_unique<OutputTextBox>();
    reference_ = std::make_unique<QPlainTextEdit>();
    reference_->setReadOnly(true);
    reference_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    reference_->setLineWrapMode(QPlainTextEdit::NoWrap);
    reference_->setFont(view_->font());
  }
  void cleanup() {
    view_.reset();
    reference_.reset();
  }

  // ---- Text in and out ----------------------------------------------------------------------

  void appendsAndReadsBack_data() {
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("ASCII lines") << QStringList{"one\n", "two\n", "three"};
    QTest::newRow("umlauts") << QStringList{S("M\xC3\xA4rz \xC3\xBC"), S("ber Stra\xC3\x9F" "e\n")};
    QTest::newRow("no-break space") << QStringList{S("1\xC2\xA0" "000\n"), S("\xC2\xA0\n")};
    QTest::newRow("four-byte characters") << QStringList{S("\xF0\x9F\x93\x85\n"), S("a\xF0\x9F\x98\x80" "b")};
    QTest::newRow("empty pieces and lines") << QStringList{"", "\n", "", "\n\n"};
  }
  void appendsAndReadsBack() {
    QFETCH(QStringList, pieces);
    QString whole;
    for (const QString& piece : pieces) {
      view_->AppendUtf8(piece.toStdString());
      whole += piece;
    }
    QCOMPARE(view_->Text(), whole);
    QCOMPARE(QString::fromStdString(view_->Utf8()), whole);
    QCOMPARE(view_->CharacterCount(), whole.size());
    QCOMPARE(view_->LineCount(), static_cast<std::size_t>(whole.count(QLatin1Char('\n')) + 1));
    // Set gives the same as the appends, and Clear empties.
    OutputTextBox set;
    set.SetUtf8(whole.toStdString());
    QCOMPARE(set.Text(), whole);
    QCOMPARE(set.CharacterCount(), whole.size());
    view_->Clear();
    QVERIFY(view_->Text().isEmpty());
    QCOMPARE(view_->LineCount(), std::size_t{1});
  }

  // Bytes that are not UTF-8 are read as Qt reads them, so the offsets agree with the text.
  void foreignBytesBecomeReplacementCharacters() {
    const std::string bytes = "a\xFF" "b\xC3\n\xE2\x82";
    view_->SetUtf8(bytes);
    QCOMPARE(view_->Text(), QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
    view_->AppendUtf8("\xF0\x9F");
    QCOMPARE(view_->CharacterCount(), view_->Text().size());
  }

  // Every UTF-16 offset of a text of many index points and line marks, whether the text came in
  // one piece or a line at a time: offset to byte and back, and the line of each place.
  void mapsUtf16ToBytesAtEveryEdge_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("by_appends");
    QTest::addColumn<bool>("final_line_end");
    QTest::newRow("set, 200 lines") << 200 << false << true;
    QTest::newRow("appended, 200 lines") << 200 << true << true;
    QTest::newRow("appended, no last line end") << 97 << true << false;
    QTest::newRow("one line") << 1 << false << false;
    QTest::newRow("exactly one mark of lines") << static_cast<int>(qv::OutputText::kLinesPerMark) << true << true;
  }
  void mapsUtf16ToBytesAtEveryEdge() {
    QFETCH(int, lines);
    QFETCH(bool, by_appends);
    QFETCH(bool, final_line_end);
    std::string text = MixedText(lines);
    if (!final_line_end) text.pop_back();
    qv::OutputText store;
    if (by_appends) {
      for (std::size_t at = 0; at < text.size();) {
        const std::size_t feed = text.find('\n', at);
        const std::size_t end = feed == std::string::npos ? text.size() : feed + 1;
        store.Append(std::string_view(text).substr(at, end - at));
        at = end;
      }
    } else {
      store.Assign(text);
    }
    const QString utf16 = QString::fromStdString(text);
    const std::vector<std::size_t> bytes = ByteOffsets(utf16);
    QCOMPARE(store.Utf16Size(), static_cast<std::size_t>(utf16.size()));
    std::size_t line = 0;
    for (std::size_t u = 0; u <= static_cast<std::size_t>(utf16.size()); ++u) {
      const std::size_t byte = store.ToByte(u);
      QVERIFY2(byte == bytes[u], qPrintable(QStringLiteral("UTF-16 offset %1").arg(u)));
      const bool inside_pair = u > 0 && u < static_cast<std::size_t>(utf16.size()) && utf16.at(static_cast<qsizetype>(u)).isLowSurrogate();
      QCOMPARE(store.ToUtf16(byte), inside_pair ? u - 1 : u);
      QCOMPARE(store.LineOf(byte), line);
      if (u < static_cast<std::size_t>(utf16.size()) && utf16.at(static_cast<qsizetype>(u)) == QLatin1Char('\n')) ++line;
    }
    QCOMPARE(store.LineCount(), line + 1);
    const QStringList split = utf16.split(QLatin1Char('\n'));
    for (std::size_t l = 0; l < store.LineCount(); ++l) {
      QCOMPARE(QString::fromStdString(std::string(store.Line(l))), split.at(static_cast<qsizetype>(l)));
    }
    QCOMPARE(store.ToByte(std::size_t{1} << 40), text.size());  // past the end: clamped
  }

  // ---- Keyboard ------------------------------------------------------------------------------

  // The same keys on both boxes from the same caret select the same text.
  void keysSelectAsATextBoxDoes_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("keys");  // key | modifiers
    const int shift = Qt::ShiftModifier;
    const int control = Qt::ControlModifier;
    QTest::newRow("Shift+Right x3") << 2 << QList<int>{Qt::Key_Right | shift, Qt::Key_Right | shift, Qt::Key_Right | shift};
    QTest::newRow("Shift+Left over a line start") << 14 << QList<int>{Qt::Key_Left | shift, Qt::Key_Left | shift, Qt::Key_Left | shift};
    QTest::newRow("Shift+Down keeps the column") << 3 << QList<int>{Qt::Key_Down | shift, Qt::Key_Down | shift};
    QTest::newRow("Shift+Up") << 30 << QList<int>{Qt::Key_Up | shift};
    QTest::newRow("Shift+End then Shift+Home") << 4 << QList<int>{Qt::Key_End | shift, Qt::Key_Home | shift};
    QTest::newRow("Shift+End") << 4 << QList<int>{Qt::Key_End | shift};
    QTest::newRow("Ctrl+Shift+End") << 5 << QList<int>{Qt::Key_End | shift | control};
    QTest::newRow("Ctrl+Shift+Home") << 25 << QList<int>{Qt::Key_Home | shift | control};
    QTest::newRow("moving drops the selection") << 5 << QList<int>{Qt::Key_Right | shift, Qt::Key_Right};
    QTest::newRow("Shift+PgDn") << 1 << QList<int>{Qt::Key_PageDown | shift};
    QTest::newRow("Shift+PgUp") << 30 << QList<int>{Qt::Key_PageUp | shift};
    QTest::newRow("Shift+Down on the last line") << 36 << QList<int>{Qt::Key_Down | shift};
    QTest::newRow("Shift+Up on the first line") << 4 << QList<int>{Qt::Key_Up | shift};
    QTest::newRow("over umlauts and a 4-byte character") << 24 << QList<int>{Qt::Key_Right | shift, Qt::Key_Right | shift, Qt::Key_Right | shift, Qt::Key_Right | shift};
  }
  void keysSelectAsATextBoxDoes() {
    QFETCH(int, start);
    QFETCH(QList<int>, keys);
    ShowBoth(S("first line\nsecond line\nM\xC3\xA4rz \xF0\x9F\x93\x85 x\nlast"));
    view_->setFocus();
    view_->SetCursorPosition(start);
    QTextCursor cursor = reference_->textCursor();
    cursor.setPosition(start);
    reference_->setTextCursor(cursor);
    for (const int key : keys) {
      const auto code = static_cast<Qt::Key>(key & ~static_cast<int>(Qt::KeyboardModifierMask));
      const auto modifiers = static_cast<Qt::KeyboardModifiers>(key & static_cast<int>(Qt::KeyboardModifierMask));
      QTest::keyClick(view_.get(), code, modifiers);
      QTest::keyClick(reference_.get(), code, modifiers);
    }
    QCOMPARE(view_->SelectedText(), reference_->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
    QCOMPARE(view_->CursorPosition(), reference_->textCursor().position());
  }

  // Ctrl+C copies the selection; Enter with a selection asks for the copy, Enter without one
  // does not; Ctrl+A selects everything.
  void copiesWithKeys() {
    ShowBoth(S("alpha beta\ngamma\n"));
    QSignalSpy asked(view_.get(), &OutputTextBox::copyRequested);
    QSignalSpy released(view_.get(), &OutputTextBox::mouseReleased);
    view_->setFocus();
    QTest::keyClick(view_.get(), Qt::Key_Return);
    QCOMPARE(asked.count(), 0);
    view_->SetSelection(6, 13);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("beta\nga"));
    QTest::keyClick(view_.get(), Qt::Key_Enter);
    QCOMPARE(asked.count(), 1);
    QTest::keyClick(view_.get(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(view_->SelectedText(), QStringLiteral("alpha beta\ngamma\n"));
    QVERIFY(released.count() >= 2);  // every key lets the window refresh its copy button
  }

  // ---- Mouse ---------------------------------------------------------------------------------

  void dragAndDoubleClickSelect_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("inside a line") << 1 << 4;
    QTest::newRow("over a line end") << 8 << 14;
    QTest::newRow("backwards") << 20 << 3;
  }
  void dragAndDoubleClickSelect() {
    QFETCH(int, from);
    QFETCH(int, to);
    ShowBoth(S("first line\nsecond \xC3\xA4pfel\nthird"));
    QSignalSpy released(view_.get(), &OutputTextBox::mouseReleased);
    QSignalSpy changed(view_.get(), &ReadOnlyTextView::selectionChanged);
    QWidget* surface = view_->viewport();
    const QPoint start = view_->CharacterRect(from).topLeft() + QPoint(0, 2);
    const QPoint end = view_->CharacterRect(to).topLeft() + QPoint(0, 2);
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, start);
    QMouseEvent move(QEvent::MouseMove, end, surface->mapToGlobal(end), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &move);
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, end);
    QCOMPARE(view_->SelectedText(), view_->TextBetween(std::min(from, to), std::max(from, to)));
    QCOMPARE(view_->CursorPosition(), to);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(released.count(), 1);
    QCOMPARE(released.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    // A double click selects the word under the mouse, as the reference box does.
    QTest::mouseDClick(surface, Qt::LeftButton, Qt::NoModifier, view_->CharacterRect(from).center());
    QTextCursor at = reference_->textCursor();
    at.setPosition(from);
    QTest::mouseDClick(reference_->viewport(), Qt::LeftButton, Qt::NoModifier, reference_->cursorRect(at).center() + QPoint(2, 0));
    QCOMPARE(view_->SelectedText(), reference_->textCursor().selectedText());
  }

  // ---- Scrolling -----------------------------------------------------------------------------

  void endShowsTheLastLine_data() {
    QTest::addColumn<bool>("wrapped");
    QTest::newRow("main window, no wrap") << false;
    QTest::newRow("enlarged display, wrapped") << true;
  }
  void endShowsTheLastLine() {
    QFETCH(bool, wrapped);
    if (wrapped) view_->SetWrap(ReadOnlyTextView::Wrap::WidgetWidth);
    view_->resize(300, 150);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "line " + std::to_string(i) + (i % 10 == 0 ? std::string(120, 'w') + " w" : "") + "\n";
    view_->SetUtf8(text);
    QCOMPARE(view_->FirstVisibleLine(), std::size_t{0});
    view_->MoveToEnd();
    QCOMPARE(view_->CursorPosition(), view_->CharacterCount());
    QVERIFY(view_->FirstVisibleLine() > 4900);
    QCOMPARE(view_->verticalScrollBar()->value(), view_->verticalScrollBar()->maximum());
    QVERIFY(view_->viewport()->rect().contains(view_->CharacterRect(view_->CharacterCount()).center()));
    // An appended line moves nothing by itself; moving to the end again shows it.
    view_->AppendUtf8("appended\n");
    view_->MoveToEnd();
    QVERIFY(view_->viewport()->rect().contains(view_->CharacterRect(view_->CharacterCount() - 3).center()));
    QCOMPARE(view_->horizontalScrollBar()->maximum() > 0, !wrapped);
    // Ctrl+Home goes back to the top.
    view_->setFocus();
    QTest::keyClick(view_.get(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(view_->FirstVisibleLine(), std::size_t{0});
  }

  // ---- Assistive technology ------------------------------------------------------------------

  void readsToAssistiveTechnologyAsATextBox_data() {
    QTest::addColumn<int>("boundary");
    QTest::newRow("character") << static_cast<int>(QAccessible::CharBoundary);
    QTest::newRow("word") << static_cast<int>(QAccessible::WordBoundary);
    QTest::newRow("line") << static_cast<int>(QAccessible::LineBoundary);
    QTest::newRow("whole text") << static_cast<int>(QAccessible::NoBoundary);
  }
  void readsToAssistiveTechnologyAsATextBox() {
    QFETCH(int, boundary);
    const auto type = static_cast<QAccessible::TextBoundaryType>(boundary);
    ShowBoth(S("2024-02-29 CE + 1,000 days = 2026-11-25 CE, Wednesday\nM\xC3\xA4rz\xC2\xA0" "2 \xF0\x9F\x93\x85 (JDN)\n\nend."));
    QAccessibleInterface* ours = QAccessible::queryAccessibleInterface(view_.get());
    QAccessibleInterface* theirs = QAccessible::queryAccessibleInterface(reference_.get());
    QVERIFY(ours != nullptr && ours->textInterface() != nullptr);
    QAccessibleTextInterface* text = ours->textInterface();
    QAccessibleTextInterface* expected = theirs->textInterface();
    QCOMPARE(text->characterCount(), expected->characterCount());
    const QString shown = view_->Text();
    for (int offset = 0; offset <= expected->characterCount(); ++offset) {
      // Between the halves of a surrogate pair the view answers for the whole character.
      if (offset < shown.size() && shown.at(offset).isLowSurrogate()) continue;
      const QString where = QStringLiteral("offset %1").arg(offset);
      int start = 0, end = 0, expected_start = 0, expected_end = 0;
      QCOMPARE(text->textAtOffset(offset, type, &start, &end), expected->textAtOffset(offset, type, &expected_start, &expected_end));
      QVERIFY2(start == expected_start && end == expected_end, qPrintable(where + QStringLiteral(" at")));
      // The character before one that follows a pair is the pair, not its second half.
      if (type != QAccessible::CharBoundary || offset == 0 || !shown.at(offset - 1).isLowSurrogate()) {
        QCOMPARE(text->textBeforeOffset(offset, type, &start, &end), expected->textBeforeOffset(offset, type, &expected_start, &expected_end));
        QVERIFY2(start == expected_start && end == expected_end, qPrintable(where + QStringLiteral(" before")));
      }
      QCOMPARE(text->textAfterOffset(offset, type, &start, &end), expected->textAfterOffset(offset, type, &expected_start, &expected_end));
      QVERIFY2(start == expected_start && end == expected_end, qPrintable(where + QStringLiteral(" after")));
      QCOMPARE(text->text(offset, expected->characterCount()), expected->text(offset, expected->characterCount()));
    }
  }

  void caretAndSelectionToAssistiveTechnology() {
    ShowBoth(S("alpha beta\n\xC3\xBC gamma\n"));
    view_->setAccessibleName(QStringLiteral("Output window"));
    QAccessibleInterface* ours = QAccessible::queryAccessibleInterface(view_.get());
    QAccessibleInterface* theirs = QAccessible::queryAccessibleInterface(reference_.get());
    QCOMPARE(ours->role(), QAccessible::EditableText);
    QCOMPARE(ours->role(), theirs->role());
    QVERIFY(ours->state().readOnly);
    QVERIFY(ours->state().multiLine);
    QCOMPARE(ours->text(QAccessible::Name), QStringLiteral("Output window"));
    // Offered as a locked editor's is: present, and every change refused.
    QAccessibleEditableTextInterface* editable = ours->editableTextInterface();
    QVERIFY(editable != nullptr && theirs->editableTextInterface() != nullptr);
    const QString before = view_->Text();
    editable->insertText(0, QStringLiteral("x"));
    editable->deleteText(0, 3);
    editable->replaceText(0, 3, QStringLiteral("y"));
    QCOMPARE(view_->Text(), before);
    QAccessibleTextInterface* text = ours->textInterface();
    QAccessibleTextInterface* expected = theirs->textInterface();
    for (const auto& [from, to] : std::vector<std::pair<int, int>>{{2, 9}, {14, 3}, {0, 19}}) {
      text->setSelection(0, from, to);
      expected->setSelection(0, from, to);
      int start = 0, end = 0, expected_start = 0, expected_end = 0;
      text->selection(0, &start, &end);
      expected->selection(0, &expected_start, &expected_end);
      QCOMPARE(std::pair(start, end), std::pair(expected_start, expected_end));
      QCOMPARE(text->selectionCount(), expected->selectionCount());
      QCOMPARE(text->cursorPosition(), expected->cursorPosition());
      QCOMPARE(view_->SelectedText(), view_->TextBetween(std::min(from, to), std::max(from, to)));
    }
    text->removeSelection(0);
    QCOMPARE(text->selectionCount(), 0);
    text->setCursorPosition(12);
    QCOMPARE(text->cursorPosition(), 12);
    QCOMPARE(view_->CursorPosition(), 12);
    // The place of a character and the character at a place agree.
    const QRect rect = text->characterRect(13);
    QVERIFY(rect.isValid());
    QCOMPARE(text->offsetAtPoint(rect.center() - QPoint(rect.width() / 4, 0)), 13);
  }

  // Screen readers hear appended text and the caret moving.
  void appendedTextIsAnnounced() {
    static std::vector<std::pair<QAccessible::Event, QString>> heard;
    heard.clear();
    const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
      if (event->type() == QAccessible::TextInserted) {
        heard.emplace_back(event->type(), static_cast<QAccessibleTextInsertEvent*>(event)->textInserted());
      } else if (event->type() == QAccessible::TextCaretMoved || event->type() == QAccessible::TextSelectionChanged ||
                 event->type() == QAccessible::TextRemoved) {
        heard.emplace_back(event->type(), QString());
      }
    });
    QAccessible::setActive(true);
    if (!QAccessible::isActive()) {
      QAccessible::installUpdateHandler(before);
      QSKIP("no assistive technology on this platform (offscreen); runs under an AT-SPI session");
    }
    view_->AppendUtf8("first\n");
    view_->AppendUtf8("M\xC3\xA4rz\n");
    view_->MoveToEnd();
    view_->SetSelection(0, 3);
    view_->Clear();
    QAccessible::installUpdateHandler(before);
    QAccessible::setActive(false);
    const std::vector<std::pair<QAccessible::Event, QString>> expected{
        {QAccessible::TextInserted, QStringLiteral("first\n")},
        {QAccessible::TextInserted, S("M\xC3\xA4rz\n")},
        {QAccessible::TextCaretMoved, QString()},
        {QAccessible::TextSelectionChanged, QString()},
        {QAccessible::TextCaretMoved, QString()},
        {QAccessible::TextRemoved, QString()},
        {QAccessible::TextCaretMoved, QString()}};
    QCOMPARE(heard, expected);
  }
};

QTEST_MAIN(ReadOnlyTextViewTest)
#include "read_only_text_view_qtest.moc"
