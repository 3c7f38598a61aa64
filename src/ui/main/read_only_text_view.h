#pragma once
// A read-only text view for long texts: the text is kept once, as UTF-8 (OutputText), and only
// the lines in view are laid out and painted. The user selects with the mouse and the keyboard
// as in a read-only text box and copies with Ctrl+C or the context menu. Positions in this
// interface are UTF-16 offsets of the text with '\n' line ends, as Qt's text widgets and
// assistive technology count them.
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QString>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/main/output_text.h"

class QTextLayout;

namespace qv {

class ReadOnlyTextView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  enum class Wrap { None, WidgetWidth };
  explicit ReadOnlyTextView(QWidget* parent = nullptr);
  ~ReadOnlyTextView() override;

  // Long lines run on under a horizontal scroll bar (None) or break at the view's width.
  void SetWrap(Wrap wrap);
  Wrap WrapMode() const { return wrap_; }

  // The whole text, lines ending in '\n'. Bytes that are not UTF-8 become U+FFFD. The caret goes
  // to the start and the selection goes.
  void SetUtf8(std::string utf8);
  void SetText(const QString& text) { SetUtf8(text.toStdString()); }
  // Adds at the end; the caret and the view stay where they are.
  void AppendUtf8(std::string_view utf8);
  void Clear() { SetUtf8(std::string()); }
  // Clear, handing the text that was there over (moved, not copied).
  std::string TakeUtf8();

  const std::string& Utf8() const { return text_.Bytes(); }
  QString Text() const;
  const OutputText& Store() const { return text_; }
  std::size_t LineCount() const { return text_.LineCount(); }
  // The first line in view.
  std::size_t FirstVisibleLine() const;

  // Caret and selection, in UTF-16 offsets.
  qsizetype CharacterCount() const { return static_cast<qsizetype>(text_.Utf16Size()); }
  qsizetype CursorPosition() const;
  qsizetype AnchorPosition() const;
  bool HasSelection() const { return anchor_ != caret_; }
  QString SelectedText() const;
  // Selects from `anchor` to `position` (the caret); equal offsets only move the caret.
  void SetSelection(qsizetype anchor, qsizetype position);
  void SetCursorPosition(qsizetype position) { SetSelection(position, position); }
  void ClearSelection();
  void SelectAll();
  // The caret to the end of the text, and the view scrolled so that the last line shows.
  void MoveToEnd();
  void EnsureCaretVisible();
  // Puts the selection on the clipboard (nothing when nothing is selected).
  void Copy();
  // The text between two UTF-16 offsets (clamped).
  QString TextBetween(qsizetype from, qsizetype to) const;
  // Where the character at `position` is drawn, in viewport coordinates (also when it is out of
  // view), and the offset of the character under a viewport point.
  QRect CharacterRect(qsizetype position) const;
  qsizetype PositionAt(QPoint viewport_point) const;
  // Byte offsets and the UTF-16 offsets of the same places.
  qsizetype ToUtf16(std::size_t byte) const { return static_cast<qsizetype>(text_.ToUtf16(byte)); }
  std::size_t ToByte(qsizetype utf16) const { return text_.ToByte(utf16 < 0 ? 0 : static_cast<std::size_t>(utf16)); }
  // The word at a byte offset as [first, second) bytes, as a double click selects it.
  std::pair<std::size_t, std::size_t> WordAt(std::size_t byte) const;

 signals:
  void selectionChanged();
  void cursorPositionChanged();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  struct RowPlace {  // where a byte offset is drawn
    std::size_t line;
    int row;    // visual row inside the line (0 unless wrapped)
    int local;  // UTF-16 offset inside the line
  };
  void Select(std::size_t anchor, std::size_t caret);
  void Reset(std::size_t old_utf16_size, bool had_selection);
  void TextReplaced(std::size_t old_utf16_size);
  QTextLayout* Layout(std::size_t line) const;
  int Rows(std::size_t line) const;
  int LineSpacing() const;
  int VisibleRows() const;
  qreal LayoutWidth() const;
  void UpdateScrollBars();
  std::size_t MaxTopLine() const;
  RowPlace PlaceOf(std::size_t byte) const;
  std::size_t ByteAt(std::size_t line, int row, qreal x) const;
  std::size_t HitTest(QPoint viewport_point) const;
  int RowsBetween(std::size_t from_line, std::size_t to_line) const;
  std::size_t MoveRows(std::size_t byte, int rows);
  std::size_t RowEdge(std::size_t byte, bool end) const;
  void RestartBlink();

  OutputText text_;
  Wrap wrap_ = Wrap::None;
  std::size_t anchor_ = 0;  // byte offsets, always at a character's start
  std::size_t caret_ = 0;
  qreal desired_x_ = -1;  // the x the caret keeps while moving up and down
  bool dragging_ = false;
  bool caret_shown_ = true;
  QBasicTimer blink_;
  std::size_t longest_columns_ = 0;  // UTF-16 units of the longest line
  mutable qreal widest_seen_ = 0;    // widest line laid out so far
  mutable std::unordered_map<std::size_t, std::unique_ptr<QTextLayout>> layouts_;
};

}  // namespace qv
