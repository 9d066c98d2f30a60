// The coloured list widget: paints the rows the list model plans and feeds mouse and keys back.
#pragma once

#include <QWidget>

class QLabel;
class QScrollBar;

namespace orva {
class LstBox;

class LstBoxWidget : public QWidget {
    Q_OBJECT
  public:
    explicit LstBoxWidget(LstBox& model, QWidget* parent = nullptr);
    ~LstBoxWidget() override;

    LstBox& model() const { return model_; }
    QLabel* countLabel() const { return lblCount_; }
    QWidget* listArea() const;
    QScrollBar* verticalBar() const { return scrollV_; }
    QScrollBar* horizontalBar() const { return scrollH_; }
    // Paint passes of the list area so far; lets tests see that changes are coalesced.
    int paintCount() const { return paints_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    class PicList;
    friend class PicList;

    void scheduleSync(bool repaint);
    void sync();
    void layoutList();

    LstBox& model_;
    QLabel* lblCount_ = nullptr;
    PicList* picList_ = nullptr;
    QScrollBar* scrollV_ = nullptr;
    QScrollBar* scrollH_ = nullptr;
    int lineY_ = 0;
    bool syncPending_ = false;
    bool repaintPending_ = false;
    int paints_ = 0;
};

}  // namespace orva
