#include "ui/main/read_only_text_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleHints>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <algorithm>
#include <climits>
#include <utility>

#include "platform/qt_text.h"
#include "settings/stored_text.h"

namespace qv {
namespace {

constexpr int kMargin = 4;                     // around the text, as Qt's text boxes leave
constexpr std::size_t kMostLayoutsKept = 512;  // lines laid out and kept for the next paint
// Assistive technology hears inserted and removed text; a change larger than this (a saved
// output at start-up) is announced by its place and size alone, without its text.
constexpr std::size_t kMostAnnouncedUnits = std::size_t{1} << 20;

int ToInt(std::size_t value) { return static_cast<int>(std::min<std::size_t>(value, INT_MAX)); }
int ToInt(qsizetype value) { return static_cast<int>(std::clamp<qsizetype>(value, INT_MIN, INT_MAX)); }

// Characters Qt's text boxes end a word at besides blanks, so that a double click and the word
// boundaries of assistive technology stop where theirs do.
bool IsWordSeparator(QChar c) {
  switch (c.unicode()) {
    case '.': case ',': case '?': case '!': case '@': case '#': case '$': case ':': case ';': case '-':
    case '<': case '>': case '[': case ']': case '(': case ')': case '{': case '}': case '=': case '/':
    case '+': case '%': case '&': case '^': case '*': case '\'': case '"': case '`': case '~': case '|':
    case '\\':
      return true;
    default:
      return false;
  }
}

// ---- The accessible face ------------------------------------------------------------------

// Screen readers see what they saw of a read-only text editor: the text, caret and selection
// interfaces, and an editable-text interface that refuses every change, as a locked box does.
class TextViewAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
 public:
  explicit TextViewAccessible(ReadOnlyTextView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.editable = false;
    s.multiLine = true;
    s.selectableText = true;
    s.focusable = true;
    return s;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) {
      return static_cast<std::size_t>(View()->CharacterCount()) <= kMostAnnouncedUnits ? View()->Text() : QString();
    }
    return QAccessibleWidget::text(t);
  }

  // QAccessibleEditableTextInterface: the box is locked against editing.
  void deleteText(int, int) override {}
  void insertText(int, const QString&) override {}
  void replaceText(int, int, const QString&) override {}

  // QAccessibleTextInterface
  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !View()->HasSelection()) return;
    *start = ToInt(std::min(View()->AnchorPosition(), View()->CursorPosition()));
    *end = ToInt(std::max(View()->AnchorPosition(), View()->CursorPosition()));
  }
  int selectionCount() const override { return View()->HasSelection() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int index) override {
    if (index == 0) View()->ClearSelection();
  }
  void setSelection(int index, int start, int end) override {
    if (index == 0) View()->SetSelection(start, end);
  }
  int cursorPosition() const override { return ToInt(View()->CursorPosition()); }
  void setCursorPosition(int position) override { View()->SetCursorPosition(position); }
  QString text(int start, int end) const override { return View()->TextBetween(start, end); }
  int characterCount() const override { return ToInt(View()->CharacterCount()); }
  QRect characterRect(int offset) const override {
    const QRect rect = View()->CharacterRect(offset);
    return QRect(View()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint local = View()->viewport()->mapFromGlobal(point);
    if (!View()->viewport()->rect().contains(local)) return -1;
    return ToInt(View()->PositionAt(local));
  }
  void scrollToSubstring(int start, int end) override {
    View()->SetSelection(start, end);
    View()->EnsureCaretVisible();
  }
  QString attributes(int offset, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    (void)offset;
    return QString();
  }

  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    *start = *end = -1;
    if (offset == -2) offset = cursorPosition();
    if (offset < 0 || offset > characterCount()) return QString();
    const auto [first, last] = Boundaries(offset, type);
    *start = first;
    *end = last;
    return text(first, last);
  }
  // As Qt's text boxes answer: the piece that ends where the piece at `offset` starts; at the
  // first piece, that piece itself.
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    *start = *end = -1;
    if (offset == -2) offset = cursorPosition();
    if (offset < 0 || offset > characterCount()) return QString();
    const int before = Boundaries(offset, type).first - 1;
    const auto [first, last] = Boundaries(before < 0 ? offset : before, type);
    *start = first;
    *end = last;
    return text(first, last);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    *start = *end = -1;
    if (offset == -2) offset = cursorPosition();
    if (offset < 0 || offset > characterCount()) return QString();
    const auto [first, last] = Boundaries(Boundaries(offset, type).second, type);
    *start = first;
    *end = last;
    return text(first, last);
  }

 private:
  ReadOnlyTextView* View() const { return static_cast<ReadOnlyTextView*>(widget()); }

  // The piece of text of `type` around UTF-16 offset `offset`, as [first, second) offsets: a
  // character, a word (as Qt's text cursor finds its start and end), a sentence or a line of
  // the text (without its line end), or the whole text.
  std::pair<int, int> Boundaries(int offset, QAccessible::TextBoundaryType type) const {
    const ReadOnlyTextView* view = View();
    const OutputText& store = view->Store();
    const std::size_t byte = view->ToByte(offset);
    const std::size_t line = store.LineOf(byte);
    const std::size_t line_start = store.LineStart(line);
    const std::string_view line_bytes = store.Line(line);
    const int line_first = ToInt(view->ToUtf16(line_start));
    const int line_last = ToInt(view->ToUtf16(line_start + line_bytes.size()));
    switch (type) {
      case QAccessible::CharBoundary:
        return {ToInt(view->ToUtf16(byte)), ToInt(view->ToUtf16(store.NextCharacter(byte)))};
      case QAccessible::WordBoundary: {
        const QString text = ToQString(line_bytes);
        const int local = ToInt(view->ToUtf16(byte)) - line_first;
        return {line_first + WordStart(text, local), line_first + WordEnd(text, local)};
      }
      case QAccessible::SentenceBoundary: {
        const QString text = ToQString(line_bytes);
        const int local = ToInt(view->ToUtf16(byte)) - line_first;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Sentence, text);
        finder.setPosition(local);
        qsizetype previous = local;
        if (!(finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem)) previous = finder.toPreviousBoundary();
        finder.setPosition(local);
        const qsizetype next = finder.toNextBoundary();
        return {line_first + ToInt(previous < 0 ? 0 : previous), next < 0 ? line_last : line_first + ToInt(next)};
      }
      case QAccessible::LineBoundary:
      case QAccessible::ParagraphBoundary:
        return {line_first, line_last};
      case QAccessible::NoBoundary:
        break;
    }
    return {0, characterCount()};
  }

  // Qt's text cursor: the start of a word is found by skipping back over words from just past
  // the offset; its end by running over word characters, or over separators from one.
  static int WordStart(const QString& text, int local) {
    if (local == 0) return 0;
    const int length = static_cast<int>(text.size());
    if (local == length && (text.at(local - 1).isSpace() || IsWordSeparator(text.at(local - 1)))) return local;
    QTextLayout layout(text);
    return layout.previousCursorPosition(local < length ? local + 1 : local, QTextLayout::SkipWords);
  }
  static int WordEnd(const QString& text, int local) {
    const int length = static_cast<int>(text.size());
    if (local >= length) return local;
    if (IsWordSeparator(text.at(local))) {
      ++local;
      while (local < length && IsWordSeparator(text.at(local))) ++local;
    } else {
      while (local < length && !text.at(local).isSpace() && !IsWordSeparator(text.at(local))) ++local;
    }
    return local;
  }

  friend class qv::ReadOnlyTextView;
};

QAccessibleInterface* TextViewFactory(const QString&, QObject* object) {
  if (auto* view = qobject_cast<ReadOnlyTextView*>(object)) return new TextViewAccessible(view);
  return nullptr;
}

void InstallAccessibleFace() {
  static const bool installed = [] {
    QAccessible::installFactory(TextViewFactory);
    return true;
  }();
  (void)installed;
}

// Whether `utf8` is safe to keep as it is; other bytes are replaced as Qt reads them.
std::string AsUtf8(std::string text) {
  if (IsValidUtf8(text)) return text;
  return ToQString(text).toStdString();
}

}  // namespace

// ---- Text ------------------------------------------------------------------------------------

ReadOnlyTextView::ReadOnlyTextView(QWidget* parent) : QAbstractScrollArea(parent) {
  InstallAccessibleFace();
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(1);
  UpdateScrollBars();
}

ReadOnlyTextView::~ReadOnlyTextView() = default;

void ReadOnlyTextView::SetWrap(Wrap wrap) {
  if (wrap_ == wrap) return;
  wrap_ = wrap;
  setHorizontalScrollBarPolicy(wrap_ == Wrap::WidgetWidth ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  layouts_.clear();
  UpdateScrollBars();
  viewport()->update();
}

void ReadOnlyTextView::SetUtf8(std::string utf8) {
  const std::size_t old_units = text_.Utf16Size();
  const bool had_selection = HasSelection();
  text_.Assign(AsUtf8(std::move(utf8)));
  Reset(old_units, had_selection);
}

std::string ReadOnlyTextView::TakeUtf8() {
  const std::size_t old_units = text_.Utf16Size();
  const bool had_selection = HasSelection();
  std::string taken = text_.Take();
  Reset(old_units, had_selection);
  return taken;
}

// After the whole text was replaced: the caret at the start, the view at the top.
void ReadOnlyTextView::Reset(std::size_t old_units, bool had_selection) {
  anchor_ = caret_ = 0;
  desired_x_ = -1;
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  TextReplaced(old_units);
  if (had_selection) emit selectionChanged();
  emit cursorPositionChanged();
}

void ReadOnlyTextView::AppendUtf8(std::string_view utf8) {
  if (utf8.empty()) return;
  const std::size_t from = text_.Utf16Size();
  layouts_.erase(text_.LineCount() - 1);  // the last line grows
  if (IsValidUtf8(utf8)) {
    text_.Append(utf8);
  } else {
    text_.Append(AsUtf8(std::string(utf8)));
  }
  const std::size_t units = text_.Utf16Size() - from;
  longest_columns_ = Utf16Units(text_.Line(text_.LongestLine()));
  UpdateScrollBars();
  viewport()->update();
  if (QAccessible::isActive()) {
    // The text a screen reader speaks: what was added.
    QAccessibleTextInsertEvent inserted(this, ToInt(from),
                                        units <= kMostAnnouncedUnits ? TextBetween(ToInt(from), CharacterCount()) : QString());
    QAccessible::updateAccessibility(&inserted);
  }
}

void ReadOnlyTextView::TextReplaced(std::size_t old_units) {
  layouts_.clear();
  widest_seen_ = 0;
  longest_columns_ = Utf16Units(text_.Line(text_.LongestLine()));
  UpdateScrollBars();
  viewport()->update();
  if (!QAccessible::isActive()) return;
  if (old_units > 0) {
    // As Qt's text boxes do, the removed text is told by its length in blanks.
    QAccessibleTextRemoveEvent removed(this, 0, old_units <= kMostAnnouncedUnits ? QString(ToInt(old_units), QLatin1Char(' ')) : QString());
    QAccessible::updateAccessibility(&removed);
  }
  if (text_.Utf16Size() > 0) {
    QAccessibleTextInsertEvent inserted(this, 0, text_.Utf16Size() <= kMostAnnouncedUnits ? Text() : QString());
    QAccessible::updateAccessibility(&inserted);
  }
  QAccessibleTextCursorEvent moved(this, 0);
  QAccessible::updateAccessibility(&moved);
}

QString ReadOnlyTextView::Text() const { return ToQString(text_.Bytes()); }

QString ReadOnlyTextView::TextBetween(qsizetype from, qsizetype to) const {
  const std::size_t first = ToByte(from);
  const std::size_t last = ToByte(to);
  if (last <= first) return QString();
  return ToQString(std::string_view(text_.Bytes()).substr(first, last - first));
}

std::size_t ReadOnlyTextView::FirstVisibleLine() const {
  return static_cast<std::size_t>(std::max(0, verticalScrollBar()->value()));
}

// ---- Caret and selection -----------------------------------------------------------------

qsizetype ReadOnlyTextView::CursorPosition() const { return ToUtf16(caret_); }
qsizetype ReadOnlyTextView::AnchorPosition() const { return ToUtf16(anchor_); }

QString ReadOnlyTextView::SelectedText() const {
  const std::size_t first = std::min(anchor_, caret_);
  const std::size_t last = std::max(anchor_, caret_);
  return ToQString(std::string_view(text_.Bytes()).substr(first, last - first));
}

void ReadOnlyTextView::SetSelection(qsizetype anchor, qsizetype position) {
  desired_x_ = -1;
  Select(ToByte(anchor), ToByte(position));
}

void ReadOnlyTextView::ClearSelection() { Select(caret_, caret_); }
void ReadOnlyTextView::SelectAll() { Select(0, text_.Size()); }

void ReadOnlyTextView::MoveToEnd() {
  desired_x_ = -1;
  Select(text_.Size(), text_.Size());
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  EnsureCaretVisible();
}

void ReadOnlyTextView::Copy() {
  if (HasSelection()) QApplication::clipboard()->setText(SelectedText());
}

void ReadOnlyTextView::Select(std::size_t anchor, std::size_t caret) {
  anchor = std::min(anchor, text_.Size());
  caret = std::min(caret, text_.Size());
  if (anchor == anchor_ && caret == caret_) return;
  const bool selection_changed = (anchor != caret || anchor_ != caret_) &&
                                 (std::min(anchor, caret) != std::min(anchor_, caret_) ||
                                  std::max(anchor, caret) != std::max(anchor_, caret_));
  const bool caret_moved = caret != caret_;
  anchor_ = anchor;
  caret_ = caret;
  RestartBlink();
  viewport()->update();
  if (QAccessible::isActive()) {
    if (selection_changed) {
      QAccessibleTextSelectionEvent selected(this, ToInt(ToUtf16(std::min(anchor_, caret_))),
                                             ToInt(ToUtf16(std::max(anchor_, caret_))));
      selected.setCursorPosition(ToInt(ToUtf16(caret_)));
      QAccessible::updateAccessibility(&selected);
    }
    if (caret_moved) {
      QAccessibleTextCursorEvent moved(this, ToInt(ToUtf16(caret_)));
      QAccessible::updateAccessibility(&moved);
    }
  }
  if (caret_moved) emit cursorPositionChanged();
  if (selection_changed) emit selectionChanged();
}

std::pair<std::size_t, std::size_t> ReadOnlyTextView::WordAt(std::size_t byte) const {
  const std::size_t line = text_.LineOf(byte);
  const std::size_t start = text_.LineStart(line);
  const std::string_view bytes = text_.Line(line);
  const QString text = ToQString(bytes);
  const int local = static_cast<int>(Utf16Units(bytes.substr(0, std::min(byte - start, bytes.size()))));
  const int first = TextViewAccessible::WordStart(text, local);
  int last = TextViewAccessible::WordEnd(text, local);
  if (last == first && last < text.size()) ++last;  // a blank: the blank itself
  return {start + ByteOfUtf16(bytes, static_cast<std::size_t>(first)),
          start + ByteOfUtf16(bytes, static_cast<std::size_t>(last))};
}

// ---- Layout ------------------------------------------------------------------------------

int ReadOnlyTextView::LineSpacing() const { return std::max(1, fontMetrics().lineSpacing()); }

int ReadOnlyTextView::VisibleRows() const {
  return std::max(1, (viewport()->height() - 2 * kMargin) / LineSpacing());
}

qreal ReadOnlyTextView::LayoutWidth() const {
  if (wrap_ == Wrap::None) return 1e9;
  return std::max<qreal>(fontMetrics().horizontalAdvance(QLatin1Char('M')), viewport()->width() - 2 * kMargin);
}

QTextLayout* ReadOnlyTextView::Layout(std::size_t line) const {
  const auto found = layouts_.find(line);
  if (found != layouts_.end()) return found->second.get();
  if (layouts_.size() >= kMostLayoutsKept) layouts_.clear();
  auto layout = std::make_unique<QTextLayout>(ToQString(text_.Line(line)), font(), viewport());
  QTextOption option;
  option.setWrapMode(wrap_ == Wrap::WidgetWidth ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  layout->setTextOption(option);
  layout->setCacheEnabled(true);
  const qreal width = LayoutWidth();
  const int spacing = LineSpacing();
  layout->beginLayout();
  int y = 0;
  for (QTextLine row = layout->createLine(); row.isValid(); row = layout->createLine()) {
    row.setLineWidth(width);
    row.setPosition(QPointF(0, y));
    y += spacing;
  }
  layout->endLayout();
  if (wrap_ == Wrap::None && layout->lineCount() > 0) {
    widest_seen_ = std::max(widest_seen_, layout->lineAt(0).naturalTextWidth());
  }
  QTextLayout* kept = layout.get();
  layouts_.emplace(line, std::move(layout));
  return kept;
}

int ReadOnlyTextView::Rows(std::size_t line) const {
  if (wrap_ == Wrap::None) return 1;
  return std::max(1, Layout(line)->lineCount());
}

// The top line that still fills the view to its last line.
std::size_t ReadOnlyTextView::MaxTopLine() const {
  const std::size_t lines = text_.LineCount();
  const int rows = VisibleRows();
  if (wrap_ == Wrap::None) return lines > static_cast<std::size_t>(rows) ? lines - static_cast<std::size_t>(rows) : 0;
  std::size_t top = lines - 1;
  int used = Rows(top);
  while (top > 0 && used + Rows(top - 1) <= rows) used += Rows(--top);
  return top;
}

void ReadOnlyTextView::UpdateScrollBars() {
  QScrollBar* vertical = verticalScrollBar();
  vertical->setPageStep(VisibleRows());
  vertical->setRange(0, ToInt(MaxTopLine()));
  QScrollBar* horizontal = horizontalScrollBar();
  if (wrap_ == Wrap::None) {
    const qreal estimate = static_cast<qreal>(longest_columns_) * fontMetrics().horizontalAdvance(QLatin1Char('x'));
    const qreal content = std::max(estimate, widest_seen_) + 2 * kMargin + 2;  // room for the caret
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 2);
    horizontal->setRange(0, std::max(0, static_cast<int>(std::min<qreal>(content, INT_MAX)) - viewport()->width()));
  } else {
    horizontal->setRange(0, 0);
  }
}

ReadOnlyTextView::RowPlace ReadOnlyTextView::PlaceOf(std::size_t byte) const {
  const std::size_t line = text_.LineOf(byte);
  const std::size_t start = text_.LineStart(line);
  const std::string_view bytes = text_.Line(line);
  const int local = static_cast<int>(Utf16Units(bytes.substr(0, std::min(byte - start, bytes.size()))));
  const QTextLayout* layout = Layout(line);
  int row = 0;
  if (wrap_ == Wrap::WidgetWidth) {
    const QTextLine at = layout->lineForTextPosition(local);
    if (at.isValid()) row = at.lineNumber();
  }
  return {line, row, local};
}

std::size_t ReadOnlyTextView::ByteAt(std::size_t line, int row, qreal x) const {
  const QTextLayout* layout = Layout(line);
  const std::string_view bytes = text_.Line(line);
  int local = 0;
  if (layout->lineCount() > 0) {
    const QTextLine at = layout->lineAt(std::clamp(row, 0, layout->lineCount() - 1));
    local = at.xToCursor(x);
  }
  return text_.LineStart(line) + ByteOfUtf16(bytes, static_cast<std::size_t>(std::max(0, local)));
}

std::size_t ReadOnlyTextView::HitTest(QPoint point) const {
  const int spacing = LineSpacing();
  const qreal x = point.x() - kMargin + horizontalScrollBar()->value();
  int y = point.y() - kMargin;
  std::size_t line = FirstVisibleLine();
  if (y < 0) return ByteAt(line, 0, x);
  const std::size_t lines = text_.LineCount();
  while (line < lines) {
    const int height = Rows(line) * spacing;
    if (y < height) return ByteAt(line, y / spacing, x);
    y -= height;
    if (line + 1 == lines) break;
    ++line;
  }
  return ByteAt(line, Rows(line) - 1, x);
}

qsizetype ReadOnlyTextView::PositionAt(QPoint point) const { return ToUtf16(HitTest(point)); }

// Rows of the lines [from, to); lines far away count one row each beyond the page in view.
int ReadOnlyTextView::RowsBetween(std::size_t from, std::size_t to) const {
  if (wrap_ == Wrap::None || to <= from) return ToInt(to - std::min(from, to));
  const std::size_t measured = std::min(to - from, static_cast<std::size_t>(VisibleRows()) + 1);
  int rows = 0;
  for (std::size_t line = from; line < from + measured; ++line) rows += Rows(line);
  return rows + ToInt(to - from - measured);
}

QRect ReadOnlyTextView::CharacterRect(qsizetype position) const {
  const std::size_t byte = ToByte(position);
  const RowPlace place = PlaceOf(byte);
  const QTextLayout* layout = Layout(place.line);
  const std::size_t top = FirstVisibleLine();
  const int spacing = LineSpacing();
  const int rows_before = place.line >= top ? RowsBetween(top, place.line) : -RowsBetween(place.line, top);
  const int y = kMargin + (rows_before + place.row) * spacing;
  qreal x = 0;
  qreal width = fontMetrics().horizontalAdvance(QLatin1Char(' '));
  if (layout->lineCount() > 0) {
    const QTextLine row = layout->lineAt(place.row);
    x = row.cursorToX(place.local);
    const std::size_t next = text_.NextCharacter(byte);
    if (next > byte && text_.Bytes()[byte] != '\n') {
      const int next_local = place.local + static_cast<int>(Utf16Units(std::string_view(text_.Bytes()).substr(byte, next - byte)));
      width = std::max<qreal>(1, row.cursorToX(next_local) - x);
    }
  }
  return QRect(static_cast<int>(x) + kMargin - horizontalScrollBar()->value(), y, static_cast<int>(width), spacing);
}

void ReadOnlyTextView::EnsureCaretVisible() {
  const RowPlace place = PlaceOf(caret_);
  QScrollBar* vertical = verticalScrollBar();
  const std::size_t top = FirstVisibleLine();
  if (place.line < top) {
    vertical->setValue(ToInt(place.line));
  } else {
    const int rows = VisibleRows();
    if (RowsBetween(top, place.line) + place.row >= rows) {
      // The caret's row becomes the last row in view.
      std::size_t new_top = place.line;
      int used = place.row + 1;
      while (new_top > 0 && used + Rows(new_top - 1) <= rows) used += Rows(--new_top);
      if (used > rows && new_top < place.line) ++new_top;
      vertical->setValue(ToInt(new_top));
    }
  }
  if (wrap_ == Wrap::None) {
    const QTextLayout* layout = Layout(place.line);
    if (layout->lineCount() == 0) return;
    const int x = static_cast<int>(layout->lineAt(0).cursorToX(place.local));
    QScrollBar* horizontal = horizontalScrollBar();
    UpdateScrollBars();  // the line may be wider than any seen before
    const int room = viewport()->width() - 2 * kMargin - 2;
    if (x < horizontal->value()) {
      horizontal->setValue(std::max(0, x - room / 4));
    } else if (x > horizontal->value() + room) {
      horizontal->setValue(x - room + room / 4);
    }
  }
}

// ---- Painting ----------------------------------------------------------------------------

void ReadOnlyTextView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QPalette& colours = palette();
  painter.setPen(colours.color(QPalette::Text));
  const int spacing = LineSpacing();
  const int height = viewport()->height();
  const qreal left = kMargin - horizontalScrollBar()->value();
  const std::size_t first = std::min(std::min(anchor_, caret_), text_.Size());
  const std::size_t last = std::max(anchor_, caret_);
  const bool show_caret = hasFocus() && caret_shown_;
  int y = kMargin;
  for (std::size_t line = FirstVisibleLine(); line < text_.LineCount() && y < height; ++line) {
    QTextLayout* layout = Layout(line);
    const std::size_t start = text_.LineStart(line);
    const std::string_view bytes = text_.Line(line);
    const std::size_t end = start + bytes.size();  // the line end ('\n') or the text's end
    QList<QTextLayout::FormatRange> selections;
    if (first < last && first <= end && last > start) {
      const std::size_t from = std::max(first, start) - start;
      const std::size_t to = std::min(last, end + 1) - start;  // past the text: the line end is selected
      QTextLayout::FormatRange range;
      range.start = static_cast<int>(Utf16Units(bytes.substr(0, from)));
      const std::size_t to_in_text = std::min(to, bytes.size());
      range.length = static_cast<int>(Utf16Units(bytes.substr(from, to_in_text - std::min(from, to_in_text)))) +
                     (to > bytes.size() ? 1 : 0);
      range.format.setBackground(colours.brush(QPalette::Highlight));
      range.format.setForeground(colours.brush(QPalette::HighlightedText));
      if (range.length > 0) selections.append(range);
    }
    layout->draw(&painter, QPointF(left, y), selections);
    if (show_caret && caret_ >= start && caret_ <= end) {
      const int local = static_cast<int>(Utf16Units(bytes.substr(0, caret_ - start)));
      layout->drawCursor(&painter, QPointF(left, y), local, std::max(1, style()->pixelMetric(QStyle::PM_TextCursorWidth)));
    }
    y += std::max(1, layout->lineCount()) * spacing;
  }
}

// The frame shows where the keyboard is: in the highlight colour while the view has the focus.
bool ReadOnlyTextView::event(QEvent* event) {
  const bool handled = QAbstractScrollArea::event(event);
  if (event->type() == QEvent::Paint && hasFocus()) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  return handled;
}

// A view that showed the last line (the output as it grows) still shows it at its new size.
void ReadOnlyTextView::resizeEvent(QResizeEvent* event) {
  const bool at_end = verticalScrollBar()->value() >= verticalScrollBar()->maximum();
  QAbstractScrollArea::resizeEvent(event);
  if (wrap_ == Wrap::WidgetWidth) layouts_.clear();
  UpdateScrollBars();
  if (at_end) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ReadOnlyTextView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    layouts_.clear();
    widest_seen_ = 0;
    UpdateScrollBars();
  }
}

void ReadOnlyTextView::scrollContentsBy(int, int) { viewport()->update(); }

void ReadOnlyTextView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  RestartBlink();
  update();
}

void ReadOnlyTextView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  blink_.stop();
  update();
}

void ReadOnlyTextView::RestartBlink() {
  caret_shown_ = true;
  const int period = QApplication::cursorFlashTime() / 2;
  if (hasFocus() && period > 0) {
    blink_.start(period, this);
  } else {
    blink_.stop();
  }
}

void ReadOnlyTextView::timerEvent(QTimerEvent* event) {
  if (event->timerId() != blink_.timerId()) {
    QAbstractScrollArea::timerEvent(event);
    return;
  }
  caret_shown_ = !caret_shown_;
  viewport()->update();
}

// ---- Keyboard ----------------------------------------------------------------------------

// One row up or down (negative: up), keeping the caret's x; past the first or the last row the
// caret goes to the start or the end of the text.
std::size_t ReadOnlyTextView::MoveRows(std::size_t byte, int rows) {
  const RowPlace place = PlaceOf(byte);
  if (desired_x_ < 0) {
    const QTextLayout* layout = Layout(place.line);
    desired_x_ = layout->lineCount() > 0 ? layout->lineAt(place.row).cursorToX(place.local) : 0;
  }
  std::size_t line = place.line;
  long long row = static_cast<long long>(place.row) + rows;
  while (row < 0 && line > 0) row += Rows(--line);
  if (row < 0) {
    if (rows < -1) row = 0;  // a page up stops on the first row
    else return 0;
  }
  while (row >= Rows(line) && line + 1 < text_.LineCount()) row -= Rows(line++);
  if (row >= Rows(line)) {
    if (rows > 1) row = Rows(line) - 1;  // a page down stops on the last row
    else return text_.Size();
  }
  return ByteAt(line, static_cast<int>(row), desired_x_);
}

std::size_t ReadOnlyTextView::RowEdge(std::size_t byte, bool end) const {
  const RowPlace place = PlaceOf(byte);
  const QTextLayout* layout = Layout(place.line);
  const std::string_view bytes = text_.Line(place.line);
  int local = 0;
  if (layout->lineCount() > 0) {
    const QTextLine row = layout->lineAt(place.row);
    local = end ? row.textStart() + row.textLength() : row.textStart();
    // A wrapped row ends before the blank it broke at, so the caret stays on the row.
    if (end && place.row + 1 < layout->lineCount() && local > row.textStart() && layout->text().at(local - 1).isSpace()) {
      --local;
    }
  }
  return text_.LineStart(place.line) + ByteOfUtf16(bytes, static_cast<std::size_t>(local));
}

void ReadOnlyTextView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    Copy();
    return;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    SelectAll();
    return;
  }
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool control = event->modifiers() & Qt::ControlModifier;
  const std::size_t first = std::min(anchor_, caret_);
  const std::size_t last = std::max(anchor_, caret_);
  std::size_t target = caret_;
  bool keep_x = false;
  switch (event->key()) {
    case Qt::Key_Left:
      if (!shift && HasSelection()) {
        target = first;
      } else if (control) {
        target = caret_ == 0 ? 0 : WordAt(text_.PreviousCharacter(caret_)).first;
      } else {
        target = text_.PreviousCharacter(caret_);
      }
      break;
    case Qt::Key_Right:
      if (!shift && HasSelection()) {
        target = last;
      } else if (control) {
        target = WordAt(caret_).second;
      } else {
        target = text_.NextCharacter(caret_);
      }
      break;
    case Qt::Key_Up:
      target = MoveRows(caret_, -1);
      keep_x = true;
      break;
    case Qt::Key_Down:
      target = MoveRows(caret_, 1);
      keep_x = true;
      break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      const int rows = event->key() == Qt::Key_PageUp ? -VisibleRows() : VisibleRows();
      target = MoveRows(caret_, rows);
      keep_x = true;
      verticalScrollBar()->setValue(verticalScrollBar()->value() + rows);
      break;
    }
    case Qt::Key_Home:
      target = control ? 0 : RowEdge(caret_, false);
      break;
    case Qt::Key_End:
      target = control ? text_.Size() : RowEdge(caret_, true);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  const qreal x = desired_x_;
  Select(shift ? anchor_ : target, target);
  desired_x_ = keep_x ? x : -1;
  EnsureCaretVisible();
  event->accept();
}

// ---- Mouse -------------------------------------------------------------------------------

void ReadOnlyTextView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  const std::size_t at = HitTest(event->position().toPoint());
  desired_x_ = -1;
  dragging_ = true;
  Select((event->modifiers() & Qt::ShiftModifier) ? anchor_ : at, at);
}

void ReadOnlyTextView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
  QPoint point = event->position().toPoint();
  // Dragging past the top or the bottom scrolls a line at a time.
  QScrollBar* vertical = verticalScrollBar();
  if (point.y() < 0) {
    vertical->setValue(vertical->value() - 1);
  } else if (point.y() > viewport()->height()) {
    vertical->setValue(vertical->value() + 1);
  }
  point.setY(std::clamp(point.y(), 0, viewport()->height() - 1));
  Select(anchor_, HitTest(point));
  EnsureCaretVisible();
}

void ReadOnlyTextView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
  QAbstractScrollArea::mouseReleaseEvent(event);
}

void ReadOnlyTextView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const auto [first, last] = WordAt(HitTest(event->position().toPoint()));
  dragging_ = false;
  Select(first, last);
}

// A menu of its own, opened without waiting in this event: Copy and Select All.
void ReadOnlyTextView::contextMenuEvent(QContextMenuEvent* event) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* copy = menu->addAction(tr("&Copy"), this, &ReadOnlyTextView::Copy);
  copy->setShortcut(QKeySequence::Copy);
  copy->setEnabled(HasSelection());
  QAction* all = menu->addAction(tr("Select All"), this, &ReadOnlyTextView::SelectAll);
  all->setShortcut(QKeySequence::SelectAll);
  all->setEnabled(!text_.Empty());
  menu->popup(event->globalPos());
}

}  // namespace qv
