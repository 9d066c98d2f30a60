// The model first: Qt defines a macro named emit, which the model's signals use as a name.
#include "lstBox/lst_box.h"

#include "qt/lst_box_widget.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <array>

#include "qt/accessible_lists.h"

namespace orva {

namespace {

// Code page 1252 to Unicode: Latin-1 except for 0x80..0x9F.
QString fromCp1252(const std::string& bytes) {
    static constexpr std::array<char16_t, 32> k80{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        out += QChar(c >= 0x80 && c < 0xA0 ? k80[c - 0x80] : char16_t{c});
    }
    return out;
}

QColor toQColor(ListColour c) {
    return QColor(c.r, c.g, c.b);
}

const std::array<QImage, 4>& markerImages() {
    static const std::array<QImage, 4> images = [] {
        std::array<QImage, 4> out;
        for (int m = 0; m < 4; ++m) {
            QImage img(8, 8, QImage::Format_RGB32);
            const auto& pixels = markerPicture(m);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    img.setPixelColor(x, y, toQColor(pixels[static_cast<size_t>(y * 8 + x)]));
            out[static_cast<size_t>(m)] = img;
        }
        return out;
    }();
    return images;
}

QFont listFont() {
    QFont f(QStringLiteral("Fixedsys"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    if (!QFontInfo(f).fixedPitch()) f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setStyleStrategy(QFont::NoAntialias);  // a bitmap-like font: every pixel in its colour
    return f;
}

int buttonCode(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

}  // namespace

// The black drawing surface that holds the scroll bars.
class LstBoxWidget::PicList : public QWidget {
  public:
    PicList(LstBoxWidget& owner) : QWidget(&owner), owner_(owner) {
        setFont(listFont());
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        ++owner_.paints_;
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        const QFontMetrics fm(font());
        const auto& markers = markerImages();
        for (const auto& row : owner_.model_.planRows()) {
            int x = row.textX;
            for (const auto& run : row.runs) {
                const QString text = fromCp1252(run.text);
                p.setPen(toQColor(run.colour));
                p.drawText(x, row.top + fm.ascent(), text);
                x += fm.horizontalAdvance(text);
            }
            p.drawImage(row.markerX, row.markerY, markers[static_cast<size_t>(row.marker)]);
        }
    }
    void resizeEvent(QResizeEvent*) override { owner_.layoutList(); }
    // The wheel anywhere over the list moves it, as over its scroll bar.
    void wheelEvent(QWheelEvent* e) override { QCoreApplication::sendEvent(owner_.scrollV_, e); }
    void mousePressEvent(QMouseEvent* e) override {
        owner_.model_.picList_MouseDown(buttonCode(e->button()),
                                        static_cast<int>(e->position().y()));
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        owner_.model_.picList_MouseMove(buttonCode(e->buttons()),
                                        static_cast<int>(e->position().y()));
    }
    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
            case Qt::Key_Down:
                owner_.model_.picList_KeyDown(40);
                break;
            case Qt::Key_PageDown:
                owner_.model_.picList_KeyDown(34);
                break;
            case Qt::Key_Up:
                owner_.model_.picList_KeyDown(38);
                break;
            case Qt::Key_PageUp:
                owner_.model_.picList_KeyDown(33);
                break;
            default:
                QWidget::keyPressEvent(e);
        }
    }

  private:
    LstBoxWidget& owner_;
};

LstBoxWidget::LstBoxWidget(LstBox& model, QWidget* parent) : QWidget(parent), model_(model) {
    installAccessibleFactory();
    lblCount_ = new QLabel(this);
    lblCount_->setFont(QFont(QStringLiteral("Tahoma"), 8));
    picList_ = new PicList(*this);
    scrollV_ = new QScrollBar(Qt::Vertical, picList_);
    scrollH_ = new QScrollBar(Qt::Horizontal, picList_);
    connect(scrollV_, &QScrollBar::valueChanged, this, [this](int v) { model_.scrollV_Change(v); });
    connect(scrollH_, &QScrollBar::valueChanged, this, [this](int v) { model_.scrollH_Change(v); });

    const QFont font = picList_->font();
    model_.textWidth = [font](const std::string& s) {
        return QFontMetrics(font).horizontalAdvance(fromCp1252(s));
    };
    model_.textHeight = [font] { return QFontMetrics(font).height(); };
    model_.measureFont();

    QPointer<LstBoxWidget> self(this);
    model_.changed.connect([self] {
        if (self) self->scheduleSync(true);
    });
    model_.scrolled.connect([self] {
        if (self) self->scheduleSync(false);
    });
    sync();
}

QWidget* LstBoxWidget::listArea() const {
    return picList_;
}

LstBoxWidget::~LstBoxWidget() {
    model_.textWidth = nullptr;
    model_.textHeight = nullptr;
}

// Every model change asks for a redraw; one sync per event-loop turn serves them all.
void LstBoxWidget::scheduleSync(bool repaint) {
    repaintPending_ = repaintPending_ || repaint;
    if (syncPending_) return;
    syncPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { sync(); }, Qt::QueuedConnection);
}

void LstBoxWidget::sync() {
    syncPending_ = false;
    lblCount_->setText(fromCp1252(model_.caption()));
    const QSignalBlocker blockV(scrollV_), blockH(scrollH_);
    scrollV_->setRange(0, model_.ScrollVMax);
    scrollV_->setValue(model_.TopIndex);
    scrollV_->setPageStep(std::max(1, model_.VisibleHeight / std::max(1, int{model_.CharHeight})));
    scrollH_->setRange(0, model_.ScrollHMax);
    scrollH_->setValue(model_.HScrollPos);
    if (repaintPending_) picList_->update();
    repaintPending_ = false;
    if (QAccessible::isActive()) updateAccessibleList(*this);
}

void LstBoxWidget::resizeEvent(QResizeEvent*) {
    const int labelHeight = lblCount_->sizeHint().height();
    lblCount_->setGeometry(0, 0, width(), labelHeight);
    lineY_ = labelHeight + 1;
    const int top = lineY_ + 2;
    picList_->setGeometry(0, top, width(), std::max(0, height() - top));
}

void LstBoxWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, lineY_, width(), lineY_);
}

void LstBoxWidget::layoutList() {
    const int w = picList_->width(), h = picList_->height();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    scrollH_->setGeometry(0, h - bar, w, bar);
    scrollV_->setGeometry(w - bar, 0, bar, std::max(0, h - bar));
    model_.picList_Resize(w, h, bar, bar);
}

}  // namespace orva
