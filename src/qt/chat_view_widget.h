// The chat view widget: paints the styled lines of the chat document, only the rows on screen.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Qt defines "emit" as a keyword; the logic headers use it as a method name.
#pragma push_macro("emit")
#undef emit
#include "view/chat_search.h"
#include "view/chat_view.h"
#pragma pop_macro("emit")

namespace orva {
struct ViewPart;

class ChatViewWidget : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit ChatViewWidget(ViewPart& form, QWidget* parent = nullptr);
    ~ChatViewWidget() override;

    struct Pos {
        std::size_t line = 0;
        std::uint32_t index = 0;  // byte offset in the line's text
        auto operator<=>(const Pos&) const = default;
    };

    QString selectedText() const;
    void selectAll();
    void copy() const;
    // Marks every match of search on screen, current (when set) stronger; null removes them.
    void setMarks(const ChatSearch* search, const SearchMatch* current);
    // Scrolls, when needed, so that a line is on screen.
    void showLine(std::size_t line);
    bool hasSelection() const { return anchor_ != caret_; }
    // The line and character under a point of the viewport (for links: the character whose
    // cell holds the point; past a line's end, its length).
    bool charAt(QPoint p, Pos& out, bool nearestBoundary) const;
    std::size_t paintCount() const { return paints_; }
    int bottomLine() const;

    // For assistive technology: the document, the line the reader is at (the caret's once the
    // pointer placed it, else the last line shown), whether a line is inside the selection, and
    // how often the document was replaced.
    const ChatView& document() const { return view_; }
    std::size_t currentLine() const {
        if (hasSelection() || caret_ != Pos{}) return caret_.line;
        const std::size_t last = view_.lineCount() - 1;
        return filled_ ? std::min<std::size_t>(static_cast<std::size_t>(bottomLine()), last) : last;
    }
    bool lineInSelection(std::size_t line) const {
        const auto [from, to] = std::minmax(anchor_, caret_);
        return from != to && from.line <= line && line <= to.line;
    }
    std::size_t reloadCount() const { return reloads_; }
    // A line's rows as last painted, in viewport coordinates; empty when none was on screen.
    QRect paintedRect(std::size_t line) const {
        QRect r;
        for (const Row& row : rows_)
            if (row.line == line) r |= QRect(0, row.top, viewport()->width(), row.height);
        return r;
    }

    // The read marker as last painted, in viewport coordinates; empty when not on screen.
    QRect markerRect() const { return markerRect_; }

  Q_SIGNALS:
    void findRequested();  // "Find..." in the context menu

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    struct FontEntry {
        QFont font;
        std::array<float, 256> advance{};
        qreal ascent = 0;
        qreal underlinePos = 1, lineWidth = 1;  // below the baseline
        int height = 0;
        // Glyphs of the font's own face, so rows are drawn without shaping; bytes it has no
        // glyph for (0) make their segment go through the text engine and its fallback fonts.
        QRawFont raw;
        std::array<quint32, 256> glyph{};
    };
    struct Layout {
        std::vector<std::uint32_t> rowStarts;  // first byte of each row; the first is 0
        int rowHeight = 0;
        int ascent = 0;
    };
    struct Row {
        std::size_t line;
        std::uint32_t begin, end;
        int top, height, ascent;
    };

    const FontEntry& fontFor(CharFormat format);
    const FontEntry& fontForConst(CharFormat format) const;
    const Layout& layoutOf(std::size_t line);
    float advanceAt(const StyledLine& line, std::size_t& run, std::uint32_t i) const;
    int textWidth() const;
    void onAppended(bool showNewest);
    void onReloaded();
    void invalidateLayouts();
    void scheduleSync();
    void hover(QPoint point);
    void sync();
    void drawRow(QPainter& p, const Row& row);
    void drawSegment(QPainter& p, const FontEntry& e, std::string_view seg, QPointF origin);
    QColor colourOf(std::uint8_t index) const;
    void drawMarks(QPainter& p, const Row& row, const StyledLine& line);
    qreal xOf(const StyledLine& line, const Row& row, std::uint32_t index) const;
    void selectionMade();
    void edgeScroll();

    ViewPart& form_;
    ChatView& view_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    mutable std::unordered_map<std::uint32_t, FontEntry> fonts_;
    std::unordered_map<std::size_t, Layout> layouts_;
    int layoutWidth_ = -1;
    std::size_t lastLine_ = 0;    // the open line, which may still grow
    std::size_t layoutsEnd_ = 0;  // no line from here on has a cached layout

    bool filled_ = false;  // the history is taller than the viewport
    std::size_t fillLine_ = 0;
    bool syncPending_ = false;
    bool followPending_ = false;
    bool adjusting_ = false;  // the view moves its own scroll bar

    Pos anchor_, caret_;
    bool selecting_ = false;
    QPoint dragPoint_;          // where the pointer is while selecting
    QTimer edgeTimer_;          // scrolls while a selection is dragged past the top or bottom
    qint64 doubleClickAt_ = 0;  // a press soon after a double-click, nearby, selects the line
    QPoint doubleClickPoint_;
    const ChatSearch* search_ = nullptr;
    SearchMatch current_;
    bool hasCurrent_ = false;
    std::vector<Row> rows_;  // rows painted last, top to bottom
    QRect markerRect_;
    std::vector<quint32> glyphs_;  // scratch of drawSegment
    std::vector<QPointF> positions_;
    QGlyphRun run_;
    std::size_t paints_ = 0;
    std::size_t reloads_ = 0;
};

}  // namespace orva
