#include "qt/chat_view_widget.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cctype>

#include "qt/accessible_lists.h"
#include "qt/binding.h"
#include "qt/codec.h"

// Qt defines "emit" as a keyword; the logic headers use it as a method name.
#pragma push_macro("emit")
#undef emit
#include "view/chat_lines.h"
#include "view/links.h"
#include "view/view_part.h"
#pragma pop_macro("emit")

namespace orva {

namespace {

constexpr int kMargin = 3;
constexpr std::size_t kMaxCachedLayouts = 4096;
const QColor kBackground(0, 0, 0);
const QColor kDefaultText(192, 192, 192);
const QColor kSelection(38, 79, 120);
const QColor kMatch(92, 78, 16);
const QColor kCurrentMatch(196, 110, 0);
// A line that asks for the user: a dim amber band with a bright bar in the left margin.
const QColor kMarkBand(52, 40, 8);
const QColor kMarkBar(255, 189, 41);
const QColor kStampText(150, 150, 150);
const QColor kMarker(220, 70, 70);
constexpr int kMarkerWidth = 2;

// While lines stream in, the bar's range grows every turn of the event loop, yet its picture
// rarely changes (a long history keeps the handle at its smallest, at the bottom). Styles paint
// bars with gradients that cost more than the rows of text, so an unchanged picture is reused.
class ChatScrollBar : public QScrollBar {
  public:
    explicit ChatScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers the whole bar
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        // Hover and press highlights come from state only the base class sees.
        if (underMouse() || isSliderDown()) {
            cache_ = QPixmap();
            QScrollBar::paintEvent(event);
            return;
        }
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        opt.subControls = QStyle::SC_All;
        const QRect handle =
            style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, this);
        const qreal dpr = devicePixelRatioF();
        const Key key{opt.rect,   handle, static_cast<int>(opt.state), dpr, opt.palette.cacheKey(),
                      isEnabled()};
        if (cache_.isNull() || !(key == key_)) {
            cache_ = QPixmap((QSizeF(size()) * dpr).toSize());
            cache_.setDevicePixelRatio(dpr);
            cache_.fill(palette().color(QPalette::Window));
            QPainter p(&cache_);
            style()->drawComplexControl(QStyle::CC_ScrollBar, &opt, &p, this);
            key_ = key;
        }
        QPainter(this).drawPixmap(0, 0, cache_);
    }

  private:
    struct Key {
        QRect rect, handle;
        int state = 0;
        qreal dpr = 0;
        qint64 palette = 0;
        bool enabled = false;
        bool operator==(const Key&) const = default;
    };
    QPixmap cache_;
    Key key_;
};

std::uint32_t fontKey(CharFormat f) {
    return (static_cast<std::uint32_t>(f.size) << 8) | (f.flags & (StyleItalic | StyleUnderline));
}

}  // namespace

ChatViewWidget::ChatViewWidget(ViewPart& form, QWidget* parent)
    : QAbstractScrollArea(parent), form_(form), view_(form.txtLog) {
    installAccessibleFactory();
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBar(new ChatScrollBar(this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent fills every pixel
    verticalScrollBar()->setSingleStep(1);
    // The wheel and the bar do not take the focus, yet a reader who scrolls back is reading:
    // the logic hears of every move the view did not make itself.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!adjusting_) txtLog_Scroll(form_, value == verticalScrollBar()->maximum());
    });

    std::weak_ptr<bool> alive = alive_;
    view_.appended.connect([this, alive](bool showNewest) {
        if (!alive.expired()) onAppended(showNewest);
    });
    view_.reloaded.connect([this, alive] {
        if (!alive.expired()) onReloaded();
    });
    view_.markerMoved.connect([this, alive] {
        if (!alive.expired()) viewport()->update();
    });
    view_.FontName.changed.connect([this, alive](const std::string&) {
        if (alive.expired()) return;
        fonts_.clear();
        invalidateLayouts();
    });
    view_.MousePointer.changed.connect([this, alive](const int& pointer) {
        if (alive.expired()) return;
        viewport()->setCursor(pointer == kLinkPointer ? Qt::PointingHandCursor : Qt::IBeamCursor);
    });
    view_.FontSize.changed.connect([this, alive](const int&) {
        if (!alive.expired()) scheduleSync();  // the page step follows the font in use
    });
    edgeTimer_.setInterval(50);
    connect(&edgeTimer_, &QTimer::timeout, this, [this] { edgeScroll(); });
    lastLine_ = view_.lineCount() - 1;
    followPending_ = true;
    scheduleSync();
}

ChatViewWidget::~ChatViewWidget() {
    alive_.reset();
}

QColor ChatViewWidget::colourOf(std::uint8_t index) const {
    return index >= 1 && index < ChatColors.size() ? toQColor(ChatColors[index]) : kDefaultText;
}

const ChatViewWidget::FontEntry& ChatViewWidget::fontFor(CharFormat format) {
    return fontForConst(format);
}

const ChatViewWidget::FontEntry& ChatViewWidget::fontForConst(CharFormat format) const {
    const std::uint32_t key = fontKey(format);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    FontEntry e;
    const std::string& name = view_.FontName.get();
    e.font = QFont(name.empty() ? QStringLiteral("Courier New") : QString::fromStdString(name));
    e.font.setPointSizeF(std::max(1.0, format.size / 2.0));
    e.font.setItalic(format.flags & StyleItalic);
    e.font.setUnderline(format.flags & StyleUnderline);
    e.font.setKerning(false);  // advances of single characters then add up to the drawn text
    const QFontMetricsF fm(e.font);
    for (int b = 0; b < 256; ++b)
        e.advance[static_cast<std::size_t>(b)] = static_cast<float>(
            fm.horizontalAdvance(QChar(cp1252Char(static_cast<unsigned char>(b)))));
    e.ascent = fm.ascent();
    e.underlinePos = std::max<qreal>(1, std::round(fm.underlinePos()));
    e.lineWidth = std::max<qreal>(1, std::round(fm.lineWidth()));
    e.height = static_cast<int>(std::ceil(fm.height()));
    e.raw = QRawFont::fromFont(e.font);
    if (e.raw.isValid()) {
        for (int b = 0; b < 256; ++b) {
            const QChar c(cp1252Char(static_cast<unsigned char>(b)));
            quint32 index = 0;
            int count = 1;
            if (c.unicode() >= 0x20 && e.raw.glyphIndexesForChars(&c, 1, &index, &count) &&
                count == 1)
                e.glyph[static_cast<std::size_t>(b)] = index;
        }
    }
    return fonts_.emplace(key, std::move(e)).first->second;
}

float ChatViewWidget::advanceAt(const StyledLine& line, std::size_t& run, std::uint32_t i) const {
    while (run + 1 < line.runs.size() && line.runs[run + 1].start <= i)
        ++run;
    const CharFormat f = line.runs.empty() ? CharFormat{} : line.runs[run].format;
    return fontForConst(f).advance[static_cast<unsigned char>(line.text[i])];
}

int ChatViewWidget::textWidth() const {
    return std::max(8, viewport()->width() - 2 * kMargin);
}

const ChatViewWidget::Layout& ChatViewWidget::layoutOf(std::size_t index) {
    const int width = textWidth();
    if (width != layoutWidth_) {
        layouts_.clear();
        layoutWidth_ = width;
    }
    auto it = layouts_.find(index);
    if (it != layouts_.end()) return it->second;
    if (layouts_.size() >= kMaxCachedLayouts) layouts_.clear();

    const StyledLine line = view_.line(index);
    Layout l;
    l.rowStarts.push_back(0);
    const FontEntry* tallest = &fontFor(line.runs.empty() ? CharFormat{} : line.runs[0].format);
    for (const StyleRun& r : line.runs) {
        const FontEntry& e = fontFor(r.format);
        if (e.height > tallest->height) tallest = &e;
    }
    l.rowHeight = tallest->height;
    l.ascent = static_cast<int>(std::ceil(tallest->ascent));

    // Greedy wrap after the last space that fits; a word wider than the row is cut.
    std::size_t run = 0;
    std::uint32_t rowStart = 0, lastBreak = 0;
    float x = 0;
    const auto n = static_cast<std::uint32_t>(line.text.size());
    for (std::uint32_t i = 0; i < n; ++i) {
        const float a = advanceAt(line, run, i);
        if (x + a > static_cast<float>(width) && i > rowStart) {
            const std::uint32_t next = lastBreak > rowStart ? lastBreak : i;
            l.rowStarts.push_back(next);
            rowStart = next;
            lastBreak = 0;
            x = 0;
            std::size_t r2 = 0;
            for (std::uint32_t k = next; k < i; ++k)
                x += advanceAt(line, r2, k);
        }
        x += a;
        if (line.text[i] == ' ') lastBreak = i + 1;
    }
    layoutsEnd_ = std::max(layoutsEnd_, index + 1);
    return layouts_.emplace(index, std::move(l)).first->second;
}

void ChatViewWidget::invalidateLayouts() {
    layouts_.clear();
    layoutWidth_ = -1;
    filled_ = false;
    scheduleSync();
}

void ChatViewWidget::onAppended(bool showNewest) {
    // The open line may have grown; the lines before it never change. In a flood thousands of
    // lines arrive between two paints, and only the first of them has a layout to drop.
    if (lastLine_ < layoutsEnd_) layouts_.erase(lastLine_);
    lastLine_ = view_.lineCount() - 1;
    if (lastLine_ < layoutsEnd_) layouts_.erase(lastLine_);
    if (showNewest) {
        followPending_ = true;
        anchor_ = caret_ = Pos{};
    }
    scheduleSync();
}

void ChatViewWidget::onReloaded() {
    ++reloads_;
    layouts_.clear();
    rows_.clear();  // they name lines of the old document until the next paint
    lastLine_ = view_.lineCount() - 1;
    filled_ = false;
    anchor_ = caret_ = Pos{};
    selecting_ = false;
    followPending_ = true;
    scheduleSync();
}

void ChatViewWidget::scheduleSync() {
    // However many lines arrive in one turn of the event loop, the view catches up once.
    if (syncPending_) return;
    syncPending_ = true;
    std::weak_ptr<bool> alive = alive_;
    QMetaObject::invokeMethod(
        this,
        [this, alive] {
            if (!alive.expired()) sync();
        },
        Qt::QueuedConnection);
}

void ChatViewWidget::sync() {
    syncPending_ = false;
    const std::size_t count = view_.lineCount();
    if (!filled_) {
        int height = 0;
        const int want = viewport()->height();
        for (std::size_t i = 0; i < count; ++i) {
            const Layout& l = layoutOf(i);
            height += l.rowHeight * static_cast<int>(l.rowStarts.size());
            if (height >= want) {
                filled_ = true;
                fillLine_ = i;
                break;
            }
        }
    }
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    adjusting_ = true;
    if (filled_) {
        bar->setRange(static_cast<int>(fillLine_), static_cast<int>(count - 1));
        CharFormat inUse;
        if (view_.FontSize.get() > 0)
            inUse.size = static_cast<std::uint16_t>(view_.FontSize.get() * 2);
        bar->setPageStep(std::max(1, viewport()->height() / std::max(1, fontFor(inUse).height)));
    } else {
        bar->setRange(0, 0);
    }
    if (followPending_ || (atEnd && !form_.ViewHasFocus)) bar->setValue(bar->maximum());
    adjusting_ = false;
    followPending_ = false;
    // A history that no longer fills the view (after a resize, say) leaves nothing to read back.
    if (bar->value() == bar->maximum() && form_.ViewScrolledBack) txtLog_Scroll(form_, true);
    viewport()->update();
}

int ChatViewWidget::bottomLine() const {
    return verticalScrollBar()->value();
}

void ChatViewWidget::scrollContentsBy(int, int) {
    viewport()->update();
}

void ChatViewWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    filled_ = false;
    scheduleSync();
}

void ChatViewWidget::paintEvent(QPaintEvent*) {
    ++paints_;
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), kBackground);
    rows_.clear();
    const std::size_t count = view_.lineCount();
    const int height = viewport()->height();
    // Scrolled to the top, the first line starts at the top edge rather than the line at the
    // bottom edge ending there (which could cut the first row in half); the newest line, when
    // it is the one at the bottom edge, wins.
    const QScrollBar* bar = verticalScrollBar();
    if (!filled_ || (bar->value() == bar->minimum() && bar->value() != bar->maximum())) {
        int y = 0;
        for (std::size_t i = 0; i < count && y < height; ++i) {
            const Layout& l = layoutOf(i);
            const StyledLine line = view_.line(i);
            for (std::size_t r = 0; r < l.rowStarts.size(); ++r) {
                const std::uint32_t end = r + 1 < l.rowStarts.size()
                                              ? l.rowStarts[r + 1]
                                              : static_cast<std::uint32_t>(line.text.size());
                rows_.push_back({i, l.rowStarts[r], end, y, l.rowHeight, l.ascent});
                y += l.rowHeight;
            }
        }
    } else {
        // Anchored at the bottom: the scroll bar names the line shown last.
        std::size_t i = std::min<std::size_t>(static_cast<std::size_t>(bottomLine()), count - 1);
        int y = height;
        std::vector<Row> upward;
        for (;;) {
            const Layout& l = layoutOf(i);
            const StyledLine line = view_.line(i);
            for (std::size_t r = l.rowStarts.size(); r-- > 0;) {
                const std::uint32_t end = r + 1 < l.rowStarts.size()
                                              ? l.rowStarts[r + 1]
                                              : static_cast<std::uint32_t>(line.text.size());
                y -= l.rowHeight;
                upward.push_back({i, l.rowStarts[r], end, y, l.rowHeight, l.ascent});
            }
            if (y <= 0 || i == 0) break;
            --i;
        }
        rows_.assign(upward.rbegin(), upward.rend());
    }
    for (const Row& row : rows_)
        if (row.top + row.height > 0 && row.top < height) drawRow(p, row);
    // The read marker lies on the border above the first line that arrived while away, half in
    // the line before (below its descenders), so tall glyphs do not touch it.
    markerRect_ = QRect();
    for (const Row& row : rows_) {
        if (row.line != view_.markerLine() || row.begin != 0) continue;
        markerRect_ = QRect(0, row.top - kMarkerWidth / 2, viewport()->width(), kMarkerWidth);
        p.fillRect(markerRect_, kMarker);
    }
    // Once a frame at most, and only for a listener: whatever changed is on screen now.
    if (QAccessible::isActive()) updateAccessibleChat(*this);
}

void ChatViewWidget::drawRow(QPainter& p, const Row& row) {
    const StyledLine line = view_.line(row.line);
    const auto [selFrom, selTo] = std::minmax(anchor_, caret_);
    const bool lineSelected =
        selFrom != selTo && selFrom.line <= row.line && row.line <= selTo.line;
    const std::uint32_t selBegin = lineSelected && selFrom.line == row.line ? selFrom.index : 0;
    const std::uint32_t selEnd =
        lineSelected ? (selTo.line == row.line ? selTo.index : UINT32_MAX) : 0;

    const qreal baseline = row.top + row.ascent;
    qreal x = kMargin;
    std::size_t run = 0;
    if (view_.isMarked(row.line)) {
        p.fillRect(QRectF(0, row.top, viewport()->width(), row.height), kMarkBand);
        p.fillRect(QRectF(0, row.top, 2, row.height), kMarkBar);
    }
    if (search_) drawMarks(p, row, line);
    // Selection first, behind the text.
    if (lineSelected) {
        qreal from = -1, to = x;
        std::size_t r = 0;
        qreal cx = kMargin;
        for (std::uint32_t i = row.begin; i < row.end; ++i) {
            const float a = advanceAt(line, r, i);
            if (i >= selBegin && i < selEnd) {
                if (from < 0) from = cx;
                to = cx + a;
            }
            cx += a;
        }
        // A selection that runs on to the next line covers the line break too.
        if (row.end == line.text.size() && selEnd > row.end && selBegin <= row.end) {
            if (from < 0) from = cx;
            to = cx + 6;
        }
        if (from >= 0) p.fillRect(QRectF(from, row.top, to - from, row.height), kSelection);
    }
    for (std::uint32_t i = row.begin; i < row.end;) {
        while (run + 1 < line.runs.size() && line.runs[run + 1].start <= i)
            ++run;
        std::uint32_t segEnd = row.end;
        if (run + 1 < line.runs.size()) segEnd = std::min(segEnd, line.runs[run + 1].start);
        const CharFormat f = line.runs.empty() ? CharFormat{} : line.runs[run].format;
        const FontEntry& e = fontFor(f);
        const std::string_view seg = line.text.substr(i, segEnd - i);
        p.setPen((f.flags & StyleStamp) ? kStampText : colourOf(f.colour));
        drawSegment(p, e, seg, QPointF(x, baseline));
        for (char c : seg)
            x += e.advance[static_cast<unsigned char>(c)];
        i = segEnd;
    }
}

void ChatViewWidget::drawSegment(QPainter& p, const FontEntry& e, std::string_view seg,
                                 QPointF origin) {
    // Glyphs placed at the advances the rows were wrapped and hit-tested with: no shaping per
    // paint, and what is drawn lines up with the selection and the pointer.
    glyphs_.clear();
    positions_.clear();
    qreal x = 0;
    bool drawable = e.raw.isValid();
    for (char c : seg) {
        const auto b = static_cast<unsigned char>(c);
        if (c != ' ') {
            if (e.glyph[b] == 0) {
                drawable = false;
                break;
            }
            glyphs_.push_back(e.glyph[b]);
            positions_.emplace_back(x, 0);
        }
        x += e.advance[b];
    }
    if (!drawable) {
        p.setFont(e.font);
        p.drawText(origin, fromCp1252(seg));
        return;
    }
    // The underline is ours: it spans the blanks too, and sits where the font says.
    if (e.font.underline())
        p.fillRect(QRectF(origin.x(), origin.y() + e.underlinePos, x, e.lineWidth),
                   p.pen().color());
    if (glyphs_.empty()) return;
    run_.setRawFont(e.raw);
    run_.setRawData(glyphs_.data(), positions_.data(), static_cast<int>(glyphs_.size()));
    p.drawGlyphRun(origin, run_);
}

bool ChatViewWidget::charAt(QPoint point, Pos& out, bool nearestBoundary) const {
    if (rows_.empty()) return false;
    const Row* row = &rows_.front();
    for (const Row& r : rows_) {
        row = &r;
        if (point.y() < r.top + r.height) break;
    }
    const StyledLine line = view_.line(row->line);
    qreal x = kMargin;
    std::size_t run = 0;
    std::uint32_t i = row->begin;
    for (; i < row->end; ++i) {
        const float a = advanceAt(line, run, i);
        const qreal limit = nearestBoundary ? x + a / 2 : x + a;
        if (point.x() < limit) break;
        x += a;
    }
    // Right of a wrapped row: its last character (the space it wrapped at).
    if (!nearestBoundary && i == row->end && row->end < line.text.size() && i > row->begin) --i;
    out = {row->line, i};
    return true;
}

void ChatViewWidget::hover(QPoint point) {
    Pos pos;
    if (charAt(point, pos, false))
        txtLog_MouseMove(form_, view_.line(pos.line).text, static_cast<long>(pos.index));
    else
        txtLog_MouseMove(form_, {}, 0);
}

void ChatViewWidget::mousePressEvent(QMouseEvent* event) {
    const int button = event->button() == Qt::LeftButton     ? 1
                       : event->button() == Qt::RightButton  ? 2
                       : event->button() == Qt::MiddleButton ? 4
                                                             : 0;
    // Lines arriving under a still pointer move the text: the link is the one under the
    // pointer now, not the one the last move found.
    hover(event->position().toPoint());
    txtLog_MouseDown(form_, button);
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        Pos pos;
        // The third click of a triple-click takes the whole line.
        const bool third =
            QDateTime::currentMSecsSinceEpoch() - doubleClickAt_ <
                QApplication::doubleClickInterval() &&
            (point - doubleClickPoint_).manhattanLength() <= QApplication::startDragDistance();
        doubleClickAt_ = 0;
        if (third && charAt(point, pos, false)) {
            anchor_ = {pos.line, 0};
            caret_ = {pos.line, static_cast<std::uint32_t>(view_.line(pos.line).text.size())};
            viewport()->update();
            selectionMade();
            return;
        }
        if (charAt(point, pos, true)) {
            if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = pos;
            caret_ = pos;
            selecting_ = true;
            dragPoint_ = point;
            viewport()->update();
        }
    }
}

void ChatViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    doubleClickAt_ = QDateTime::currentMSecsSinceEpoch();
    doubleClickPoint_ = point;
    selecting_ = false;
    Pos pos;
    if (!charAt(point, pos, false)) return;
    const std::string_view text = view_.line(pos.line).text;
    if (pos.index >= text.size()) return;
    // Letters, digits, "_" and the accented letters make a word; any other character is its own.
    const auto inWord = [&](std::uint32_t i) {
        const auto c = static_cast<unsigned char>(text[i]);
        return std::isalnum(c) || c == '_' || c >= 0xC0;
    };
    std::uint32_t from = pos.index, to = pos.index + 1;
    if (inWord(pos.index)) {
        while (from > 0 && inWord(from - 1))
            --from;
        while (to < text.size() && inWord(to))
            ++to;
    }
    anchor_ = {pos.line, from};
    caret_ = {pos.line, to};
    viewport()->update();
    selectionMade();
}

void ChatViewWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    hover(point);
    Pos pos;
    if (selecting_ && (event->buttons() & Qt::LeftButton) && charAt(point, pos, true)) {
        caret_ = pos;
        dragPoint_ = point;
        viewport()->update();
        // Past the top or bottom edge the view scrolls on while the button is held.
        const bool outside = point.y() < 0 || point.y() >= viewport()->height();
        if (outside && !edgeTimer_.isActive()) edgeTimer_.start();
        if (!outside) edgeTimer_.stop();
    }
}

void ChatViewWidget::edgeScroll() {
    if (!selecting_ || !(QApplication::mouseButtons() & Qt::LeftButton)) {
        edgeTimer_.stop();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const int y = dragPoint_.y();
    if (y < 0) {
        // Scrolled to the top, the view paints from the first line down; the bar's value then
        // names a line that may be on screen already, so the top needs no further step.
        if (bar->value() > bar->minimum()) bar->setValue(bar->value() - 1);
    } else {
        bar->setValue(bar->value() + 1);
    }
    repaint();  // the rows, and so the character under the pointer, as they are now
    Pos pos;
    if (charAt(QPoint(dragPoint_.x(), std::clamp(y, 0, viewport()->height() - 1)), pos, true))
        caret_ = pos;
    viewport()->update();
}

void ChatViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    edgeTimer_.stop();
    if (selecting_ && event->button() == Qt::LeftButton && hasSelection()) selectionMade();
    selecting_ = false;
}

void ChatViewWidget::selectionMade() {
    // On X11 a selection is also the primary selection, pasted with the middle button.
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection() && hasSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void ChatViewWidget::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyItem = menu.addAction(QStringLiteral("Copy"), this, [this] { copy(); });
    copyItem->setEnabled(hasSelection());
    Pos pos;
    std::string link;
    if (event->reason() == QContextMenuEvent::Mouse &&
        charAt(event->pos(), pos, false))  // viewport coordinates
        link = FindHyperlink(view_.line(pos.line).text, static_cast<long>(pos.index)).link;
    if (!link.empty())
        menu.addAction(QStringLiteral("Copy Link"), this,
                       [link] { QApplication::clipboard()->setText(fromCp1252(link)); });
    menu.addAction(QStringLiteral("Select All"), this, [this] { selectAll(); });
    menu.addAction(QStringLiteral("Find..."), this, [this] { Q_EMIT findRequested(); });
    menu.exec(event->globalPos());
}

void ChatViewWidget::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    txtLog_GotFocus(form_);
}

void ChatViewWidget::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    // Switching to another program (to paste a selection, say) or opening a menu does not take
    // the focus from the view inside its window; the reader keeps the place and the selection.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    txtLog_LostFocus(form_);
}

void ChatViewWidget::keyPressEvent(QKeyEvent* event) {
    // Ctrl+C belongs to Connect; Ctrl+Insert and Ctrl+Shift+C copy whatever the platform says.
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool copyKeys =
        (event->key() == Qt::Key_Insert && mods == Qt::ControlModifier) ||
        (event->key() == Qt::Key_C && mods == (Qt::ControlModifier | Qt::ShiftModifier));
    if (copyKeys || event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_End && (event->modifiers() & Qt::ControlModifier)) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    } else if (event->key() == Qt::Key_Home && (event->modifiers() & Qt::ControlModifier)) {
        verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    } else {
        QAbstractScrollArea::keyPressEvent(event);  // page and arrow keys scroll
    }
}

QString ChatViewWidget::selectedText() const {
    const auto [from, to] = std::minmax(anchor_, caret_);
    if (from == to) return {};
    std::string out;
    for (std::size_t i = from.line; i <= to.line && i < view_.lineCount(); ++i) {
        const std::string_view text = view_.line(i).text;
        const std::size_t b = i == from.line ? std::min<std::size_t>(from.index, text.size()) : 0;
        const std::size_t e =
            i == to.line ? std::min<std::size_t>(to.index, text.size()) : text.size();
        if (i != from.line) out += '\n';
        if (e > b) out.append(text.substr(b, e - b));
    }
    return fromCp1252(out);
}

void ChatViewWidget::selectAll() {
    const std::size_t last = view_.lineCount() - 1;
    anchor_ = {0, 0};
    caret_ = {last, static_cast<std::uint32_t>(view_.line(last).text.size())};
    viewport()->update();
    selectionMade();
}

void ChatViewWidget::copy() const {
    const QString text = selectedText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void ChatViewWidget::setMarks(const ChatSearch* search, const SearchMatch* current) {
    search_ = search;
    hasCurrent_ = current != nullptr;
    if (current) current_ = *current;
    viewport()->update();
}

void ChatViewWidget::showLine(std::size_t line) {
    if (line >= view_.lineCount()) return;
    const int height = viewport()->height();
    bool top = false, bottom = false;
    for (const Row& row : rows_)
        if (row.line == line) {
            top = top || row.top >= 0;
            bottom = bottom || row.top + row.height <= height;
        }
    if (top && bottom) return;  // wholly on screen already
    QScrollBar* bar = verticalScrollBar();
    // The bar names the line shown last: put the line near the middle of the view.
    bar->setValue(static_cast<int>(
        std::min<std::size_t>(line + static_cast<std::size_t>(bar->pageStep() / 2), INT32_MAX)));
    viewport()->update();
}

qreal ChatViewWidget::xOf(const StyledLine& line, const Row& row, std::uint32_t index) const {
    qreal x = kMargin;
    std::size_t run = 0;
    for (std::uint32_t i = row.begin; i < index && i < row.end; ++i)
        x += advanceAt(line, run, i);
    return x;
}

void ChatViewWidget::drawMarks(QPainter& p, const Row& row, const StyledLine& line) {
    const auto length = static_cast<std::uint32_t>(search_->length());
    for (const std::uint32_t offset : search_->offsetsIn(row.line)) {
        const std::uint32_t from = std::max(offset, row.begin);
        const std::uint32_t to = std::min(offset + length, row.end);
        if (from >= to) continue;  // on another row of the line
        const qreal x0 = xOf(line, row, from), x1 = xOf(line, row, to);
        const bool current =
            hasCurrent_ && current_ == SearchMatch{static_cast<std::uint32_t>(row.line), offset};
        p.fillRect(QRectF(x0, row.top, x1 - x0, row.height), current ? kCurrentMatch : kMatch);
    }
}

}  // namespace orva
